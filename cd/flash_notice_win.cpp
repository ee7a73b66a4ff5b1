// install\macromed\axflash.exe on the CD: the place of the Flash player's
// installer, which the CD cannot ship. It says so plainly and, if the user
// wishes, opens the maker's download page; the screen saver needs no player.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const char kTitle[] = "Flash Player";
const char kDownloadPage[] = "http://www.macromedia.com/go/getflashplayer";
const char kNotice[] =
    "The Flash player's installer is not on this CD: only its maker may hand it out.\n\n"
    "The Tarrowick Vorlaks screen saver does not need it. Without the player it shows "
    "today's game and the next days on a board of its own.\n\n"
    "Choose OK to open the maker's download page in your web browser, or Cancel to "
    "go back to the CD's menu.";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (MessageBoxA(nullptr, kNotice, kTitle, MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND) != IDOK) return 0;
    const auto answer =
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, kDownloadPage, nullptr, nullptr, SW_SHOWNORMAL));
    if (answer > 32) return 0;
    const std::string message =
        std::string("No web browser could be started for the download page. Its address is ") + kDownloadPage + ".";
    MessageBoxA(nullptr, message.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
    return 1;
}
