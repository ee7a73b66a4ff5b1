// Stands in for the Flash ActiveX control so end-to-end tests can watch what
// the saver's OLE container asks of it. Registered under the real CLSID in a
// test prefix, it logs each request to %VORLAKS_CONTROL_LOG%, one line each,
// and shows a plain green child window where the movie would play.
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <map>
#include <new>
#include <string>

#include "tests/stand-ins/stand_in_log_win.h"

namespace {

const CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const wchar_t kClsidText[] = L"{D27CDB6E-AE6D-11CF-96B8-444553540000}";
const wchar_t kProgId[] = L"ShockwaveFlash.ShockwaveFlash";
const char kWindowClass[] = "VorlaksFlashStandIn";
const COLORREF kFill = RGB(0, 160, 80);

const DISPID kDispMovie = 102;
const DISPID kDispMenu = 135;
const DISPID kDispEmbedMovie = 139;

HINSTANCE g_module = nullptr;
LONG g_liveObjects = 0;  // control objects and class factories still referenced
LONG g_serverLocks = 0;  // IClassFactory::LockServer
bool g_classRegistered = false;

// ---------------------------------------------------------------------------
// The log the tests read.

void Log(const std::string& text) { standin::AppendLine(standin::LogPath("VORLAKS_CONTROL_LOG"), text); }

std::string Ansi(const wchar_t* text, int length = -1) {
    if (text == nullptr || length == 0) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
    if (length < 0 && !result.empty()) result.pop_back();  // the terminator came along
    return result;
}

std::string Ansi(BSTR text) {
    return Ansi(text, text == nullptr ? 0 : static_cast<int>(SysStringLen(text)));
}

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

bool TakesFocus() {
    char value[8] = {};
    DWORD length = GetEnvironmentVariableA("VORLAKS_CONTROL_TAKES_FOCUS", value, sizeof value);
    return length == 1 && value[0] == '1';
}

// ---------------------------------------------------------------------------
// Where the saver's data step leaves its variables: beside the movie. The
// movie may be named as a plain path or as a file: address.

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::wstring FromFileAddress(const std::wstring& address) {
    std::wstring rest = address.substr(5);
    std::size_t slashes = 0;
    while (slashes < rest.size() && (rest[slashes] == L'/' || rest[slashes] == L'\\')) ++slashes;
    // file://server/share names a share; file:///C:/x and file:/C:/x name a drive.
    std::wstring path = slashes == 2 ? L"\\\\" + rest.substr(2) : rest.substr(slashes);
    std::size_t fragment = path.find(L'#');
    if (fragment != std::wstring::npos) path.erase(fragment);
    // %XX escapes are UTF-8 bytes; decode them as a whole so multi-byte names survive.
    std::string bytes;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'%' && i + 2 < path.size() && HexDigit(path[i + 1]) >= 0 && HexDigit(path[i + 2]) >= 0) {
            bytes += static_cast<char>(HexDigit(path[i + 1]) * 16 + HexDigit(path[i + 2]));
            i += 2;
        } else {
            char utf8[4] = {};
            int n = WideCharToMultiByte(CP_UTF8, 0, &path[i], 1, utf8, sizeof utf8, nullptr, nullptr);
            bytes.append(utf8, static_cast<std::size_t>(n > 0 ? n : 0));
        }
    }
    int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring decoded(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &decoded[0], size);
    return decoded;
}

std::wstring VariablesPathBeside(const std::wstring& movie) {
    std::wstring path = movie;
    if (path.size() >= 5 && _wcsnicmp(path.c_str(), L"file:", 5) == 0) path = FromFileAddress(path);
    // Flash movies are often named with a query string; '?' cannot be part of a file name.
    std::size_t query = path.find(L'?');
    if (query != std::wstring::npos) path.erase(query);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    std::size_t slash = path.find_last_of(L'\\');
    std::wstring folder;
    if (slash != std::wstring::npos) {
        folder = path.substr(0, slash + 1);
    } else if (path.size() >= 2 && path[1] == L':') {
        folder = path.substr(0, 2);  // drive-relative, "C:movie.swf"
    }
    return folder + L"tarvordat.pvz";
}

