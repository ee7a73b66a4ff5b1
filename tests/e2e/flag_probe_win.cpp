// Reads or clears the system's screen-saver-running flag from a process of
// its own: a process keeps the system parameters it has read, so a test that
// asked once would never see the saver change the flag.
//   flag-probe           exit code 1 when a screen saver runs, else 0
//   flag-probe clear     clears the flag
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "clear") == 0) {
        UINT scratch = 0;
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &scratch, 0);
        return 0;
    }
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running ? 1 : 0;
}
