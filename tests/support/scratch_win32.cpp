#include "tests/support/scratch.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tovan::test {

namespace {
std::atomic<int> g_Counter{0};

std::filesystem::path Host(const std::string& windowsPath) { return std::filesystem::path(windowsPath); }
}  // namespace

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_Path =
        std::string(temp) + "tovan-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(g_Counter++) + "\\";
    std::error_code ignored;
    std::filesystem::remove_all(Host(m_Path), ignored);
    std::filesystem::create_directories(Host(m_Path));
    HoldScratch(m_Path);
    m_Host = m_Path;
}

ScratchFolder::~ScratchFolder() { DropScratch(m_Path); }

unsigned long HostProcessId() { return GetCurrentProcessId(); }

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path p = Host(m_Path + name);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string ScratchFolder::Read(const std::string& name) const {
    std::ifstream in(Host(m_Path + name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ScratchFolder::Exists(const std::string& name) const { return std::filesystem::exists(Host(m_Path + name)); }

}  // namespace tovan::test
