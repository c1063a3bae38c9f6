// RemoveFolder refuses every spelling of the data folder, the documents folder,
// a root, or a folder above one of them.
#include "core/os.h"
#include "io/folder_guard.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <algorithm>
#include <cctype>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

const char kIsData[] = "it is the data folder";
const char kHoldsData[] = "it holds the data folder";
const char kIsDocuments[] = "it is the documents folder";
const char kHoldsDocuments[] = "it holds the documents folder";
const char kDrive[] = "it is a drive root";
const char kShare[] = "it is a share root";
const char kDriveRelative[] = "it is relative to a drive's current directory";

bool IsFolder(const std::string& path) {
    uint32_t attributes = os::FileAttributes(path.c_str());
    return attributes != os::kAttrInvalid && (attributes & os::kAttrDirectory);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(toupper(c)); });
    return text;
}

// Lower case, every other separator turned into '/'.
std::string Mixed(std::string text) {
    bool flip = false;
    for (char& c : text) {
        c = char(tolower(static_cast<unsigned char>(c)));
        if (c == '\\' && (flip = !flip))
            c = '/';
    }
    return text;
}

// The data folder moves to a scratch folder for the test: a refusal that failed
// would cost no more than the scratch folder.
class FolderGuardTest : public IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        m_SavedBase = *cIO::GetBaseFolder();
        m_Data = scratch / "Data";
        scratch.Write("Data\\keep.txt", "keep");
        scratch.Write("Data\\sub\\x.txt", "x");
        *cIO::GetBaseFolder() = m_Data.c_str();
        m_Documents = Str(cIO::GetDocumentsFolder());
        cIO::CreateFolders((m_Documents + "\\").c_str());  // natively a folder on the virtual drive
    }
    void TearDown() override {
        *cIO::GetBaseFolder() = m_SavedBase;
        IoTest::TearDown();
    }
    cStr m_SavedBase;
    std::string m_Data;
    std::string m_Documents;
};

TEST_F(FolderGuardTest, EverySpellingOfAKeptFolderIsRefusedWithAWarning) {
    const std::string& data = m_Data;
    const std::string& documents = m_Documents;
    const std::pair<std::string, const char*> kRows[] = {
        {"", kIsData},
        {"/", kIsData},
        {"\\", kIsData},
        {".", kIsData},
        {"./", kIsData},
        {".\\", kIsData},
        {"sub/..", kIsData},
        {"%s%n/..", kIsData},  // printed as it stands
        {Upper(data) + "\\\\", kIsData},
        {data + ". ", kIsData},
        {"\\\\?\\" + data, kIsData},
        {"..", kHoldsData},
        {data + "\\sub\\..\\..", kHoldsData},
        {"~", kIsDocuments},
        {"~/", kIsDocuments},
        {"~\\.", kIsDocuments},
        {Mixed(documents), kIsDocuments},
        {Upper(documents) + "/", kIsDocuments},
        {"~/..", kHoldsDocuments},
        {"C:\\", kDrive},
        {"c:/", kDrive},
        {"C:\\..", kDrive},
        {"C:", kDriveRelative},
        {"c:sub", kDriveRelative},
        {"\\\\server\\share", kShare},
        {"\\\\server\\share\\", kShare},
        {"//server/share/sub/..", kShare},
        {"\\\\?\\UNC\\server\\share", kShare},
        {"\\\\server", kShare},
    };
    for (const auto& [name, reason] : kRows) {
        SCOPED_TRACE(name);
        // Under wine the documents folder and drive C: are real: stop before a
        // removal that the guard would not refuse.
        const char* refusal = FolderRemovalRefusal(cIO::ResolvePath(name.c_str()).GetText());
        ASSERT_NE(refusal, nullptr);
        EXPECT_STREQ(refusal, reason);
        test::LogCapture log;
        EXPECT_FALSE(cIO::RemoveFolder(name.c_str()));
        EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't remove folder \"" + name + "\": " + reason});
        EXPECT_EQ(scratch.Read("Data\\keep.txt"), "keep");
        EXPECT_TRUE(IsFolder(documents));
    }
}

TEST_F(FolderGuardTest, OtherFoldersAreStillRemoved) {
    scratch.Write("Data2\\f.txt", "x");
    scratch.Write("Dat\\f.txt", "x");
    test::LogCapture log;
    EXPECT_TRUE(cIO::RemoveFolder("sub"));
    EXPECT_TRUE(cIO::RemoveFolder("../Data2"));  // the names only start alike
    EXPECT_TRUE(cIO::RemoveFolder((scratch / "Dat").c_str()));
    EXPECT_FALSE(scratch.Exists("Data\\sub"));
    EXPECT_FALSE(scratch.Exists("Data2"));
    EXPECT_FALSE(scratch.Exists("Dat"));
    EXPECT_EQ(scratch.Read("Data\\keep.txt"), "keep");
    EXPECT_TRUE(log.Warnings().empty());
}

}  // namespace
}  // namespace tovan
