// A Windows function reached through the DLL loaded at its first use rather
// than the program's imports: a DLL imported is mapped at every start, and
// under Wine shell32 and winmm alone add 1.4 MB to the working set of a
// program that may never call them.
#pragma once

#include <windows.h>

namespace common {

// The function `name` of `dll`, loading it now (it then stays loaded);
// null where either is missing.
template <typename Function>
Function LateCall(const char* dll, const char* name) {
    HMODULE module = LoadLibraryA(dll);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace common
