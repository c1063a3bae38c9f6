// A disk that fills during a save, scripted on the virtual drive.
#include "core/os_headless.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <filesystem>

namespace tovan {
namespace {

using test::IoTest;
using Names = std::vector<std::string>;

Names HostFiles(const std::string& hostFolder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(hostFolder))
        names.push_back(entry.path().filename().string());
    return names;
}

Names Calls(const char* prefix) {
    Names found;
    for (const std::string& call : os::headless::TakeCalls())
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}

// Each way into a whole-file save, failing at the first byte, halfway and at the
// last byte: the old file stays whole and alone; with room for every byte it saves.
TEST_F(IoTest, ADiskFillingDuringASaveKeepsTheOldFile) {
    ASSERT_TRUE(cIO::CreateFolders((Relative() + "\\").c_str()));
    const std::string relative = Relative() + "/doc.xml";
    const std::string inBase = InBase(Relative() + "\\doc.xml");
    const std::string bytes = "<doc>new content, longer than the old</doc>";
    const int64_t size = int64_t(bytes.size());
    auto data = reinterpret_cast<const uint8_t*>(bytes.data());
    struct Way {
        std::string name, path;
        bool viaSaveFile;
    };
    const Way kWays[] = {{scratch / "doc.xml", scratch / "doc.xml", false},
                         {scratch / "doc.xml", scratch / "doc.xml", true},
                         {relative, inBase, true}};
    for (const Way& way : kWays) {
        for (int64_t limit : {int64_t(0), size / 2, size - 1, size}) {
            SCOPED_TRACE(way.name + (way.viaSaveFile ? " saved, " : " written, ") + std::to_string(limit));
            WriteHost(way.path, "<doc>old</doc>");
            test::LogCapture log;
            os::headless::ScriptWriteLimit(limit);
            bool saved = way.viaSaveFile ? cIO::SaveFile(way.name.c_str(), data, int32_t(size), false, true)
                                         : cIO::WriteFile(way.name.c_str(), data, int32_t(size), false);
            os::headless::ScriptWriteLimit(-1);
            const bool fits = limit == size;
            EXPECT_EQ(saved, fits);
            EXPECT_EQ(ReadHost(way.path), fits ? bytes : "<doc>old</doc>");
            EXPECT_EQ(HostFiles(std::filesystem::path(Host(way.path)).parent_path()), Names{"doc.xml"});
            Names warnings;
            if (!fits && way.viaSaveFile)
                warnings.push_back("Can't save file \"" + way.name + "\"");
            EXPECT_EQ(log.Warnings(), warnings);
        }
    }
}

TEST_F(IoTest, AppendsAndLinksAreWrittenInPlace) {
    scratch.Write("log.txt", "old");
    os::headless::TakeCalls();
    os::headless::ScriptWriteLimit(2);
    EXPECT_FALSE(cIO::WriteFile((scratch / "log.txt").c_str(), reinterpret_cast<const uint8_t*>("new"), 3, true));
    os::headless::ScriptWriteLimit(-1);
    EXPECT_EQ(scratch.Read("log.txt"), "oldne");  // the full disk cut the append short
    EXPECT_EQ(Calls("File"),
              (Names{"FileOpen C:\\scratch\\log.txt append", "FileSetAttributes C:\\scratch\\log.txt 128"}));
    // A link keeps pointing at its file, which takes the new content.
    std::filesystem::create_symlink(Host(scratch / "log.txt"), Host(scratch / "link.txt"));
    EXPECT_TRUE(cIO::WriteFile((scratch / "link.txt").c_str(), reinterpret_cast<const uint8_t*>("new"), 3, false));
    EXPECT_TRUE(std::filesystem::is_symlink(Host(scratch / "link.txt")));
    EXPECT_EQ(scratch.Read("log.txt"), "new");
}

}  // namespace
}  // namespace tovan
