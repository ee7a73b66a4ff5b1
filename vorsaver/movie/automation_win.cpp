#include "vorsaver/movie/automation_win.h"

#include "common/late_call_win.h"

namespace vorsaver::automation {

namespace {

template <typename Function>
Function Ole(const char* name) {
    return common::LateCall<Function>("ole32.dll", name);
}

template <typename Function>
Function Automation(const char* name) {
    return common::LateCall<Function>("oleaut32.dll", name);
}

}  // namespace

HRESULT OleInitialize() {
    static const auto call = Ole<HRESULT(WINAPI*)(LPVOID)>("OleInitialize");
    return call != nullptr ? call(nullptr) : E_NOTIMPL;
}

HRESULT CoCreateInstance(REFCLSID classId, DWORD context, REFIID iid, void** out) {
    static const auto call = Ole<HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)>("CoCreateInstance");
    if (call != nullptr) return call(classId, nullptr, context, iid, out);
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT VariantClear(VARIANT* variant) {
    static const auto call = Automation<HRESULT(WINAPI*)(VARIANTARG*)>("VariantClear");
    return call != nullptr ? call(variant) : E_NOTIMPL;
}

HRESULT VariantCopy(VARIANT* to, const VARIANT* from) {
    static const auto call = Automation<HRESULT(WINAPI*)(VARIANTARG*, const VARIANTARG*)>("VariantCopy");
    return call != nullptr ? call(to, from) : E_NOTIMPL;
}

HRESULT VariantChangeType(VARIANT* to, const VARIANT* from, USHORT flags, VARTYPE type) {
    static const auto call =
        Automation<HRESULT(WINAPI*)(VARIANTARG*, const VARIANTARG*, USHORT, VARTYPE)>("VariantChangeType");
    return call != nullptr ? call(to, from, flags, type) : E_NOTIMPL;
}

BSTR SysAllocString(const OLECHAR* text) {
    static const auto call = Automation<BSTR(WINAPI*)(const OLECHAR*)>("SysAllocString");
    return call != nullptr ? call(text) : nullptr;
}

}  // namespace vorsaver::automation
