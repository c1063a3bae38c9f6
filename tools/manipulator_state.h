// The process-wide manipulator state: which gizmos a shown transform gets,
// whether their axes follow the object's own rotation, and the drag step.
// The Class Explorer's tool bar writes it; transforms and gizmos read it
// afresh every frame, on the main thread.
#pragma once
#include <cstdint>

namespace tovan {

enum ManipulatorModes : int32_t {
    kManipulatorNone = 0,
    kManipulatorMove = 1,
    kManipulatorRotate = 2,
    kManipulatorScale = 3,
    kManipulatorAll = 4,  // "Universal": all three at once
};

extern int32_t ManipulatorMode;  // 0 at start
extern bool ManipulatorLocal;    // "Local": gizmo axes follow the object's rotation
extern float ManipulatorSnap;    // "Snap": drag results snap to multiples of it when above 0

}  // namespace tovan
