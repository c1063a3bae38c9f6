#include "tests/tools/asset_tools_fixture.h"

#include <filesystem>
#include <fstream>

#include "core/os.h"
#include "io/io.h"

namespace tovan::test {

namespace fs = std::filesystem;

void AssetToolsTest::SetUp() {
    SetUpPlatform();
    cIO::Init();
    char folder[4096] = {};
    if (os::CurrentDirectory(folder, sizeof folder) > 0)
        m_SavedFolder = folder;
    m_SavedBase = *cIO::GetBaseFolder();
    UseDataFolder("Data");
}

void AssetToolsTest::UseDataFolder(const std::string& name) {
    fs::create_directories(fs::path(scratch.HostPath()) / name);
    *cIO::GetBaseFolder() = Drive(name).c_str();
    ASSERT_TRUE(os::SetCurrentDirectory(Drive(name).c_str()));
}

// The current folder is given back first: Windows keeps a process's current
// folder from being removed with the scratch folder.
void AssetToolsTest::TearDown() {
    if (!m_SavedFolder.empty())
        os::SetCurrentDirectory(m_SavedFolder.c_str());
    *cIO::GetBaseFolder() = m_SavedBase;
    if (m_Compilers)
        SetCompilerEnvironment("");
    TearDownPlatform();
}

void AssetToolsTest::InstallCompilers() {
    const fs::path folder = fs::path(scratch.HostPath()) / "Libs" / "PrecompileShaders";
    fs::create_directories(folder);
    for (const char* program : {"PC.exe", "Xbox360.exe"})
        fs::copy_file(TOVAN_STAND_IN_COMPILER, folder / program);
    SetCompilerEnvironment((fs::path(scratch.HostPath()) / "record.txt").string());
    m_Compilers = true;
}

std::vector<std::string> AssetToolsTest::Recorded() const {
    std::vector<std::string> lines;
    std::ifstream in(fs::path(scratch.HostPath()) / "record.txt");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace tovan::test
