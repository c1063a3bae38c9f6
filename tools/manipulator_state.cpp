#include "tools/manipulator_state.h"

namespace tovan {

int32_t ManipulatorMode = kManipulatorNone;
bool ManipulatorLocal = false;
float ManipulatorSnap = 0;

}  // namespace tovan
