// The real drop target under wine: a data object made here is dropped on it,
// and links are fetched from an HTTP server inside the test.
#include "core/main_window.h"
#include "core/stream.h"
#include "tests/support/http_server_win32.h"
#include "tests/support/log_capture.h"
#include "tests/support/test_window.h"
#include "tests/support/ui/frame_host.h"
#include "ui/input.h"
#include "win32/drop_target.h"

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tovan {
namespace {

// Counts the releases of the media it lends: ReleaseStgMedium calls it
// instead of freeing the block, which the data object frees itself.
class ReleaseCounter : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(++m_Released); }
    int m_Released = 0;
};

// Offers texts under clipboard formats as HGLOBAL media, as a browser or the
// shell would.
class FakeData : public IDataObject {
public:
    ~FakeData() {
        for (HGLOBAL block : m_Blocks)
            GlobalFree(block);
    }
    void Offer(CLIPFORMAT format, const std::string& bytes) { m_Formats[format] = bytes; }
    int Lent() const { return m_Lent; }
    int Released() const { return m_Counter.m_Released; }
    int Asked(CLIPFORMAT format) const {
        auto it = m_Asked.find(format);
        return it == m_Asked.end() ? 0 : it->second;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        ++m_Asked[format->cfFormat];
        auto it = m_Formats.find(format->cfFormat);
        if (it == m_Formats.end() || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, it->second.size());
        memcpy(GlobalLock(block), it->second.data(), it->second.size());
        GlobalUnlock(block);
        m_Blocks.push_back(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = &m_Counter;
        ++m_Lent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    std::map<CLIPFORMAT, std::string> m_Formats;
    std::map<CLIPFORMAT, int> m_Asked;
    std::vector<HGLOBAL> m_Blocks;
    ReleaseCounter m_Counter;
    int m_Lent = 0;
};

IDropTarget* Target() { return static_cast<IDropTarget*>(GetDropTarget()); }

CLIPFORMAT LinkFormat() { return CLIPFORMAT(RegisterClipboardFormatA("UniformResourceLocator")); }

std::string FileList() {
    DROPFILES files = {};
    files.pFiles = sizeof(files);
    std::string bytes(reinterpret_cast<const char*>(&files), sizeof(files));
    return bytes + std::string("C:\\dropped.txt\0\0", 16);
}

// A picture larger than any single small read, as BMP bytes.
void Picture(cImage& image, std::string& file) {
    image.Allocate(ImageFormat::Rgb8, 40, 30, 1, 1);
    for (int i = 0; i < image.m_Data.Count(); ++i)
        image.m_Data[i] = uint8_t(i * 7 + i / 120);
    cStream out;
    ASSERT_TRUE(cIO::FindImageCodec("Bmp")->Encode(image, out));
    file.assign(reinterpret_cast<const char*>(out.Data()), size_t(out.Count()));
}

// The screen cursor in the main window's GUI space (y up from the client bottom).
cVec2 CursorInGui(HWND window) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    RECT client;
    GetClientRect(window, &client);
    return {float(point.x), float(client.bottom - point.y)};
}

// The cursor goes back where it was: a window that later opens under it would
// get a mouse move the test never made.
struct MainWindow {
    test::TestWindow window;
    POINT cursor = {};
    MainWindow() {
        MainWindowHandle = window.Handle();
        GetCursorPos(&cursor);
    }
    ~MainWindow() {
        MainWindowHandle = nullptr;
        SetCursorPos(cursor.x, cursor.y);
    }
};

TEST(DropTargetWin32, LinksAreFetchedWholeOnlyForACodecAndMediaAreAlwaysReleased) {
    test::HttpServer server;
    cImage picture;
    std::string file;
    Picture(picture, file);
    ASSERT_GT(file.size(), 3000u);
    server.Page("/pic.bmp", file);
    MainWindow main;
    ShowWindow(static_cast<HWND>(main.window.Handle()), SW_SHOW);
    SetCursorPos(70, 90);

    struct Case {
        const char* name;
        CLIPFORMAT format;
        std::string text;
        bool image;       // arrives whole in DroppedImage
        int connections;  // new ones to the server
        int textAsked;    // CF_TEXT requests
    };
    const Case cases[] = {
        {"link as text", CF_TEXT, server.Url("/pic.bmp?session=7"), true, 1, 1},
        {"link format", LinkFormat(), server.Url("/pic.bmp"), true, 1, 1},
        {"unknown extension", CF_TEXT, server.Url("/pic.xyz"), false, 0, 1},
        {"not found", CF_TEXT, server.Url("/missing.bmp"), false, 1, 1},
        {"files", CF_HDROP, FileList(), false, 0, 0},
        {"empty text", CF_TEXT, std::string("\0", 1), false, 0, 1},
    };
    for (const Case& c : cases) {
        test::FrameHost host;
        test::LogCapture log;
        DroppedImage.Allocate(ImageFormat::R8, 1, 1, 1, 1);
        PushInputEvent(NewKeyEvent(kKeyLeftButton, true, 1, 1), false);
        FakeData data;
        data.Offer(c.format, c.text);
        const int before = server.Connections();
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(Target()->Drop(&data, 0, POINTL{0, 0}, &effect), S_OK) << c.name;
        EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY)) << c.name;
        EXPECT_EQ(server.Connections() - before, c.connections) << c.name;
        EXPECT_EQ(data.Asked(CF_TEXT), c.textAsked) << c.name;
        EXPECT_EQ(data.Released(), data.Lent()) << c.name;
        EXPECT_TRUE(log.Messages().empty()) << c.name;  // every failure is quiet
        if (c.image) {
            ASSERT_EQ(DroppedImage.m_Format, ImageFormat::Rgb8) << c.name;
            EXPECT_EQ(DroppedImage.m_Width, 40);
            EXPECT_EQ(DroppedImage.m_Height, 30);
            ASSERT_EQ(DroppedImage.m_Data.Count(), picture.m_Data.Count());
            EXPECT_EQ(memcmp(DroppedImage.m_Data.Data(), picture.m_Data.Data(), size_t(picture.m_Data.Count())), 0);
        } else {
            EXPECT_EQ(DroppedImage.m_Format, ImageFormat::None) << c.name;
            EXPECT_EQ(DroppedImage.m_Data.Count(), 0) << c.name;
        }
        EXPECT_EQ(PopInputEvent(), nullptr) << c.name;  // drained
        const cVec2 expected = CursorInGui(static_cast<HWND>(main.window.Handle()));
        EXPECT_EQ(CursorPosition.x, expected.x) << c.name;
        EXPECT_EQ(CursorPosition.y, expected.y) << c.name;
    }
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET /pic.bmp HTTP/1.1\r\n", 0), 0u) << requests[0];  // no query part
    for (const std::string& request : requests) {
        EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos) << request;
        EXPECT_NE(request.find("\r\nUser-Agent: tovan\r\n"), std::string::npos) << request;
    }
    DroppedImage.Clear();
}

