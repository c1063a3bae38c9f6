#include "tools/gizmo_geometry.h"

#include <cmath>

#include "core/view.h"

namespace tovan::gizmo {

namespace {

bool IsFinite(float v) { return std::fabs(v) <= kFloatMax; }  // false for NaN too

// (p, 1) x m divided by w whenever w is not 1: a point on the eye plane
// (w = 0) has no GUI position and comes out infinite.
cVec3 Project(const cMat4& m, const cVec3& p) {
    cVec3 r{p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
    const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    if (w != 1)
        r = r / w;
    return r;
}

float SnapParameter(float t) { return std::fabs(t) < kParameterSnap ? 0 : t; }

}  // namespace

bool IsFinite(const cVec3& v) { return IsFinite(v.x) && IsFinite(v.y) && IsFinite(v.z); }

bool ScreenConstantSize(const cView& view, const cVec3& centre, float pixels, float& size) {
    const cVec3 onScreen = Project(view.m_ViewProjection, centre);
    if (!IsFinite(onScreen))
        return false;
    const cVec3 aside = Project(view.m_InverseViewProjection, onScreen + cVec3{pixels, 0, 0});
    const float length = Length(aside - centre);
    if (!IsFinite(length) || !(length >= kMinLength))
        return false;
    size = length;
    return true;
}

cVec3 ViewingDirection(const cView& view, const cVec3& at) {
    return view.m_Orthographic ? view.m_Forward : Normalize(view.m_CameraPosition - at);
}

RayLinePoints NearestRayLine(const cRay& ray, const cVec3& start, const cVec3& along, bool segment) {
    // Ray r(s) = origin + s d (s >= 0), line l(t) = start + t e.
    const cVec3 d = ray.direction, e = along, w = ray.origin - start;
    const float a = Dot(d, d), b = Dot(d, e), c = Dot(e, e);
    const float dw = Dot(d, w), ew = Dot(e, w);
    const float denominator = a * c - b * b;
    float s = 0, t = 0;
    auto rayParameter = [&](float lineT) {  // nearest s >= 0 to l(lineT)
        return a > 0 ? std::fmax(0.0f, (b * lineT - dw) / a) : 0.0f;
    };
    if (c <= 0) {  // a line of no length is its start
        s = rayParameter(0);
    } else {
        s = denominator > 1e-12f * a * c ? std::fmax(0.0f, (b * ew - c * dw) / denominator) : 0.0f;
        t = (b * s + ew) / c;
        if (segment && (t < 0 || t > 1)) {
            t = t < 0 ? 0.0f : 1.0f;
            s = rayParameter(t);
        }
    }
    t = SnapParameter(t);
    return {ray.origin + d * s, start + e * t};
}

bool RayPlaneHit(const cRay& ray, const cVec3& normal, float distance, cVec3& hit) {
    const float along = Dot(normal, ray.direction);
    if (!(std::fabs(along) > 1e-6f))
        return false;
    const cVec3 point = ray.origin - ray.direction * ((Dot(normal, ray.origin) + distance) / along);
    if (!IsFinite(point))
        return false;
    hit = point;
    return true;
}

bool RaySphereHit(const cRay& ray, const cVec3& centre, float radius, cVec3& hit) {
    const cVec3 d = ray.direction, m = ray.origin - centre;
    const float a = Dot(d, d);
    if (!(a > 0))
        return false;
    const float b = Dot(m, d), c = Dot(m, m) - radius * radius;
    const float discriminant = b * b - a * c;
    if (!(discriminant >= 0))
        return false;
    const float root = std::sqrt(discriminant);
    float s = (-b - root) / a;
    if (s < 0)
        s = (-b + root) / a;  // from inside: where the ray leaves
    if (s < 0)
        return false;
    hit = ray.origin + d * s;
    return true;
}

float Snap(float value, float step) {
    if (!(step > 0) || !IsFinite(step))
        return value;
    const float snapped = std::floor(value / step + 0.5f) * step;
    return IsFinite(snapped) ? snapped : value;
}

}  // namespace tovan::gizmo
