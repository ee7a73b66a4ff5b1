// exec, the CD's document opener: the menu starts it with the path of the
// game page or the help file, and it hands that document to the shell's
// default action, as a double click would. Where nothing can open it, a box
// says why; the exit code is 0 when the document was opened, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "cd/document_path.h"
#include "common/app_folder_win.h"
#include "common/paths.h"
#include "common/system_text_win.h"

namespace {

const char kTitle[] = "Tarrowick Vorlaks CD";

int Report(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    return 1;
}

// What the shell's answer means for the user.
std::string WhyNotOpened(INT_PTR answer, const std::string& path) {
    switch (answer) {
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: {
        const std::size_t dot = path.find_last_of('.');
        const std::size_t slash = path.find_last_of("\\/");
        const std::string kind = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                     ? " (" + path.substr(dot) + ")"
                                     : "";
        return "Nothing on this computer opens " + path + ": Windows has no program for files of this kind" + kind +
               ". A web browser opens the game page, and Notepad the help file.";
    }
    case 0:
    case SE_ERR_OOM:
        return "Windows has not enough memory to open " + path + ".";
    default:
        return "Windows could not open " + path + " (" + common::SystemErrorText(static_cast<unsigned long>(answer)) +
               ").";
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const cd::DocumentPath document =
        cd::DocumentFromArguments(common::CommandArgumentText(), common::ApplicationFolder());
    if (!document.error.empty()) return Report(document.error);
    const std::string& path = document.path;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Report("The document " + path + " cannot be found (" + common::SystemErrorText(GetLastError()) +
                      ").");
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Report(path + " is a folder, not a document.");
    // The document's own folder is the working folder, so that a page finds
    // what lies beside it.
    const std::string folder = common::FolderOfPath(path);
    const auto answer = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                      SW_SHOWNORMAL));
    if (answer > 32) return 0;
    return Report(WhyNotOpened(answer, path));
}
