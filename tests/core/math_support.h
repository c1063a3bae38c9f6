// Comparisons for the geometry tests.
#pragma once
#include "core/mat.h"
#include "core/quat.h"
#include "core/vec.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tovan::test {

inline ::testing::AssertionResult Near(const cVec3& a, const cVec3& b, float eps = 1e-5f) {
    if (std::fabs(a.x - b.x) <= eps && std::fabs(a.y - b.y) <= eps && std::fabs(a.z - b.z) <= eps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y
                                         << ", " << b.z << ")";
}

template <int N>
::testing::AssertionResult NearMatrix(const float (&a)[N][N], const float (&b)[N][N], float eps) {
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            if (!(std::fabs(a[i][j] - b[i][j]) <= eps))
                return ::testing::AssertionFailure() << "m[" << i << "][" << j << "] " << a[i][j] << " vs " << b[i][j];
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult Near(const cMat3& a, const cMat3& b, float eps = 1e-5f) {
    return NearMatrix(a.m, b.m, eps);
}

inline ::testing::AssertionResult Near(const cMat4& a, const cMat4& b, float eps = 1e-5f) {
    return NearMatrix(a.m, b.m, eps);
}

inline ::testing::AssertionResult Near(const cQuat& a, const cQuat& b, float eps = 1e-5f) {
    if (std::fabs(a.x - b.x) <= eps && std::fabs(a.y - b.y) <= eps && std::fabs(a.z - b.z) <= eps &&
        std::fabs(a.w - b.w) <= eps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ") vs (" << b.x
                                         << ", " << b.y << ", " << b.z << ", " << b.w << ")";
}

// q and -q are the same rotation.
inline ::testing::AssertionResult SameRotation(const cQuat& a, const cQuat& b, float eps = 1e-5f) {
    if (Near(a, b, eps))
        return ::testing::AssertionSuccess();
    return Near(a, cQuat{-b.x, -b.y, -b.z, -b.w}, eps);
}

}  // namespace tovan::test
