// A Windows function reached through the DLL loaded at its first use rather
// than the program's imports: a DLL imported is mapped at every start, and
// under Wine shell32 and winmm alone add 1.4 MB to the working set of a
// program that may never call them, ole32 and oleaut32 another 2.1 MB.
#pragma once

#include <windows.h>

namespace common {

template <typename Function>
Function FunctionIn(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The function `name` of `dll`, loading it now (it then stays loaded);
// null where either is missing.
template <typename Function>
Function LateCall(const char* dll, const char* name) {
    return FunctionIn<Function>(LoadLibraryA(dll), name);
}

// A DLL held only as long as its holder: loaded at the first call wanted of
// it, let go with the holder, so that a program that needs it for a moment
// (a few dates converted at start) does not carry it all night.
class LateLibrary {
public:
    explicit LateLibrary(const char* dll) : dll_(dll) {}
    ~LateLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    LateLibrary(const LateLibrary&) = delete;
    LateLibrary& operator=(const LateLibrary&) = delete;

    // The function `name`, loading the DLL if it is not yet; null where
    // either is missing (a missing DLL is looked for once).
    template <typename Function>
    Function Call(const char* name) {
        if (module_ == nullptr && !tried_) {
            tried_ = true;
            module_ = LoadLibraryA(dll_);
        }
        return FunctionIn<Function>(module_, name);
    }

private:
    const char* dll_;
    HMODULE module_ = nullptr;
    bool tried_ = false;
};

}  // namespace common
