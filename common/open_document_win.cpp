#include "common/open_document_win.h"

#include <windows.h>

#include "common/late_call_win.h"

namespace common {

void OpenDocument(const std::string& target) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const ShellExecuteFunction shellExecute = LateCall<ShellExecuteFunction>("shell32.dll", "ShellExecuteA");
    if (shellExecute != nullptr) shellExecute(nullptr, nullptr, target.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
}

}  // namespace common
