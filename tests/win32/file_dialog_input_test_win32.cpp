// The preview file dialogs driven with real input, as a user drives them: a
// click on a file in the list (found by its item rectangle), Tab, Enter, Esc,
// a double click, the caption's close button. Each kind runs in a child
// process that writes down what it saw, so that a crash in the dialog fails
// its test and a hang is cut off.
#include "core/window_utils.h"
#include "tests/support/child_job.h"
#include "tests/support/child_process_win32.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/real_input_win32.h"
#include "tests/win32/preview_files.h"
#include "win32/file_previews.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace tovan {
namespace {

using Dialog = cWin32::FileDialog;
using Results = std::map<std::string, std::string>;

constexpr DWORD kChildTimeoutMs = 60000;
constexpr DWORD kWaitMs = 5000;  // for a window or a list to appear, or a dialog to close

// What the child saw, a line "key=value" each, flushed at once so that a crash
// keeps what came before; a later line for a key replaces an earlier one.
class ResultFile {
public:
    explicit ResultFile(const std::string& path) : m_Out(path, std::ios::binary | std::ios::trunc) {}
    void Set(const std::string& key, std::string value) {
        std::replace(value.begin(), value.end(), '\n', '|');
        m_Out << key << '=' << value << std::endl;
    }

private:
    std::ofstream m_Out;
};

Results ReadResults(const std::string& path) {
    Results results;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            results[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return results;
}

std::string ControlText(HWND parent, int id) { return test::WindowText(GetDlgItem(parent, id)); }

// Whether every line of the info label shows inside the pane and the dialog.
bool InfoLabelFits(HWND frame, HWND pane) {
    HWND label = GetDlgItem(pane, Dialog::kInfoLabel);
    const std::string text = test::WindowText(label);
    RECT shown, paneClient, frameClient;
    if (!label || text.empty() || !GetWindowRect(label, &shown))
        return false;
    GetClientRect(pane, &paneClient);
    MapWindowPoints(pane, nullptr, reinterpret_cast<POINT*>(&paneClient), 2);
    GetClientRect(frame, &frameClient);
    MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&frameClient), 2);
    IntersectRect(&shown, &shown, &paneClient);
    IntersectRect(&shown, &shown, &frameClient);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, shown.right - shown.left, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return needed.bottom - needed.top <= shown.bottom - shown.top;
}

constexpr DWORD kSettleMs = 200;  // for input to be handled and the pane's timer to refresh

// Waits for the file list to show `name`, clicks it and lets the pane's timer
// refresh. Null when the list never showed it.
HWND ClickFile(HWND frame, const std::string& name) {
    SetForegroundWindow(frame);
    HWND list = nullptr;
    int item = -1;
    test::PumpUntil(
        [&] {
            list = test::FindDescendant(frame, "SysListView32");
            item = list ? test::FindListItem(list, name) : -1;
            return item >= 0 && IsWindowVisible(frame);
        },
        kWaitMs);
    if (item < 0 || !test::ClickListItem(list, item))
        return nullptr;
    test::PumpMessages(kSettleMs);
    return list;
}

// The last input of a run is left to the dialog's own loop, as a user's would
// be; a dialog that it did not end is ended after a while, so the run goes on.
ResultFile* g_Out = nullptr;
std::string g_Action;
constexpr UINT_PTR kUnstickTimer = 0x5717;

