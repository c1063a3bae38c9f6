// Small helpers shared by the image tests.
#pragma once
#include "io/image/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace tovan::test {

// An image allocated as given, every byte random (repeatable by seed).
inline cImage RandomImage(ImageFormat format, int w, int h, int depth, int mips, uint32_t seed) {
    cImage image;
    EXPECT_TRUE(image.Allocate(format, w, h, depth, mips));
    std::mt19937 rng(seed);
    for (uint8_t& b : image.m_Data)
        b = uint8_t(rng());
    return image;
}

inline std::vector<uint8_t> Bytes(const cImage& image) { return {image.m_Data.begin(), image.m_Data.end()}; }
inline std::vector<uint8_t> Bytes(const uint8_t* p, size_t n) { return {p, p + n}; }

// A one-level image holding the given component values.
template <class T>
cImage ImageOf(ImageFormat format, int w, int h, int depth, const std::vector<T>& values) {
    cImage image;
    EXPECT_TRUE(image.Allocate(format, w, h, depth, 1));
    EXPECT_EQ(values.size() * sizeof(T), size_t(image.m_Data.Count()));
    std::memcpy(image.m_Data.Data(), values.data(), std::min(values.size() * sizeof(T), size_t(image.m_Data.Count())));
    return image;
}

// Every component value of the data, all levels.
template <class T>
std::vector<T> ValuesOf(const cImage& image) {
    std::vector<T> v(size_t(image.m_Data.Count()) / sizeof(T));
    std::memcpy(v.data(), image.m_Data.Data(), v.size() * sizeof(T));
    return v;
}

}  // namespace tovan::test
