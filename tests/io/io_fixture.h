// Tests of the file layer. Natively the program sits at C:\app\h.exe on the
// virtual drive, so the base folder is C:\app; under wine it is the folder of
// the test program. Relative names are written below Relative(), which the
// fixture removes again.
#pragma once
#include "io/io.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan::test {

class IoTest : public ScratchTest {
public:
    // Where a Windows-form path really is, and whole-file access there that
    // bypasses the framework.
    static std::string Host(const std::string& windowsPath);
    static std::string ReadHost(const std::string& windowsPath);
    static void WriteHost(const std::string& windowsPath, const std::string& bytes);

protected:
    void SetUp() override;
    void TearDown() override;

    static std::string Base() { return cIO::GetBaseFolder()->GetText(); }
    // Base folder joined with a relative name, as ResolvePath builds it.
    static std::string InBase(const std::string& relative);
    // A folder name, relative to the base folder, private to this test.
    const std::string& Relative() const { return m_Relative; }

private:
    static void PrepareProgramFolder();
    std::string m_Relative;
};

std::string Str(const cStr& text);
std::vector<std::string> Strs(const cList<cStr>& list);  // in list order
std::string Bytes(const cStream& stream);

}  // namespace tovan::test
