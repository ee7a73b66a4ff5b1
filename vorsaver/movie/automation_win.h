// The OLE and Automation calls of the movie's player, reached through their
// DLLs loaded at the first call (common/late_call_win.h) rather than the
// saver's imports: a saver that shows its own board, where no player is
// installed, never maps them. Once loaded they stay, as the player does.
// Each answers as Windows does where its DLL or function is missing:
// E_NOTIMPL, or no string.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace vorsaver::automation {

HRESULT OleInitialize();
HRESULT CoCreateInstance(REFCLSID classId, DWORD context, REFIID iid, void** out);

// As oleaut32's own: an empty variant, with nothing to free.
inline void VariantInit(VARIANT* variant) {
    variant->vt = VT_EMPTY;
    variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
}
HRESULT VariantClear(VARIANT* variant);
HRESULT VariantCopy(VARIANT* to, const VARIANT* from);
HRESULT VariantChangeType(VARIANT* to, const VARIANT* from, USHORT flags, VARTYPE type);
BSTR SysAllocString(const OLECHAR* text);

}  // namespace vorsaver::automation