TEST(DropTargetWin32, DownloadTakesTheWholeBodyUpToTheCap) {
    test::HttpServer server;
    const std::string body(100000, 'x');
    server.Page("/big.bin", body + "end");
    server.Page("/empty.bin", "");
    struct Case {
        const char* path;
        int64_t cap;
        bool ok;
        int bytes;
    };
    const Case cases[] = {
        {"/big.bin", kLinkDownloadCap, true, 100003},
        {"/big.bin", 100003, true, 100003},  // exactly the cap
        {"/big.bin", 100002, false, 0},
        {"/empty.bin", kLinkDownloadCap, true, 0},
        {"/none.bin", kLinkDownloadCap, false, 0},  // 404
    };
    for (const Case& c : cases) {
        cList<uint8_t> got;
        got.PushBack(1);
        EXPECT_EQ(DownloadLink(server.Url(c.path).c_str(), c.cap, got), c.ok) << c.path << " " << c.cap;
        ASSERT_EQ(got.Count(), c.bytes) << c.path << " " << c.cap;
        if (c.bytes) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(got.Data()), size_t(got.Count())), body + "end");
        }
    }
    cList<uint8_t> got;
    EXPECT_FALSE(DownloadLink("http://127.0.0.1:1/closed.bmp", kLinkDownloadCap, got));
}

TEST(DropTargetWin32, AnswersOnlyItsOwnInterfacesAndOffersCopy) {
    IDropTarget* target = Target();
    struct Case {
        const IID* iid;
        bool found;
    };
    const Case cases[] = {
        {&IID_IUnknown, true}, {&IID_IDropTarget, true}, {&IID_IDataObject, false}, {&IID_IDropSource, false}};
    for (const Case& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(target->QueryInterface(*c.iid, &out), c.found ? S_OK : E_NOINTERFACE);
        EXPECT_EQ(out, c.found ? static_cast<void*>(target) : nullptr);
    }
    const DWORD offered[][2] = {{DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_COPY},
                                {DROPEFFECT_MOVE, DROPEFFECT_NONE},
                                {DROPEFFECT_COPY, DROPEFFECT_COPY}};
    FakeData data;
    for (const auto& o : offered) {
        DWORD enter = o[0], over = o[0];
        EXPECT_EQ(target->DragEnter(&data, 0, POINTL{0, 0}, &enter), S_OK);
        EXPECT_EQ(target->DragOver(0, POINTL{0, 0}, &over), S_OK);
        EXPECT_EQ(enter, o[1]);
        EXPECT_EQ(over, o[1]);
    }
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(data.Lent(), 0);  // entering reads nothing
}

}  // namespace
}  // namespace tovan
