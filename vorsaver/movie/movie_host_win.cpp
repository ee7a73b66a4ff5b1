#include "vorsaver/movie/movie_host_win.h"

#include <olectl.h>

#include "common/plain_text.h"
#include "vorsaver/movie/automation_win.h"

namespace vorsaver {

// The container's side of the conversation with the control: client site,
// in-place site and frame, control site, ambient properties and the
// property bag of the saved set-up, all in one reference-counted object.
class ControlSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IOleControlSite,
                          public IDispatch,
                          public IPropertyBag {
public:
    ControlSite(MovieHost* host, const std::vector<SetupProperty>& setup) : host_(host), setup_(setup) {}

    // The host goes before the site may: the control can still hold a
    // reference for a while after it is closed.
    void Detach() { host_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else if (iid == IID_IOleControlSite) {
            *out = static_cast<IOleControlSite*>(this);
        } else if (iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else if (iid == IID_IPropertyBag) {
            *out = static_cast<IPropertyBag*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* out) override {
        if (out == nullptr) return E_POINTER;
        *out = host_ ? host_->parent_ : nullptr;
        return *out ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                  RECT* clip, OLEINPLACEFRAMEINFO* info) override {
        if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr) return E_POINTER;
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        *position = host_ ? host_->rect_ : RECT{};
        *clip = *position;
        if (info != nullptr) {
            info->fMDIApp = FALSE;
            info->hwndFrame = host_ ? host_->parent_ : nullptr;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(const RECT* rect) override {
        // The control's own wish to move is not granted: the window places it.
        (void)rect;
        return S_OK;
    }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tool bars or status.
    STDMETHODIMP GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL gotFocus) override {
        if (gotFocus && host_ && host_->onGotFocus) host_->onGotFocus();
        return S_OK;
    }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties. The control runs in user mode, not
    // in a designer, and takes defaults for everything else.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (!(flags & DISPATCH_PROPERTYGET) || result == nullptr) return DISP_E_MEMBERNOTFOUND;
        automation::VariantInit(result);
        switch (id) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
            return S_OK;
        case DISPID_AMBIENT_BACKCOLOR:
            result->vt = VT_I4;
            result->lVal = 0;  // black, like the window
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    // IPropertyBag: the saved set-up, read by the control when it loads.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (name == nullptr || value == nullptr) return E_POINTER;
        for (const SetupProperty& property : setup_) {
            if (!common::SameNameIgnoringCase(property.name, name)) continue;
            VARTYPE wanted = value->vt;
            VARIANT stored;
            automation::VariantInit(&stored);
            if (property.isFlag) {
                stored.vt = VT_BOOL;
                stored.boolVal = property.flag ? VARIANT_TRUE : VARIANT_FALSE;
            } else {
                stored.vt = VT_BSTR;
                stored.bstrVal = automation::SysAllocString(property.text);
            }
            HRESULT result = S_OK;
            if (wanted == VT_EMPTY || wanted == stored.vt) {
                automation::VariantInit(value);
                result = automation::VariantCopy(value, &stored);
            } else {
                automation::VariantInit(value);
                result = automation::VariantChangeType(value, &stored, 0, wanted);
            }
            automation::VariantClear(&stored);
            return result;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

private:
    ULONG references_ = 1;
    MovieHost* host_;
    std::vector<SetupProperty> setup_;
};

bool MovieHost::Create(HWND parent, const CLSID& classId, const RECT& rect, const std::vector<SetupProperty>& setup) {
    Destroy();
    parent_ = parent;
    rect_ = rect;
    if (FAILED(automation::CoCreateInstance(classId, CLSCTX_INPROC_SERVER, IID_IOleObject, control_.Out())) ||
        !control_) {
        control_.Reset();
        return false;
    }
    site_ = new ControlSite(this, setup);
    control_->SetClientSite(static_cast<IOleClientSite*>(site_));

    // The saved set-up goes in through the property bag where the control
    // takes one; otherwise it starts from its own defaults.
    common::ComPtr<IPersistPropertyBag> persistBag;
    common::ComPtr<IPersistStreamInit> persistStream;
    if (SUCCEEDED(control_->QueryInterface(IID_IPersistPropertyBag, persistBag.Out()))) {
        persistBag->InitNew();
        persistBag->Load(static_cast<IPropertyBag*>(site_), nullptr);
    } else if (SUCCEEDED(control_->QueryInterface(IID_IPersistStreamInit, persistStream.Out()))) {
        persistStream->InitNew();
    }

    // In place, but not UI-active: the control gets a window of its own
    // without being handed the keyboard focus.
    if (FAILED(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, parent_,
                                &rect_))) {
        Destroy();
        return false;
    }
    return true;
}

HRESULT MovieHost::PutProperty(DISPID id, const VARIANT& value) {
    if (!control_) return E_UNEXPECTED;
    common::ComPtr<IDispatch> dispatch;
    HRESULT result = control_->QueryInterface(IID_IDispatch, dispatch.Out());
    if (FAILED(result)) return result;
    VARIANT argument = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {};
    parameters.rgvarg = &argument;
    parameters.cArgs = 1;
    parameters.rgdispidNamedArgs = &named;
    parameters.cNamedArgs = 1;
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr,
                            nullptr);
}

void MovieHost::Move(const RECT& rect) {
    rect_ = rect;
    if (!control_) return;
    common::ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, inPlace.Out()))) {
        inPlace->SetObjectRects(&rect_, &rect_);
    }
}

void MovieHost::Destroy() {
    if (control_) {
        common::ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, inPlace.Out()))) {
            inPlace->InPlaceDeactivate();
        }
        control_->Close(OLECLOSE_NOSAVE);
        control_->SetClientSite(nullptr);
        control_.Reset();
    }
    if (site_ != nullptr) {
        site_->Detach();
        site_->Release();
        site_ = nullptr;
    }
}

}  // namespace vorsaver
