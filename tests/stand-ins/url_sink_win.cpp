// Stands in for the web browser: appends each address it is handed to a log,
// one per line. The log is %VORLAKS_URL_LOG%, or url-sink.log beside it.
#include <windows.h>

#include <string>

#include "tests/stand-ins/stand_in_log_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The address arrives as the one (quoted) argument after the program name.
    std::string line = GetCommandLineA();
    std::size_t start = 0;
    if (!line.empty() && line[0] == '"') {
        start = line.find('"', 1);
        start = start == std::string::npos ? line.size() : start + 1;
    } else {
        start = line.find(' ');
        if (start == std::string::npos) start = line.size();
    }
    std::string address = line.substr(start);
    while (!address.empty() && address.front() == ' ') address.erase(0, 1);
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"') {
        address = address.substr(1, address.size() - 2);
    }
    return standin::AppendLine(standin::LogPath("VORLAKS_URL_LOG", "url-sink.log"), address) ? 0 : 1;
}
