// Plain value records of the framework's geometry: float vectors, Euler angles,
// colours and the small integer vectors. All are contiguous floats (or ints),
// copied by value; angles at every interface are in degrees.
#pragma once
#include <cmath>

namespace tovan {

inline constexpr float kDegToRad = 0.017453292f;
inline constexpr float kRadToDeg = 1.0f / kDegToRad;
inline constexpr float kFloatMax = 3.4028235e38f;  // the bounds of empty boxes and rectangles

class cVec2 {
public:
    float x = 0, y = 0;

    constexpr cVec2 operator+(const cVec2& b) const { return {x + b.x, y + b.y}; }
    constexpr cVec2 operator-(const cVec2& b) const { return {x - b.x, y - b.y}; }
    constexpr cVec2 operator-() const { return {-x, -y}; }
    constexpr cVec2 operator*(float s) const { return {x * s, y * s}; }
    constexpr cVec2 operator/(float s) const { return {x / s, y / s}; }
    cVec2& operator+=(const cVec2& b) { return *this = *this + b; }
    cVec2& operator-=(const cVec2& b) { return *this = *this - b; }
    cVec2& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const cVec2& b) const { return x == b.x && y == b.y; }
    constexpr bool operator!=(const cVec2& b) const { return !(*this == b); }
};

class cVec3 {
public:
    float x = 0, y = 0, z = 0;

    constexpr cVec3 operator+(const cVec3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    constexpr cVec3 operator-(const cVec3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    constexpr cVec3 operator-() const { return {-x, -y, -z}; }
    constexpr cVec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr cVec3 operator/(float s) const { return {x / s, y / s, z / s}; }
    cVec3& operator+=(const cVec3& b) { return *this = *this + b; }
    cVec3& operator-=(const cVec3& b) { return *this = *this - b; }
    cVec3& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const cVec3& b) const { return x == b.x && y == b.y && z == b.z; }
    constexpr bool operator!=(const cVec3& b) const { return !(*this == b); }
    float& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }
    float operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }

    // Two unit axes perpendicular to `direction` (for circles and spheres drawn
    // around it): the X and Y axes turned by the direction's yaw and pitch, so
    // that a x b points along the direction. A zero direction gives X and Y.
    static void PerpendicularAxes(const cVec3& direction, cVec3& a, cVec3& b);
};

class cVec4 {
public:
    float x = 0, y = 0, z = 0, w = 0;

    constexpr cVec4 operator+(const cVec4& b) const { return {x + b.x, y + b.y, z + b.z, w + b.w}; }
    constexpr cVec4 operator-(const cVec4& b) const { return {x - b.x, y - b.y, z - b.z, w - b.w}; }
    constexpr cVec4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
    constexpr bool operator==(const cVec4& b) const { return x == b.x && y == b.y && z == b.z && w == b.w; }
    constexpr bool operator!=(const cVec4& b) const { return !(*this == b); }
};

// Euler angles in degrees, applied about X, then Y, then Z (cMat3::FromAngles).
class cAngles {
public:
    float x = 0, y = 0, z = 0;

    constexpr bool operator==(const cAngles& b) const { return x == b.x && y == b.y && z == b.z; }
    constexpr bool operator!=(const cAngles& b) const { return !(*this == b); }
};

// Components 0..1.
class cColor {
public:
    float r = 0, g = 0, b = 0, a = 0;

    constexpr bool operator==(const cColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    constexpr bool operator!=(const cColor& o) const { return !(*this == o); }
};

// Integer vectors; the class engine knows them as "cVec.int.2" and "cVec.int.3".
template <typename T, int N>
struct cVec;

template <typename T>
struct cVec<T, 2> {
    T x = 0, y = 0;
    constexpr bool operator==(const cVec& b) const { return x == b.x && y == b.y; }
    constexpr bool operator!=(const cVec& b) const { return !(*this == b); }
};

template <typename T>
struct cVec<T, 3> {
    T x = 0, y = 0, z = 0;
    constexpr bool operator==(const cVec& b) const { return x == b.x && y == b.y && z == b.z; }
    constexpr bool operator!=(const cVec& b) const { return !(*this == b); }
};

using cVec2i = cVec<int, 2>;
using cVec3i = cVec<int, 3>;

static_assert(sizeof(cVec2) == 8 && sizeof(cVec3) == 12 && sizeof(cVec4) == 16);
static_assert(sizeof(cAngles) == 12 && sizeof(cColor) == 16);
static_assert(sizeof(cVec2i) == 8 && sizeof(cVec3i) == 12);

// Framework-wide constants.
inline constexpr cVec2 kZeroVec2{0, 0};
inline constexpr cVec3 kZeroVec3{0, 0, 0};
inline constexpr cVec3 kUnitZ{0, 0, 1};
inline constexpr cVec2 kReferenceDirection2{0, 1};  // yaw 0 of PerpendicularAxes

inline constexpr float Dot(const cVec2& a, const cVec2& b) { return a.x * b.x + a.y * b.y; }
inline constexpr float Dot(const cVec3& a, const cVec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline constexpr float Dot(const cVec4& a, const cVec4& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }
inline constexpr cVec3 Cross(const cVec3& a, const cVec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const cVec2& v) { return std::sqrt(Dot(v, v)); }
inline float Length(const cVec3& v) { return std::sqrt(Dot(v, v)); }
inline float Length(const cVec4& v) { return std::sqrt(Dot(v, v)); }

// Unit vector along v; a zero-length vector comes back as it is.
cVec2 Normalize(const cVec2& v);
cVec3 Normalize(const cVec3& v);

}  // namespace tovan
