// The COM side of the drop target and the WinINet link download.
#include "core/main_window.h"
#include "win32/drop_platform.h"
#include "win32/drop_target.h"
#include "win32/window_helpers.h"

#include <ole2.h>
#include <shellapi.h>
#include <windows.h>
#include <wininet.h>

namespace tovan {

namespace {

constexpr char kAgent[] = "tovan";
constexpr char kHeaders[] = "Accept: */*\r\n\r\n";
constexpr DWORD kChunk = 16384;
constexpr int64_t kMaxBody = 0x7fffffff - int64_t(kChunk);

// Releases a storage medium however its reading ends.
class cMedium {
public:
    explicit cMedium(IDataObject* data, CLIPFORMAT format) {
        FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        m_Held = data && SUCCEEDED(data->GetData(&wanted, &m_Medium));
    }
    ~cMedium() {
        if (m_Held)
            ReleaseStgMedium(&m_Medium);
    }
    cMedium(const cMedium&) = delete;
    cMedium& operator=(const cMedium&) = delete;

    bool Held() const { return m_Held; }
    // The text of an HGLOBAL medium up to its first 0, never past the block.
    cStr Text() const {
        cStr text;
        if (!m_Held || m_Medium.tymed != TYMED_HGLOBAL || !m_Medium.hGlobal)
            return text;
        const SIZE_T size = GlobalSize(m_Medium.hGlobal);
        const char* bytes = static_cast<const char*>(GlobalLock(m_Medium.hGlobal));
        if (!bytes)
            return text;
        SIZE_T length = 0;
        while (length < size && length < 0x7fffffff && bytes[length])
            ++length;
        text.Assign(bytes, 0, int(length));
        GlobalUnlock(m_Medium.hGlobal);
        return text;
    }

private:
    STGMEDIUM m_Medium = {};
    bool m_Held = false;
};

// What a real data object offers.
class cDataObjectOffer : public cDropOffer {
public:
    explicit cDataObjectOffer(IDataObject* data) : m_Data(data) {}
    bool HasFiles() override { return cMedium(m_Data, CF_HDROP).Held(); }
    cStr Text() override {
        cStr text = cMedium(m_Data, CF_TEXT).Text();
        if (text.IsEmpty()) {
            static const CLIPFORMAT link = CLIPFORMAT(RegisterClipboardFormatA("UniformResourceLocator"));
            text = cMedium(m_Data, link).Text();
        }
        return text;
    }

private:
    IDataObject* m_Data;
};

// Copy is the only effect the target takes: a move would have the source
// delete what was dropped.
void OfferCopy(DWORD* effect) {
    if (effect)
        *effect = (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

// One static object without state; OLE calls it on the thread that registered it.
class cWinMain_IDrop : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *out = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 0; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        OfferCopy(effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        OfferCopy(effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        OfferCopy(effect);
        cDataObjectOffer offer(data);
        ReceiveDrop(offer);
        return S_OK;
    }
};

cWinMain_IDrop g_DropTarget;

// Closes an internet handle however the download ends.
struct cInternetHandle {
    HINTERNET handle;
    ~cInternetHandle() {
        if (handle)
            InternetCloseHandle(handle);
    }
};

// True unless an HTTP answer says the request failed; other schemes have no status.
bool StatusSaysSuccess(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    DWORD index = 0;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, &index))
        return true;
    return status >= 200 && status <= 299;
}

}  // namespace

void* GetDropTarget() { return static_cast<IDropTarget*>(&g_DropTarget); }

bool DownloadLink(const char* url, int64_t cap, cList<uint8_t>& body) {
    body.Free();
    if (!url || !*url)
        return false;
    // Declared in this order so that the request closes before the session.
    cInternetHandle session{InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)};
    if (!session.handle)
        return false;
    cInternetHandle request{
        InternetOpenUrlA(session.handle, url, kHeaders, DWORD(lstrlenA(kHeaders)), INTERNET_FLAG_NO_CACHE_WRITE, 0)};
    if (!request.handle || !StatusSaysSuccess(request.handle))
        return false;
    // A body within the limit always leaves room for one more chunk in a list.
    const int64_t limit = cap < kMaxBody ? cap : kMaxBody;
    for (;;) {
        const int count = body.Count();
        body.ResizeUnset(count + int(kChunk));
        DWORD read = 0;
        if (!InternetReadFile(request.handle, body.Data() + count, kChunk, &read) || read > kChunk) {
            body.Free();
            return false;
        }
        body.Resize(count + int(read));
        if (read == 0)
            break;
        if (body.Count() > limit) {
            body.Free();
            return false;
        }
    }
    return true;
}

namespace drop {

cVec2 CursorInGui() {
    POINT point = {};
    GetCursorPos(&point);
    WindowRect client = {};
    ClientAreaOnScreen(MainWindowHandle, &client);
    return ScreenToGui(client, point.x, point.y);
}

void BringMainWindowToFront() { SetForegroundWindow(static_cast<HWND>(MainWindowHandle)); }

}  // namespace drop

}  // namespace tovan
