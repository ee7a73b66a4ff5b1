// The user's own date conversion and long date text, from Windows.
#include <windows.h>
#include <oleauto.h>

#include "common/late_call_win.h"
#include "common/system_text_win.h"
#include "vorsaver/dates/date_services.h"

namespace vorsaver {

namespace {

using VarDateFromStrCall = HRESULT(WINAPI*)(const OLECHAR*, LCID, ULONG, DATE*);

// A date written the ISO way, as the CD's schedule has them, reads the
// same in every locale and is read here. Any other text goes to the
// Automation DLL (and ole32 under it), loaded at the first such date and let
// go with these services: loading them costs more than the rest of the data
// step, and the saver need not keep 2 MB of OLE all night.
class WindowsDateServices : public DateServices {
public:
    std::optional<double> ParseDate(const std::string& text) const override {
        if (text.empty()) return std::nullopt;
        if (const std::optional<double> iso = ParseIsoDate(text)) return iso;
        std::wstring wide = common::Widen(text);
        // An embedded NUL would cut the text short and read as a shorter date.
        if (wide.find(L'\0') != std::wstring::npos) return std::nullopt;
        const auto convert = automation_.Call<VarDateFromStrCall>("VarDateFromStr");
        DATE date = 0;
        if (convert == nullptr || FAILED(convert(wide.c_str(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
        return date;
    }

    std::string FormatDate(DaySerial day) const override {
        CivilDate civil = CivilFromSerial(day);
        SYSTEMTIME time = {};
        time.wYear = static_cast<WORD>(civil.year);
        time.wMonth = static_cast<WORD>(civil.month);
        time.wDay = static_cast<WORD>(civil.day);
        char text[128] = {};
        if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "MMMM d, yyyy", text, sizeof text) == 0) {
            return std::string();
        }
        return text;
    }

private:
    mutable common::LateLibrary automation_{"oleaut32.dll"};
};

}  // namespace

std::unique_ptr<DateServices> MakeDateServices() {
    return std::make_unique<WindowsDateServices>();
}

DaySerial LocalToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SerialFromCivil(now.wYear, now.wMonth, now.wDay);
}

}  // namespace vorsaver