void CALLBACK Unstick(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    g_Out->Set(g_Action + ".stuck", "1");
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

// One run of the dialog: `action` after a click on `file` (or with `file`
// typed). A message box that opens meanwhile (an overwrite question) is
// answered `answer`.
void DriveRun(Dialog& dialog, const std::string& action, const std::string& file, int answer, ResultFile& out) {
    g_Out = &out;
    g_Action = action;
    test::DialogDriver driver(0, [&](HWND window) {
        if (!GetDlgItem(window, Dialog::kFileNameBox)) {
            out.Set(action + ".asked", test::WindowText(window) + ": " + ControlText(window, 0xFFFF));
            return answer;
        }
        HWND list = nullptr;
        if (action.rfind("type", 0) == 0) {
            // Into the file-name box, as a user types; Enter asks, and after a
            // No the dialog is still there for Esc.
            HWND nameBox = GetDlgItem(window, Dialog::kFileNameBox);
            RECT box;
            SetForegroundWindow(window);
            test::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, kWaitMs);
            GetClientRect(nameBox, &box);
            test::ClickClientRect(nameBox, box);
            test::TypeText(file);
            test::PressKey(VK_RETURN);
            const bool stayed = !test::PumpUntil([&] { return !IsWindowVisible(window); }, kSettleMs * 3);
            out.Set(action + ".stayed", stayed ? "1" : "0");
            if (stayed)
                test::PressKey(VK_ESCAPE);
        } else if ((list = ClickFile(window, file))) {
            HWND pane = static_cast<HWND>(DialogWindowHandle);
            out.Set(action + ".name", ControlText(window, Dialog::kFileNameBox));
            if (dialog.IsOpen())
                out.Set(action + ".load", IsWindowEnabled(GetDlgItem(window, IDOK)) ? "1" : "0");
            out.Set(action + ".info", ControlText(pane, Dialog::kInfoLabel));
            out.Set(action + ".fits", InfoLabelFits(window, pane) ? "1" : "0");
            if (action == "enter") {
                test::PressKey(VK_RETURN);
            } else if (action == "tab") {
                test::PressKey(VK_TAB);
                test::PumpMessages(kSettleMs);
                test::PressKey(VK_RETURN);
            } else if (action == "double") {
                test::ClickListItem(list, test::FindListItem(list, file), true);
            } else if (action == "esc") {
                test::PressKey(VK_ESCAPE);
            } else if (action == "close") {
                out.Set("close.found", test::ClickCloseButton(window) ? "1" : "0");
            }
        } else {
            out.Set(action + ".error", "the list never showed " + file);
        }
        SetTimer(window, kUnstickTimer, kWaitMs, Unstick);
        return 0;
    });
    const bool result = dialog.Run(nullptr);
    out.Set(action + ".result", result ? "1" : "0");
    out.Set(action + ".path", dialog.GetChosenPath().GetText());
}

int FindType(const Dialog& dialog, const char* ext) {
    for (int i = 0; i < dialog.GetExtensions().Count(); ++i)
        if (lstrcmpiA(dialog.GetExtensions()[i].GetText(), ext) == 0)
            return i + 1;
    return 0;
}

