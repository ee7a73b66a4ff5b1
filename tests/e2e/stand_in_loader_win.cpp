#include "tests/e2e/stand_in_loader_win.h"

#include <windows.h>

#include "tests/e2e/load_before_entry_win.h"

namespace e2e {

bool StartWithStandIn(Process& process, const std::string& program, const std::string& arguments,
                      const std::string& workFolder, const std::string& dll, std::string& error) {
    if (!process.StartSuspended(program, arguments, workFolder)) {
        error = "cannot start " + program + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    const bool ok = LoadBeforeEntry(process.Handle(), process.MainThread(), dll, error);
    if (!ok) process.Kill();
    return ok;
}

}  // namespace e2e
