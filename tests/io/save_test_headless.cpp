// Saves on the virtual drive: a disk that fills, links, and saves killed midway.
#include "core/os_headless.h"
#include "io/whole_save.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;
using Names = std::vector<std::string>;
using namespace std::chrono_literals;

// Every entry below a host folder, links with their targets, sorted.
Names Tree(const std::string& hostFolder) {
    Names names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(hostFolder)) {
        names.push_back(entry.path().lexically_relative(hostFolder).string());
        if (entry.is_symlink())
            names.back() += " -> " + std::filesystem::read_symlink(entry.path()).string();
    }
    std::sort(names.begin(), names.end());
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
    // A chain of two relative links, from another folder.
    scratch.Write("linked\\doc.xml", "");
    std::filesystem::create_directories(Host(scratch / "links"));
    std::filesystem::create_symlink("../linked/doc.xml", Host(scratch / "links\\hop.xml"));
    std::filesystem::create_symlink("hop.xml", Host(scratch / "links\\alias.xml"));
    struct Way {
        std::string name, path;
        bool viaSaveFile;
    };
    const Way kWays[] = {{scratch / "plain\\doc.xml", scratch / "plain\\doc.xml", false},
                         {scratch / "plain\\doc.xml", scratch / "plain\\doc.xml", true},
                         {relative, inBase, true},
                         {scratch / "links\\alias.xml", scratch / "linked\\doc.xml", true}};
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
            EXPECT_EQ(Tree(std::filesystem::path(Host(way.path)).parent_path()), Names{"doc.xml"});
            Names warnings;
            if (!fits && way.viaSaveFile)
                warnings.push_back("Can't save file \"" + way.name + "\"");
            EXPECT_EQ(log.Warnings(), warnings);
        }
    }
    EXPECT_EQ(Tree(Host(scratch / "links")), (Names{"alias.xml -> hop.xml", "hop.xml -> ../linked/doc.xml"}));
}

