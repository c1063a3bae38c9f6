// Natively, without the Win32 layer's dialogs, a pick takes the scripted choice.
#include "core/os_headless.h"
#include "io/file_pickers.h"
#include "tests/io/io_fixture.h"

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

TEST_F(IoTest, PickWithoutDialogsTakesTheScriptedChoice) {
    SetPickDialogHook(nullptr);
    GetPickerMemory() = PickerMemory();
    GetPickerMemory().m_XmlFolder = "C:\\data\\xml\\";
    os::headless::TakeCalls();
    os::headless::ScriptFileChoice("scene.xml");
    os::headless::ScriptFileChoice("C:\\other\\b.xml");
    os::headless::ScriptFileChoice("");
    cStr result;
    ASSERT_TRUE(cIO::PickXmlToSave(result));
    EXPECT_EQ(Str(result), "C:\\data\\xml\\scene.xml");
    ASSERT_TRUE(cIO::PickXmlToLoad(result));
    EXPECT_EQ(Str(result), "..\\other\\b.xml");  // relative to C:\app
    EXPECT_FALSE(cIO::PickXmlToLoad(result));    // the empty choice cancels
    EXPECT_FALSE(cIO::PickXmlToLoad(result));    // and so does a dialog with none left
    EXPECT_EQ(Str(result), "..\\other\\b.xml");
    const std::vector<std::string> expected = {
        "PickDialog save C:\\data\\xml\\ | ",
        "PickDialog open C:\\data\\xml\\ | scene.xml",
        "PickDialog open C:\\other\\ | b.xml",
        "PickDialog open C:\\other\\ | b.xml",
    };
    std::vector<std::string> picks;
    for (const std::string& call : os::headless::TakeCalls())
        if (call.rfind("PickDialog", 0) == 0)
            picks.push_back(call);
    EXPECT_EQ(picks, expected);
    GetPickerMemory() = PickerMemory();
}

}  // namespace
}  // namespace tovan
