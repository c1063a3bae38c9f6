// A fresh folder per test, given as a Windows-form path with a trailing '\'.
// Natively it lives on the virtual drive (C:\ mapped to a new host folder).
#pragma once
#include <string>

#include <gtest/gtest.h>

namespace tovan::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_Path; }  // "C:\...\" form
    std::string operator/(const std::string& name) const { return m_Path + name; }
    const std::string& HostPath() const { return m_Host; }  // where it really is

    // Whole-file helpers that bypass the framework, so tests check it independently.
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string m_Path;
    std::string m_Host;
};

// The folder a ScratchFolder made: removed by its destructor or, in a
// death-test child that ends by exit before that runs, at exit.
void HoldScratch(const std::string& folder);
void DropScratch(const std::string& folder);
// The host's id of this process, whatever a test scripts for the seam.
unsigned long HostProcessId();

class ScratchTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
};

}  // namespace tovan::test
