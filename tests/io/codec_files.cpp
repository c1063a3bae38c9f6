#include "tests/io/codec_files.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace tovan::test {

std::string ReadDataFile(const std::string& relative) {
    std::ifstream file(std::string(TOVAN_TEST_DATA) + "/" + relative, std::ios::binary);
    if (!file) {
        ADD_FAILURE() << "missing test file " << relative;
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void SetBytes(cStream& stream, const std::string& bytes) {
    stream.Clear();
    stream.m_Bytes.AppendRange(reinterpret_cast<const uint8_t*>(bytes.data()), int(bytes.size()));
    stream.m_Position = 0;
}

std::string GetBytes(const cStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Count()));
}

std::string GetBytes(const cImage& image) {
    return std::string(reinterpret_cast<const char*>(image.m_Data.Data()), size_t(image.m_Data.Count()));
}

bool DecodeBytes(const cIO::ImageCodec& codec, const std::string& bytes, cImage& image) {
    cStream in;
    SetBytes(in, bytes);
    return codec.Decode(in, image);
}

std::string EncodeBytes(const cIO::ImageCodec& codec, const cImage& image) {
    cStream out;
    EXPECT_TRUE(codec.Encode(image, out));
    EXPECT_EQ(out.m_Position, out.Count());
    return GetBytes(out);
}

void FillImage(cImage& image, ImageFormat format, int width, int height, const std::string& texels) {
    ASSERT_TRUE(image.Allocate(format, width, height, 1, 1));
    ASSERT_EQ(size_t(image.m_Data.Count()), texels.size());
    std::memcpy(image.m_Data.Data(), texels.data(), texels.size());
}

}  // namespace tovan::test
