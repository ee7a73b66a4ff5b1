// Stands in for the web browser: appends each address it is handed to a log,
// one per line. The log is %VORLAKS_URL_LOG%, or url-sink.log beside it.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char logPath[MAX_PATH] = {};
    if (GetEnvironmentVariableA("VORLAKS_URL_LOG", logPath, MAX_PATH) == 0) {
        GetModuleFileNameA(nullptr, logPath, MAX_PATH);
        std::string own(logPath);
        std::string path = own.substr(0, own.find_last_of('\\')) + "\\url-sink.log";
        lstrcpynA(logPath, path.c_str(), MAX_PATH);
    }
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
    address += "\r\n";
    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(log, address.data(), static_cast<DWORD>(address.size()), &written, nullptr);
    CloseHandle(log);
    return 0;
}
