#include "tests/io/io_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tovan::test {

std::string IoTest::InBase(const std::string& relative) {
    std::string base = Base();
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    return base + relative;
}

void IoTest::SetUp() {
    PrepareProgramFolder();
    cIO::Init();  // start-up's own log lines stay out of the tests' captures
    m_Relative = "io-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

void IoTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(Host(InBase(m_Relative)), ignored);
}

std::string IoTest::ReadHost(const std::string& windowsPath) {
    std::ifstream in(Host(windowsPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void IoTest::WriteHost(const std::string& windowsPath, const std::string& bytes) {
    std::filesystem::path path(Host(windowsPath));
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Str(const cStr& text) { return std::string(text.GetText(), size_t(text.Length())); }

std::vector<std::string> Strs(const cList<cStr>& list) {
    std::vector<std::string> texts;
    for (const cStr& entry : list)
        texts.push_back(Str(entry));
    return texts;
}

std::string Bytes(const cStream& stream) {
    const cList<uint8_t>& bytes = stream.m_Bytes;
    return std::string(reinterpret_cast<const char*>(bytes.Data()), size_t(bytes.Count()));
}

}  // namespace tovan::test