TEST_F(IoTest, AppendsAreWrittenInPlace) {
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

// The new content reaches the disk before it replaces the old file, and the
// folder after the move; a flush that fails keeps the old file.
TEST_F(IoTest, ASaveIsFlushedBeforeItReplacesTheOldFile) {
    const std::string target = scratch / "doc.xml";
    scratch.Write("doc.xml", "old");
    for (const bool fails : {true, false}) {
        SCOPED_TRACE(fails ? "failing flush" : "flush");
        test::LogCapture log;
        os::headless::TakeCalls();
        if (fails)
            os::headless::ScriptFlushFailure();
        EXPECT_EQ(cIO::SaveFile(target.c_str(), reinterpret_cast<const uint8_t*>("new"), 3, false, true), !fails);
        EXPECT_EQ(scratch.Read("doc.xml"), fails ? "old" : "new");
        EXPECT_EQ(Tree(scratch.HostPath()), Names{"doc.xml"});
        EXPECT_EQ(log.Warnings(), fails ? Names{"Can't save file \"" + target + "\""} : Names{});
        const Names calls = Calls("F");
        ASSERT_FALSE(calls.empty());
        const std::string temporary = calls[0].substr(calls[0].find(' ') + 1);
        Names expected = {"FileCreateNew " + temporary, "FileFlush " + temporary};
        if (fails)
            expected.push_back("FileDelete " + temporary);
        else
            expected.insert(expected.end(), {"FileReplace " + temporary + " " + target, "FolderFlush " + scratch.Path(),
                                             "FindFirst " + target + ".~tmp*"});
        EXPECT_EQ(calls, expected);
    }
}

// A save through links replaces the file at the end of the chain, in its own
// folder and with its permission bits, and leaves every link as it was. A link
// that leads nowhere, round in a loop or out of the drive (a folder's too)
// fails the save and nothing is written.
TEST_F(IoTest, ASaveThroughLinksReplacesTheFileTheyLeadTo) {
    // C:\ one folder down, so that a folder beside it lies outside the drive.
    const std::string top = std::filesystem::path(scratch.HostPath()).parent_path(), outside = top + "/outside";
    os::headless::SetDriveRoot(top + "/drive");
    std::filesystem::create_directories(outside);
    std::ofstream(outside + "/doc.xml") << "old";
    struct LinkCase {
        const char* save;
        // name ('!': in the folder outside), target ('@': the case folder on the host, '!': the folder outside)
        std::vector<std::pair<const char*, const char*>> links;
        int mode;  // of real\doc.xml; 0: the save fails
    };
    const LinkCase kCases[] = {
        {"a.xml", {{"a.xml", "@/real/doc.xml"}}, 0644},
        {"sub\\a.xml", {{"sub\\a.xml", "../real/doc.xml"}}, 0600},
        {"a.xml", {{"a.xml", "sub/b.xml"}, {"sub\\b.xml", "../real/doc.xml"}}, 0755},
        {"real\\doc.xml", {}, 0640},
        {"a.xml", {{"a.xml", "real/none.xml"}}, 0},
        {"a.xml", {{"a.xml", "b.xml"}, {"b.xml", "a.xml"}}, 0},
        {"a.xml", {{"a.xml", "a.xml"}}, 0},
        {"in\\doc.xml", {{"in", "real"}}, 0640},
        {"out\\doc.xml", {{"out", "!"}}, 0},
        {"out\\new.xml", {{"out", "!"}}, 0},
        {"out\\back.xml", {{"out", "!"}, {"!back.xml", "@/real/doc.xml"}}, 0600},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const LinkCase& c = kCases[i];
        const std::string folder = scratch / ("c" + std::to_string(i) + "\\"), host = Host(folder);
        const std::filesystem::perms mode = std::filesystem::perms(c.mode ? c.mode : 0644);
        SCOPED_TRACE(folder + c.save);
        WriteHost(folder + "real\\doc.xml", "old");
        std::filesystem::create_directories(host + "/sub");
        std::filesystem::permissions(host + "/real/doc.xml", mode);
        for (const auto& [name, target] : c.links) {
            const std::string to = target[0] == '@' ? host + (target + 1) : target[0] == '!' ? outside : target;
            std::filesystem::create_symlink(to, name[0] == '!' ? outside + "/" + (name + 1) : Host(folder + name));
        }
        const Names before = Tree(host);
        EXPECT_EQ(cIO::WriteFile((folder + c.save).c_str(), reinterpret_cast<const uint8_t*>("new"), 3, false),
                  c.mode != 0);
        EXPECT_EQ(ReadHost(folder + "real\\doc.xml"), c.mode ? "new" : "old");
        EXPECT_EQ(std::filesystem::status(host + "/real/doc.xml").permissions(), mode);
        EXPECT_EQ(Tree(host), before);  // every link as it was, no temporary left
    }
    const std::string last = scratch / ("c" + std::to_string(std::size(kCases) - 1) + "\\real\\doc.xml");
    EXPECT_EQ(Tree(outside), (Names{"back.xml -> " + Host(last), "doc.xml"}));
    std::ifstream kept(outside + "/doc.xml");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
    os::headless::SetDriveRoot(top);
}

// Saves killed before their rename leave their temporaries: none of them stops
// a later save, which removes those of ended processes and no other file.
TEST_F(IoTest, KilledSavesNeverStopALaterSave) {
    const std::string target = scratch / "doc.xml";
    scratch.Write("doc.xml", "old");
    std::filesystem::permissions(Host(target), std::filesystem::perms(0600));
    for (uint32_t process = 5000; process < 5017; ++process) {
        os::headless::SetProcessId(process);
        os::headless::ScriptCutOffAtReplace();
        EXPECT_THROW(cIO::WriteFile(target.c_str(), reinterpret_cast<const uint8_t*>("killed"), 6, false),
                     os::headless::CutOff);
        os::headless::ScriptProcessAlive(process, false);
    }
    EXPECT_EQ(Tree(scratch.HostPath()).size(), 18u);
    EXPECT_EQ(scratch.Read("doc.xml"), "old");
    // No more readable than the file they were to replace, from their first byte.
    for (const auto& entry : std::filesystem::directory_iterator(scratch.HostPath()))
        EXPECT_EQ(entry.status().permissions(), std::filesystem::perms(0600)) << entry.path();
    // What stays: this process's own, a running process's, another target's,
    // a folder, and names of other forms.
    const uint32_t self = 7000, running = 7001, ended = 7002;
    os::headless::SetProcessId(self);
    os::headless::ScriptProcessAlive(running, true);
    os::headless::ScriptProcessAlive(ended, false);
    const std::string folder = Str(SaveTemporaryName("doc.xml", ended, 4));
    // A young one of an ended process: maybe another machine's live save.
    const std::string young = Str(SaveTemporaryName("doc.xml", ended, 5));
    Names kept = {young,
                  Str(SaveTemporaryName("doc.xml", self, 0)),
                  Str(SaveTemporaryName("doc.xml", running, 3)),
                  Str(SaveTemporaryName("other.xml", ended, 3)),
                  folder + "/in.txt",
                  "doc.xml.~tmp7002",
                  "doc.xml.~tmp7002-1.bak",
                  "doc.xml.~tmp07002-1",
                  "doc.xml.~tmp7002-01",
                  "doc.xml.~tmp4294967296-1",
                  "doc.xml.~TMP7002-1",
                  "xdoc.xml.~tmp7002-1"};
    for (const std::string& name : kept)
        WriteHost(scratch / name, "user");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch.HostPath()))
        if (entry.path().filename() != young)
            std::filesystem::last_write_time(entry.path(), std::filesystem::file_time_type::clock::now() - 61s);
    ASSERT_TRUE(cIO::WriteFile(target.c_str(), reinterpret_cast<const uint8_t*>("new"), 3, false));
    EXPECT_EQ(scratch.Read("doc.xml"), "new");
    kept.insert(kept.end(), {"doc.xml", folder});
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Tree(scratch.HostPath()), kept);
}

}  // namespace
}  // namespace tovan
