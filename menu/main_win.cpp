// The menu program's entry: Module1's `Main`.
#include <windows.h>

#include "menu/frm_main_win.h"
#include "menu/module1_win.h"

namespace Module1 {

namespace {
// Held by the running copy until it ends; Windows lets go of it even when
// the program ends at once from Exit.
const char kRunningCopyName[] = "TarrowickVorlaksThemePackMenu";
}  // namespace

void Main() {
    HANDLE running = CreateMutexA(nullptr, FALSE, kRunningCopyName);
    // Autorun and a double-click can each start the menu; the second copy
    // leaves without a window and the first one stays as it is.
    if (running != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) return;
    frmMain::ShowModal();
}

}  // namespace Module1

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Module1::Main();
    return 0;
}