// A crash ends the child at once with its exception code, instead of waiting
// for a debugger.
LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* exception) {
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

// "kind|folder|results": runs one kind of dialog over the folder.
int FileDialogJob(const char* argument) {
    SetUnhandledExceptionFilter(ExitOnCrash);
    std::istringstream parts(argument);
    std::string kind, folder, results;
    std::getline(parts, kind, '|');
    std::getline(parts, folder, '|');
    std::getline(parts, results, '|');
    ResultFile out(results);
    std::unique_ptr<Dialog> dialog;
    std::string ext = "bmp";
    if (kind == "image-open") {
        dialog = std::make_unique<cWin32::ImageFileDialog>(folder.c_str(), true);
    } else if (kind == "model-open") {
        dialog = std::make_unique<cWin32::ModelFileDialog>(folder.c_str());
        ext = "cModel";
    } else if (kind == "xml-open") {
        dialog = std::make_unique<cWin32::XmlFileDialog>(folder.c_str(), true);
        ext = "xml";
    } else if (kind == "image-save" || kind == "overwrite") {
        dialog = std::make_unique<cWin32::ImageFileDialog>(folder.c_str(), false);
        ext = kind == "overwrite" ? "dds" : "bmp";
        dialog->SetFilterIndex(FindType(*dialog, ext.c_str()));
    } else {
        return 2;
    }
    if (kind == "overwrite") {
        DriveRun(*dialog, "type-no", "m64", IDNO, out);
        dialog->SetFilterIndex(FindType(*dialog, ext.c_str()));
        DriveRun(*dialog, "type-yes", "m64", IDYES, out);
        return 0;
    }
    const struct {
        const char *action, *file;
    } runs[] = {{"enter", "b"}, {"tab", "a"}, {"double", "b"}, {"esc", "b"}, {"close", "a"}};
    for (const auto& run : runs)
        DriveRun(*dialog, run.action, std::string(run.file) + "." + ext, IDYES, out);
    return 0;
}
test::ChildJobRegistration g_FileDialogJob("file-dialog", FileDialogJob);

class FileDialogInput : public test::ScratchTest {
protected:
    Results Drive(const std::string& kind) {
        const std::string results = scratch / "results.txt";
        const test::ChildOutcome child =
            test::RunChildJob("file-dialog", kind + "|" + scratch.Path() + "|" + results, kChildTimeoutMs);
        Results seen = ReadResults(results);
        std::ostringstream all;
        for (const auto& [k, v] : seen)
            all << "\n  " << k << "=" << v;
        EXPECT_TRUE(child.started) << kind;
        EXPECT_FALSE(child.timedOut) << kind << all.str();
        EXPECT_EQ(child.exitCode, 0u) << kind << " ended with 0x" << std::hex << child.exitCode << all.str();
        for (const auto& [key, value] : seen)  // a run whose input went astray
            EXPECT_TRUE(key.find(".stuck") == std::string::npos && key.find(".error") == std::string::npos)
                << kind << " " << key << "=" << value;
        return seen;
    }
};

TEST_F(FileDialogInput, EveryKindTakesClicksInItsListAndReturnsWhatTheKeysSay) {
    struct Case {
        const char* kind;
        std::string a, b, info;
    };
    scratch.Write("a.xml", "<a/>\n");
    scratch.Write("b.xml", "<b>\n</b>\n");
    const Case cases[] = {
        {"image-open", test::WriteBmp(scratch, "a.bmp", 4, 4), test::WriteBmp(scratch, "b.bmp", 8, 2),
         "Size: 8 x 2|Format: Rgb8|Type: 2D|Mipmaps: no"},
        {"model-open", test::CopySample(scratch, "model/static_tri.cm", "a.cModel"),
         test::CopySample(scratch, "model/skinned.cm", "b.cModel"), "Meshes: 1|Vertices: 3|Triangles: 1|Joints: 2"},
        {"xml-open", scratch / "a.xml", scratch / "b.xml", "Lines: 2"},
        {"image-save", scratch / "a.bmp", scratch / "b.bmp", "Size: 8 x 2|Format: Rgb8|Type: 2D|Mipmaps: no"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Results seen = Drive(c.kind);
        const bool open = std::string(c.kind) != "image-save";
        const std::string expected[][2] = {
            {"enter.info", c.info},
            {"enter.fits", "1"},  // the last line shows at the dialog's first size
            {"enter.name", c.b.substr(scratch.Path().size())},
            {"enter.load", open ? "1" : ""},
            {"enter.result", "1"},
            {"enter.path", c.b},
            {"tab.result", "1"},
            {"tab.path", c.a},
            {"double.result", "1"},
            {"double.path", c.b},
            {"esc.result", "0"},
            {"esc.path", ""},
            {"close.found", "1"},
            {"close.result", "0"},
            {"close.path", ""},
        };
        for (const auto& [key, value] : expected)
            EXPECT_EQ(seen[key], value) << key;
    }
}

// The system asks before replacing the typed name; when the type's extension
// completes it into an existing file, the dialog asks the same; No goes back.
TEST_F(FileDialogInput, SavingUnderANameWithoutItsExtensionAsksBeforeReplacingTheFile) {
    test::WriteImage(scratch, "m64.dds", 4, 4, 4, 1, 1);
    const std::string before = scratch.Read("m64.dds");
    Results seen = Drive("overwrite");
    const std::string question = "Save Image File: m64.dds already exists.|Do you want to replace it?";
    const std::string expected[][2] = {
        {"type-no.asked", question},  {"type-no.stayed", "1"},
        {"type-no.result", "0"},      {"type-no.path", ""},
        {"type-yes.asked", question}, {"type-yes.stayed", "0"},
        {"type-yes.result", "1"},     {"type-yes.path", scratch / "m64.dds"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(seen[key], value) << key;
    EXPECT_EQ(scratch.Read("m64.dds"), before);
}

}  // namespace
}  // namespace tovan
