// The asset tools' tests on both sides of the OS seam. The data folder is
// "Data" in the test's scratch folder (natively on the virtual drive, under
// wine a real temporary folder) and, as for the program, the current folder;
// the outside shader compilers are the stand-in program copied to
// "Libs\PrecompileShaders" beside it. Questions are answered no unless a test
// scripts the answer.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/str.h"
#include "tests/support/scratch.h"

namespace tovan::test {

class AssetToolsTest : public ScratchTest {
public:
    AssetToolsTest();
    ~AssetToolsTest() override;

protected:
    void SetUp() override;
    void TearDown() override;

    // Names below the scratch folder, e.g. "Data\\Models\\a.cModel"; whole-file
    // access that bypasses the framework.
    std::string Drive(const std::string& name) const { return scratch / name; }
    void Put(const std::string& name, const std::string& bytes) const { scratch.Write(name, bytes); }
    std::string Get(const std::string& name) const { return scratch.Read(name); }
    bool Has(const std::string& name) const { return scratch.Exists(name); }

    // Makes scratch folder `name` ("Data" at the start) the data and current folder.
    void UseDataFolder(const std::string& name);

    // The stand-in as "PC.exe" and "Xbox360.exe"; it records its runs in the scratch folder.
    void InstallCompilers();
    // The stand-in's runs, one line of the arguments it was given per run.
    std::vector<std::string> Recorded() const;
    // The parameters the precompiler handed the seam for `program` ("PC.exe")
    // since the last look. Only the native seam keeps them; under wine the
    // stand-in's record is all there is to check.
    void ExpectStarted(const std::string& program, const std::vector<std::string>& parameters);

    // The answer to the next question asked.
    void Answer(int answer);
    // The questions asked since the last look, as "caption: text".
    std::vector<std::string> Questions();

private:
    struct Platform;  // the platform half's own state
    void SetUpPlatform();
    void TearDownPlatform();
    void SetCompilerEnvironment(const std::string& record);  // "" takes it away

    std::unique_ptr<Platform> m_Platform;
    cStr m_SavedBase;
    std::string m_SavedFolder;
    bool m_Compilers = false;
};

}  // namespace tovan::test
