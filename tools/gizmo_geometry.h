// Geometry the move, rotate and scale gizmos share: their screen-constant
// size, nearest points between pick rays and axis lines, ray hits on planes
// and spheres, and snapping to a step.
#pragma once
#include "core/mat.h"
#include "core/ray.h"
#include "core/vec.h"

namespace tovan {

class cView;

namespace gizmo {

inline constexpr float kMinLength = 1e-10f;
// Line parameters (0 at the line's start, 1 at start + along) this close to 0
// count as 0, so a grab at the centre stays there.
inline constexpr float kParameterSnap = 0.001f;

bool IsFinite(const cVec3& v);

// The bound position placed by the parent matrix (w-divided).
inline cVec3 WorldCentre(const cMat4& parent, const cVec3& position) { return parent.TransformPoint(position); }

// The world length that covers `pixels` along GUI x at the depth of `centre`,
// so the gizmo keeps its size on the screen. False, with size untouched, when
// the centre has no finite GUI point (on or behind the eye plane too) or the
// length is not finite or below kMinLength: the gizmo skips that frame.
bool ScreenConstantSize(const cView& view, const cVec3& centre, float pixels, float& size);

// Where the viewer looks from at a point, as a unit vector from the point:
// against the view direction in an orthographic view, else towards the camera.
cVec3 ViewingDirection(const cView& view, const cVec3& at);

// The nearest points of a ray (from its origin onwards) and a line through
// `start` along `along`; with `segment` the line ends at start and start + along.
struct RayLinePoints {
    cVec3 onRay;
    cVec3 onLine;
    float Distance() const { return Length(onRay - onLine); }
};
RayLinePoints NearestRayLine(const cRay& ray, const cVec3& start, const cVec3& along, bool segment);

// Where the ray's line meets the plane Dot(normal, p) + distance = 0; false
// when it runs parallel to it or the point is not finite.
bool RayPlaneHit(const cRay& ray, const cVec3& normal, float distance, cVec3& hit);
inline bool RayPlaneHitAt(const cRay& ray, const cVec3& normal, const cVec3& through, cVec3& hit) {
    return RayPlaneHit(ray, normal, -Dot(normal, through), hit);
}

// The nearer point where the ray (from its origin onwards) enters or leaves the sphere.
bool RaySphereHit(const cRay& ray, const cVec3& centre, float radius, cVec3& hit);

// The nearest multiple of step: floor(value / step + 0.5) x step. Unchanged
// when step is not a finite number above 0 or the result would not be finite.
float Snap(float value, float step);

}  // namespace gizmo
}  // namespace tovan
