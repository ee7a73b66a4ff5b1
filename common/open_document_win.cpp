#include "common/open_document_win.h"

#include <windows.h>
#include <shellapi.h>

namespace common {

void OpenDocument(const std::string& target) {
    ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
}

}  // namespace common
