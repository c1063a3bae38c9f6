// Helpers shared by the image operations (internal).
#pragma once
#include <cstdint>

#include "io/image/format.h"

namespace tovan {

inline bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Calls visit(level, source offset, target offset) for every surface of two
// layouts with the same sides (faces of a cube, slices of a volume level).
template <class Visit>
void ForEachSurface(const ImageLayout& from, const ImageLayout& to, Visit visit) {
    for (int k = 0; k < to.Levels(); ++k) {
        const ImageLevel& a = from.Level(k);
        const ImageLevel& b = to.Level(k);
        for (int face = 0; face < to.Faces(); ++face) {
            for (int s = 0; s < b.slices; ++s) {
                visit(b, a.offset + int64_t(face) * a.faceSize + int64_t(s) * (a.faceSize / a.slices),
                      b.offset + int64_t(face) * b.faceSize + int64_t(s) * (b.faceSize / b.slices));
            }
        }
    }
}

// The power of two a side is resized to: the smallest not below it, or half
// of that when the side is under three quarters of it; -1 past 2^31 - 1.
int PowerOfTwoSide(int side);

// What a DXT format decodes to (Rgb8 for Dxt1, Rgba8 otherwise); other formats as they are.
inline ImageFormat DecodedFormat(ImageFormat format) {
    if (format == ImageFormat::Dxt1)
        return ImageFormat::Rgb8;
    return IsDxtFormat(format) ? ImageFormat::Rgba8 : format;
}

}  // namespace tovan
