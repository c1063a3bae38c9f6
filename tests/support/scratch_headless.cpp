#include "tests/support/scratch.h"

#include "core/os_headless.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tovan::test {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tovan-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (!made)
        throw std::runtime_error("mkdtemp failed");
    HoldScratch(made);  // as the destructor names it: the parent of m_Host
    m_Host = std::string(made) + "/scratch";
    std::filesystem::create_directories(m_Host);
    os::headless::Reset();
    os::headless::SetDriveRoot(made);
    m_Path = "C:\\scratch\\";
}

ScratchFolder::~ScratchFolder() { DropScratch(std::filesystem::path(m_Host).parent_path().string()); }

unsigned long HostProcessId() { return static_cast<unsigned long>(getpid()); }

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::string host = os::headless::HostPath((m_Path + name).c_str());
    std::filesystem::create_directories(std::filesystem::path(host).parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
}

std::string ScratchFolder::Read(const std::string& name) const {
    std::ifstream in(os::headless::HostPath((m_Path + name).c_str()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ScratchFolder::Exists(const std::string& name) const {
    return std::filesystem::exists(os::headless::HostPath((m_Path + name).c_str()));
}

}  // namespace tovan::test
