// Test helpers for the image codecs: committed test files, streams made from
// bytes, and little-endian building of crafted files.
#pragma once
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "core/stream.h"
#include "io/codecs/image_codec.h"
#include "io/image/image.h"

namespace tovan::test {

// The bytes of a file under tests/data; empty (and a test failure) when missing.
std::string ReadDataFile(const std::string& relative);

void SetBytes(cStream& stream, const std::string& bytes);  // position 0
std::string GetBytes(const cStream& stream);
std::string GetBytes(const cImage& image);

// A decode of the bytes from the start; an encode into an empty stream, which
// must succeed and leave the position past the file.
bool DecodeBytes(const cIO::ImageCodec& codec, const std::string& bytes, cImage& image);
std::string EncodeBytes(const cIO::ImageCodec& codec, const cImage& image);
// The same for a native model, animation or camera-set codec; the encode gives
// "" when refused, and a refusal must write nothing.
template <class Codec, class Record>
bool DecodeNative(const std::string& bytes, Record& record) {
    cStream in;
    SetBytes(in, bytes);
    return Codec().Decode(in, record);
}
template <class Codec, class Record>
std::string EncodeNative(const Record& record) {
    cStream out;
    if (!Codec().Encode(record, out)) {
        EXPECT_EQ(out.Count(), 0) << "a refused encode writes nothing";
        return {};
    }
    return GetBytes(out);
}
// An image of one level holding the given texels.
void FillImage(cImage& image, ImageFormat format, int width, int height, const std::string& texels);

// Little-endian fields appended to a byte string.
inline void PutU8(std::string& s, unsigned v) { s.push_back(char(v & 0xFF)); }
inline void PutU16(std::string& s, unsigned v) {
    PutU8(s, v);
    PutU8(s, v >> 8);
}
inline void PutU32(std::string& s, uint32_t v) {
    PutU16(s, v & 0xFFFF);
    PutU16(s, v >> 16);
}
inline std::string Counting(int n, int start = 0) {  // bytes start, start + 1, ... (mod 256)
    std::string s;
    for (int i = 0; i < n; ++i)
        s.push_back(char((start + i) & 0xFF));
    return s;
}

}  // namespace tovan::test