std::string VariablesLine(BSTR movie) {
    std::wstring path = VariablesPathBeside(movie == nullptr ? std::wstring() : std::wstring(movie, SysStringLen(movie)));
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "variables missing";
    }
    ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return "variables " + std::to_string(size);
}

// ---------------------------------------------------------------------------

void PaintStandIn(HDC dc, const RECT& area) {
    HBRUSH brush = CreateSolidBrush(kFill);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    RECT text = area;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, "stand-in", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

class FlashStandIn;
void WindowGone(FlashStandIn* owner);

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel; erasing first only flickers
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            PaintStandIn(dc, client);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_NCDESTROY: {
            // The container may destroy its window, and ours with it, without
            // deactivating us first; the object must not keep the dead handle.
            auto* owner = reinterpret_cast<FlashStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (owner != nullptr) WindowGone(owner);
            break;
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool EnsureWindowClass() {
    if (g_classRegistered) return true;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = StandInWindowProc;
    windowClass.hInstance = g_module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    g_classRegistered = RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return g_classRegistered;
}

// Keeps an object alive while it calls out to the container, which may
// release its last reference from inside the call.
class SelfReference {
public:
    explicit SelfReference(IUnknown* self) : self_(self) { self_->AddRef(); }
    ~SelfReference() { self_->Release(); }
    SelfReference(const SelfReference&) = delete;
    SelfReference& operator=(const SelfReference&) = delete;

private:
    IUnknown* self_;
};

template <typename T>
void ReleaseAndClear(T*& pointer) {
    // Cleared before the release, as the release can call back into us.
    T* held = pointer;
    pointer = nullptr;
    if (held != nullptr) held->Release();
}

// ---------------------------------------------------------------------------

class FlashStandIn final : public IOleObject,
                           public IOleInPlaceObject,
                           public IOleInPlaceActiveObject,
                           public IOleControl,
                           public IDispatch,
                           public IPersistPropertyBag,
                           public IPersistStreamInit,
                           public IViewObject2 {
public:
    FlashStandIn() { InterlockedIncrement(&g_liveObjects); }

    FlashStandIn(const FlashStandIn&) = delete;
    FlashStandIn& operator=(const FlashStandIn&) = delete;

    void ForgetWindow() { window_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleObject) {
            *out = static_cast<IOleObject*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
            *out = static_cast<IOleInPlaceObject*>(this);
        } else if (iid == IID_IOleInPlaceActiveObject) {
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        } else if (iid == IID_IOleControl) {
            *out = static_cast<IOleControl*>(this);
        } else if (iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == IID_IPersist || iid == IID_IPersistPropertyBag) {
            *out = static_cast<IPersistPropertyBag*>(this);
        } else if (iid == IID_IPersistStreamInit) {
            *out = static_cast<IPersistStreamInit*>(this);
        } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
            *out = static_cast<IViewObject2*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            Log("destroy");
            // Tearing down may call out (OnInPlaceDeactivate); a stray
            // AddRef/Release pair from there must not delete us twice.
            refs_ = 1;
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        Log(site != nullptr ? "SetClientSite" : "SetClientSite null");
        SelfReference keep(static_cast<IOleObject*>(this));
        if (site != clientSite_) Deactivate();  // the in-place site belongs to the old one
        if (site != nullptr) site->AddRef();
        ReleaseAndClear(clientSite_);
        clientSite_ = site;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        if (site == nullptr) return E_POINTER;
        *site = clientSite_;
        if (clientSite_ != nullptr) clientSite_->AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE Close(DWORD) override {
        Log("Close");
        SelfReference keep(static_cast<IOleObject*>(this));
        Deactivate();
        if (adviseHolder_ != nullptr) adviseHolder_->SendOnClose();
        // Containers commonly hold us from their site; dropping our side here
        // breaks the cycle even if SetClientSite(nullptr) never comes.
        ReleaseAndClear(viewSink_);
        ReleaseAndClear(clientSite_);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) *moniker = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** data) override {
        if (data != nullptr) *data = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                     LPCRECT) override {
        const std::string prefix = "DoVerb " + std::to_string(verb) + " ";
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE) {
            Log(prefix + "ignored");
            return E_NOTIMPL;
        }
        SelfReference keep(static_cast<IOleObject*>(this));
        if (inPlaceSite_ != nullptr) {
            if (window_ != nullptr) ShowWindow(window_, SW_SHOWNA);
            Log(prefix + RectText(CurrentRect()));
            return S_OK;
        }
        IOleClientSite* site = clientSite_ != nullptr ? clientSite_ : activeSite;
        if (site == nullptr) {
            Log(prefix + "no site");
            return E_UNEXPECTED;
        }
        IOleInPlaceSite* inPlaceSite = nullptr;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite))) ||
            inPlaceSite == nullptr) {
            Log(prefix + "refused");
            return E_NOINTERFACE;
        }
        if (inPlaceSite->CanInPlaceActivate() != S_OK) {
            inPlaceSite->Release();
            Log(prefix + "refused");
            return E_FAIL;
        }
        inPlaceSite_ = inPlaceSite;
        inPlaceSite->OnInPlaceActivate();

        HWND parent = nullptr;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT position = {};
        RECT clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        // The container may have deactivated us from inside OnInPlaceActivate.
        bool placed = inPlaceSite_ == inPlaceSite && SUCCEEDED(inPlaceSite->GetWindow(&parent)) && parent != nullptr &&
                      SUCCEEDED(inPlaceSite->GetWindowContext(&frame, &document, &position, &clip, &frameInfo));
        // Only a UI-active control needs the frame and document; we never become one.
        if (frame != nullptr) frame->Release();
        if (document != nullptr) document->Release();
        if (placed && inPlaceSite_ == inPlaceSite && EnsureWindowClass()) {
            window_ = CreateWindowExA(0, kWindowClass, "stand-in", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                      position.left, position.top, position.right - position.left,
                                      position.bottom - position.top, parent, nullptr, g_module, this);
        }
        if (window_ == nullptr) {
            Deactivate();
            Log(prefix + "failed");
            return E_FAIL;
        }
        Log(prefix + RectText(position));

        if (TakesFocus()) {
            Log("focus");
            SetFocus(window_);
            // SetFocus ran the container's focus handlers, which may have closed us.
            if (clientSite_ != nullptr) {
                IOleControlSite* controlSite = nullptr;
                if (SUCCEEDED(clientSite_->QueryInterface(IID_IOleControlSite,
                                                          reinterpret_cast<void**>(&controlSite))) &&
                    controlSite != nullptr) {
                    controlSite->OnFocus(TRUE);
                    controlSite->Release();
                }
            }
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override {
        if (verbs != nullptr) *verbs = nullptr;
        return OLE_S_USEREG;
    }

    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }

    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }

    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* name) override {
        if (name != nullptr) *name = nullptr;
        return OLE_S_USEREG;
    }

    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override {
        if (size == nullptr) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        extent_ = *size;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override {
        if (size == nullptr) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        *size = extent_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override {
        if (adviseHolder_ == nullptr && FAILED(CreateOleAdviseHolder(&adviseHolder_))) return E_OUTOFMEMORY;
        return adviseHolder_->Advise(sink, cookie);
    }

    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        if (adviseHolder_ == nullptr) return OLE_E_NOCONNECTION;
        return adviseHolder_->Unadvise(cookie);
    }

    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) override {
        if (advises == nullptr) return E_POINTER;
        *advises = nullptr;
        if (adviseHolder_ == nullptr) return S_OK;
        return adviseHolder_->EnumAdvise(advises);
    }

    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override {
        if (status == nullptr) return E_POINTER;
        *status = aspect == DVASPECT_CONTENT ? OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                                   OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                                   OLEMISC_SETCLIENTSITEFIRST
                                             : 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, reached through both in-place interfaces
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) return E_POINTER;
        *window = window_;
        return window_ != nullptr ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
        Log("InPlaceDeactivate");
        SelfReference keep(static_cast<IOleObject*>(this));
        Deactivate();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }

    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override {
        if (position == nullptr) return E_POINTER;
        Log("SetObjectRects " + RectText(*position));
        if (window_ != nullptr) {
            MoveWindow(window_, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, TRUE);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override {
        if (info == nullptr) return E_POINTER;
        info->hAccel = nullptr;
        info->cAccel = 0;
        info->dwFlags = 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnMnemonic(LPMSG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override { return S_OK; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return DISP_E_BADINDEX;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (names == nullptr || ids == nullptr) return E_POINTER;
        struct Name {
            const wchar_t* text;
            DISPID id;
        };
        static const Name kNames[] = {{L"Movie", kDispMovie}, {L"Menu", kDispMenu}, {L"EmbedMovie", kDispEmbedMovie}};
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            // Only the first name is a member; the rest would be argument names, and none are known.
            if (i == 0 && names[0] != nullptr) {
                for (const Name& name : kNames) {
                    if (_wcsicmp(names[0], name.text) == 0) ids[0] = name.id;
                }
            }
            if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
            if (params == nullptr || params->cArgs < 1 || params->rgvarg == nullptr) return DISP_E_BADPARAMCOUNT;
            VARIANT value;
            VariantInit(&value);
            // Script hosts pass values by reference; log what they point at.
            if (FAILED(VariantCopyInd(&value, &params->rgvarg[0]))) {
                Log("put " + std::to_string(id) + " other " + std::to_string(params->rgvarg[0].vt));
                return DISP_E_TYPEMISMATCH;
            }
            const std::string prefix = "put " + std::to_string(id) + " ";
            if (value.vt == VT_BOOL) {
                Log(prefix + "bool " + std::to_string(value.boolVal));
            } else if (value.vt == VT_BSTR) {
                Log(prefix + "string " + Ansi(value.bstrVal));
            } else {
                Log(prefix + "other " + std::to_string(value.vt));
            }
            if (id == kDispMovie) {
                Log(value.vt == VT_BSTR ? VariablesLine(value.bstrVal) : "variables missing");
            }
            VARIANT& stored = properties_[id];
            VariantClear(&stored);
            stored = value;  // takes ownership
            return S_OK;
        }
        if ((flags & DISPATCH_PROPERTYGET) != 0) {
            auto found = properties_.find(id);
            if (found == properties_.end()) return DISP_E_MEMBERNOTFOUND;
            if (result == nullptr) return S_OK;
            VariantInit(result);
            return VariantCopy(result, &found->second);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    // IPersist
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override {
        if (clsid == nullptr) return E_POINTER;
        *clsid = kFlashClsid;
        return S_OK;
    }

    // IPersistPropertyBag and IPersistStreamInit
    HRESULT STDMETHODCALLTYPE InitNew() override {
        Log("InitNew");
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* errors) override {
        if (bag == nullptr) return E_POINTER;
        static const wchar_t* const kBagNames[] = {L"Movie", L"Src",        L"WMode",      L"Play",    L"Loop",
                                                   L"Quality", L"SAlign",   L"Menu",       L"Base",    L"Scale",
                                                   L"DeviceFont", L"EmbedMovie", L"BGColor", L"SWRemote"};
        for (const wchar_t* name : kBagNames) {
            const std::string label = "Load " + Ansi(name);
            VARIANT value;
            VariantInit(&value);  // VT_EMPTY: the bag may answer in whatever type it holds
            if (FAILED(bag->Read(name, &value, errors))) {
                Log(label + " missing");
                continue;
            }
            if (value.vt != VT_BSTR && FAILED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
                Log(label + " vt " + std::to_string(value.vt));
            } else {
                Log(label + "=" + Ansi(value.bstrVal));
            }
            VariantClear(&value);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) override { return E_NOTIMPL; }

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                                   BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override {
        if (dc == nullptr || bounds == nullptr) return E_INVALIDARG;
        RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        PaintStandIn(dc, area);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours) override {
        if (colours != nullptr) *colours = nullptr;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD* cookie) override {
        if (cookie != nullptr) *cookie = 0;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override {
        if (sink != nullptr) sink->AddRef();
        ReleaseAndClear(viewSink_);
        viewSink_ = sink;
        viewAspects_ = aspects;
        viewFlags_ = flags;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override {
        if (aspects != nullptr) *aspects = viewAspects_;
        if (flags != nullptr) *flags = viewFlags_;
        if (sink != nullptr) {
            *sink = viewSink_;
            if (viewSink_ != nullptr) viewSink_->AddRef();
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override {
        return GetExtent(aspect, size);
    }

private:
    ~FlashStandIn() {
        Deactivate();
        ReleaseAndClear(viewSink_);
        ReleaseAndClear(adviseHolder_);
        ReleaseAndClear(clientSite_);
        for (auto& property : properties_) VariantClear(&property.second);
        InterlockedDecrement(&g_liveObjects);
    }

    // Where the window sits in the parent's client area.
    RECT CurrentRect() const {
        RECT rect = {};
        if (window_ == nullptr) return rect;
        GetWindowRect(window_, &rect);
        MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // Leaves the in-place active state without logging: InPlaceDeactivate,
    // Close, a new site and the final release all end up here.
    void Deactivate() {
        HWND window = window_;
        window_ = nullptr;
        if (window != nullptr) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
        }
        IOleInPlaceSite* site = inPlaceSite_;
        inPlaceSite_ = nullptr;
        if (site != nullptr) {
            site->OnInPlaceDeactivate();
            site->Release();
        }
    }

    LONG refs_ = 1;
    IOleClientSite* clientSite_ = nullptr;
    IOleInPlaceSite* inPlaceSite_ = nullptr;  // held only while in-place active
    IOleAdviseHolder* adviseHolder_ = nullptr;
    IAdviseSink* viewSink_ = nullptr;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    HWND window_ = nullptr;
    SIZEL extent_ = {5080, 3810};  // HIMETRIC, 200 x 150 pixels at 96 dpi
    std::map<DISPID, VARIANT> properties_;
};

void WindowGone(FlashStandIn* owner) {
    owner->ForgetWindow();
}

// ---------------------------------------------------------------------------

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() { InterlockedIncrement(&g_liveObjects); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* object = new (std::nothrow) FlashStandIn();
        if (object == nullptr) return E_OUTOFMEMORY;
        Log("create");
        HRESULT result = object->QueryInterface(iid, out);
        object->Release();  // drops the creation reference; a failed query destroys it
        return result;
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            InterlockedIncrement(&g_serverLocks);
        } else {
            InterlockedDecrement(&g_serverLocks);
        }
        return S_OK;
    }

private:
    ~ClassFactory() { InterlockedDecrement(&g_liveObjects); }
    LONG refs_ = 1;
};

// ---------------------------------------------------------------------------
// Registration

bool SetString(HKEY root, const std::wstring& keyName, const wchar_t* valueName, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG status = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

LONG DeleteTree(HKEY root, const std::wstring& keyName) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(root, keyName.c_str(), 0, KEY_READ | KEY_WRITE | DELETE, &key);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    for (;;) {
        // Always the first child: each pass deletes the one before.
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        status = DeleteTree(key, child);
        if (status != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return status;
    return RegDeleteKeyW(root, keyName.c_str());
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr && g_classRegistered) {
        // Unloaded while the process lives on: a later load may sit elsewhere,
        // so the class must not keep pointing at this copy's window procedure.
        UnregisterClassA(kWindowClass, g_module);
        g_classRegistered = false;
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (clsid != kFlashClsid) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    HRESULT result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow() {
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    const std::wstring progIdKey = kProgId;
    bool ok = SetString(HKEY_CLASSES_ROOT, clsidKey, nullptr, L"Vorlaks Flash stand-in") &&
              SetString(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", nullptr, path) &&
              SetString(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
              SetString(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID", nullptr, kProgId) &&
              SetString(HKEY_CLASSES_ROOT, progIdKey, nullptr, L"Vorlaks Flash stand-in") &&
              SetString(HKEY_CLASSES_ROOT, progIdKey + L"\\CLSID", nullptr, kClsidText);
    return ok ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
    LONG clsidStatus = DeleteTree(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsidText);
    LONG progIdStatus = DeleteTree(HKEY_CLASSES_ROOT, kProgId);
    return clsidStatus == ERROR_SUCCESS && progIdStatus == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

#if defined(__i386__)
// COM finds these entry points by their plain names, but 32-bit stdcall names
// carry an @n suffix; giving each an undecorated alias lets the .def file
// export them on both builds without the linker's stdcall guesswork.
__asm__(".globl _DllGetClassObject\n.set _DllGetClassObject, _DllGetClassObject@12\n"
        ".globl _DllCanUnloadNow\n.set _DllCanUnloadNow, _DllCanUnloadNow@0\n"
        ".globl _DllRegisterServer\n.set _DllRegisterServer, _DllRegisterServer@0\n"
        ".globl _DllUnregisterServer\n.set _DllUnregisterServer, _DllUnregisterServer@0\n");
#endif
