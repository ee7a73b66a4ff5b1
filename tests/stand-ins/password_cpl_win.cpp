// Stands in for the Windows 95/98 "password.cpl" so end-to-end tests can
// drive the saver's password check. Each call is logged to
// %VORLAKS_PASSWORD_LOG% and answered through a real modal dialog, so a test
// has to type and click the way a person would; the expected password is
// %VORLAKS_PASSWORD%, or "vorlaks" when that is unset.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/stand-ins/stand_in_log_win.h"

namespace {

const int kPasswordEdit = 100;
const char kDefaultPassword[] = "vorlaks";

// Set in the high half of every answer, so a caller that tests all 32 bits
// instead of the low 16 mistakes a refusal for a confirmation and is caught.
const DWORD kHighMarker = 0xABCD0000u;

// The log the tests read.
void Log(const std::string& text) { standin::AppendLine(standin::LogPath("VORLAKS_PASSWORD_LOG"), text); }

// An empty but present variable means an empty password, not the default.
std::string ExpectedPassword() {
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableA("VORLAKS_PASSWORD", nullptr, 0);
    if (size == 0) return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? kDefaultPassword : "";
    std::string value(size, '\0');
    DWORD length = GetEnvironmentVariableA("VORLAKS_PASSWORD", &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

std::string TypedText(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kPasswordEdit);
    int length = GetWindowTextLengthA(edit);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(edit, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

// ---------------------------------------------------------------------------
// The dialog is built in memory so the stand-in is one source file with no
// resource script. Templates hold their strings as UTF-16 even for the ANSI
// entry points, and every item must start on a DWORD boundary.

class DialogTemplate {
public:
    void Header(DWORD style, WORD itemCount, short cx, short cy, const wchar_t* title, WORD pointSize,
                const wchar_t* font) {
        Dword(style);
        Dword(0);  // extended style
        Word(itemCount);
        Word(0);  // x and y: DS_CENTER places it
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // standard dialog class
        Text(title);
        Word(pointSize);
        Text(font);
    }

    void Item(WORD atomClass, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
        if (words_.size() % 2 != 0) Word(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);  // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);  // a predefined class by atom follows
        Word(atomClass);
        Text(text);
        Word(0);  // no creation data
    }

    LPCDLGTEMPLATEA Get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(words_.data()); }

private:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        for (; *text != L'\0'; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }

    // WORD elements from operator new are aligned well beyond DWORD, so item
    // offsets counted in words give the alignment the template needs.
    std::vector<WORD> words_;
};

const WORD kButtonAtom = 0x0080;
const WORD kEditAtom = 0x0081;
const WORD kStaticAtom = 0x0082;
const WORD kNoId = 0xFFFF;

INT_PTR CALLBACK PasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;  // focus goes to the edit, the first tab stop
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const auto* expected = reinterpret_cast<const std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
            EndDialog(dialog, expected != nullptr && TypedText(dialog) == *expected ? 1 : 0);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {  // also what the close box sends
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int AskForPassword(HWND owner) {
    DialogTemplate dialog;
    dialog.Header(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 200, 62,
                  L"Windows Screen Saver", 8, L"MS Shell Dlg");
    dialog.Item(kStaticAtom, SS_LEFT, 7, 7, 186, 8, kNoId, L"Type your screen saver password:");
    dialog.Item(kEditAtom, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 18, 186, 12,
                kPasswordEdit, L"");
    dialog.Item(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 40, 50, 14, IDOK, L"OK");
    dialog.Item(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 143, 40, 50, 14, IDCANCEL, L"Cancel");

    std::string expected = ExpectedPassword();
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner, PasswordDialogProc,
                                             reinterpret_cast<LPARAM>(&expected));
    return result == 1 ? 1 : 0;  // -1 means the dialog never appeared
}

}  // namespace

#if defined(__i386__)
// A 32-bit stdcall symbol carries its argument size ("@4"), but callers look
// the export up by the bare name; the alias gives the linker that name
// without relying on its stdcall fix-up, which warns.
__asm__(".globl _VerifyScreenSavePwd\n\t.set _VerifyScreenSavePwd, _VerifyScreenSavePwd@4");
#endif

// Handles are 32-bit values even in a 64-bit process, so the log shows the
// 32-bit value, as the saver would write it on a command line.
extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
    auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner));
    Log("verify " + std::to_string(handle) + " capture=" + (GetCapture() != nullptr ? "1" : "0"));
    int answer = AskForPassword(owner);
    Log("answer " + std::to_string(answer));
    return static_cast<BOOL>(kHighMarker | static_cast<DWORD>(answer));
}
