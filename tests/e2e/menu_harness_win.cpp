#include "tests/e2e/menu_harness_win.h"

#include <sstream>

#include "common/picture_win.h"
#include "common/twips.h"
#include "forms/form_table.h"
#include "menu/hover_rules.h"
#include "tests/e2e/stand_in_loader_win.h"

namespace e2e {

namespace {

const DWORD kWindowTimeout = 10000;

void CreateFolders(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

struct ChildSearch {
    std::string className;
    std::string text;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (ClassName(child) == search->className && (search->text.empty() || WindowText(child) == search->text)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void SetWineVersion(const std::string& version) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open HKCU\\Software\\Wine";
        return;
    }
    if (version.empty()) {
        RegDeleteValueA(key, "Version");
    } else {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>(version.size() + 1));
    }
    RegCloseKey(key);
}

std::string ThemesProgramPath() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system).substr(0, 3) + "Program Files\\Plus!\\themes.exe";
}

void SetThemesProgram(bool present) {
    std::string path = ThemesProgramPath();
    if (present) {
        CreateFolders(path.substr(0, path.find_last_of('\\')));
        WriteWholeFile(path, "");
        EXPECT_TRUE(FileExists(path)) << path;
    } else {
        DeleteFileA(path.c_str());
        EXPECT_FALSE(FileExists(path)) << path;
    }
}

HWND FindShownWindow(DWORD processId, const std::string& caption) {
    for (HWND window : TopWindows(processId, true)) {
        if (WindowText(window) == caption) return window;
    }
    return nullptr;
}

HWND WaitForShownWindow(DWORD processId, const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindShownWindow(processId, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    ChildSearch search{className, text, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ShowsIcon(HWND box) {
    // A box without one keeps the icon's control, holding no icon.
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
            SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            return true;
        }
    }
    return false;
}

// --- MenuTest ------------------------------------------------------------------

void MenuTest::SetUp() {
    SetWineVersion("");
    SetThemesProgram(false);
    // Blanks in the CD's folder: exec's argument goes unquoted all the same.
    MakeCd(FreshFolder(std::string("Vorlaks CD ") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name()));
    // The pointer rests away from where the menu opens: a window shown under
    // the pointer gets a mouse move at once.
    SetCursorPos(700, 550);
}

void MenuTest::TearDown() {
    if (menu_.Id() != 0 && MenuRunning()) CloseMenu();
    menu_.Kill();
    SetEnv("VORLAKS_START_LOG", "");
    SetEnv("VORLAKS_URL_LOG", "");
    SetWineVersion("");
    SetThemesProgram(false);
}

void MenuTest::MakeCd(const std::string& folder) {
    cd_ = folder;
    log_ = InCd("started.log");
    urlLog_ = InCd("urls.log");
    CreateFolders(InCd("install\\macromed"));
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\menu.exe").c_str(), InCd("menu.exe").c_str(), FALSE)) << cd_;
    for (const char* program : kCdPrograms) {
        ASSERT_TRUE(CopyFileA((BinFolder() + "\\program-standin.exe").c_str(), InCd(program).c_str(), FALSE))
            << program;
    }
    DeleteFileA(log_.c_str());
    DeleteFileA(urlLog_.c_str());
    SetEnv("VORLAKS_START_LOG", log_);
    SetEnv("VORLAKS_URL_LOG", urlLog_);
}

HWND MenuTest::StartMenu(const std::string& standIn) {
    window_ = nullptr;
    menu_.Kill();
    std::string error;
    if (standIn.empty()) {
        EXPECT_TRUE(menu_.Start(InCd("menu.exe"), "", cd_));
    } else {
        EXPECT_TRUE(StartWithStandIn(menu_, InCd("menu.exe"), "", cd_, standIn, error)) << error;
    }
    window_ = WaitForShownWindow(menu_.Id(), kMenuCaption, kWindowTimeout);
    EXPECT_NE(window_, nullptr) << "the menu shows its window";
    if (window_ != nullptr) Sync(window_);
    return window_;
}

void MenuTest::CloseMenu() {
    if (window_ != nullptr && IsWindow(window_)) PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    std::optional<DWORD> code = menu_.WaitForExit(kWindowTimeout);
    EXPECT_TRUE(code.has_value()) << "the close box ends the menu";
    if (code) {
        EXPECT_EQ(*code, 0u);
    }
}

void MenuTest::MoveTo(POINT client) {
    POINT screen = client;
    ClientToScreen(window_, &screen);
    PointAt(window_, screen.x, screen.y);
}

void MenuTest::MoveOutside() { PointAt(window_, 700, 550); }

void MenuTest::ClickAt(POINT client) {
    MoveTo(client);
    // Two clicks on one spot within the double-click time make a double-click,
    // whose second press is no click: each click here stands alone.
    DWORD since = GetTickCount() - lastClick_;
    DWORD needed = GetDoubleClickTime() + 50;
    if (lastClick_ != 0 && since < needed) Sleep(needed - since);
    Click();
    lastClick_ = GetTickCount();
    Sync(window_);
}

std::string MenuTest::InCd(const std::string& name) const {
    return cd_.back() == '\\' ? cd_ + name : cd_ + "\\" + name;
}

std::string MenuTest::StartLog() const { return ReadWholeFile(log_); }

std::string MenuTest::Started(const std::string& commandLine) const {
    // Shown minimised: show command 2, and the program's window came up
    // iconic.
    return commandLine + "|" + cd_ + "|show=2|iconic=1\r\n";
}

bool MenuTest::WaitForStartLog(const std::string& expected, DWORD timeoutMs) const {
    return WaitUntil([&] { return StartLog() == expected; }, timeoutMs);
}

bool MenuTest::NothingMoreStarted(const std::string& before, DWORD settleMs) const {
    return !WaitUntil([&] { return StartLog() != before; }, settleMs);
}

std::string MenuTest::Urls() const { return ReadWholeFile(urlLog_); }

// --- MenuPictures --------------------------------------------------------------

namespace {

const unsigned kTransparent = 0xFF00FF;

bool Lit(const std::string& lit, const std::string& item) {
    std::istringstream words(lit);
    std::string word;
    while (words >> word) {
        if (word == item) return true;
    }
    return false;
}

// Whether a control shows when the named items are lit: a marker item
// shows its marker as well, a swap item its highlighted image instead.
bool Shows(const std::string& control, const std::string& lit) {
    for (const menu::MenuItem& item : menu::kMenuItems) {
        const bool normal = control == menu::NameOf(item.normal);
        if (!normal && control != menu::NameOf(item.lit)) continue;
        if (!Lit(lit, menu::NameOf(item.normal))) return normal;
        return item.hover == menu::Hover::Marker || !normal;
    }
    return false;
}

// The window table as menu.exe carries it.
std::string TableText(HMODULE module) {
    HRSRC found = FindResourceA(module, "frmMain", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    return bytes != nullptr ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found)) : "";
}

}  // namespace

MenuPictures::MenuPictures(const std::string& menuPath) {
    HMODULE module = LoadLibraryExA(menuPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        ADD_FAILURE() << "cannot read the pictures in " << menuPath;
        return;
    }
    backdrop_ = Load(module, "MENU_BACKDROP");
    // Every image where the window table puts it, bottom to top, in pixels
    // at 96 dots per inch; the markers' 400.7 and the like round to whole
    // pixels.
    const forms::TableParse parsed = forms::ParseFormTable(TableText(module));
    if (!parsed.table) ADD_FAILURE() << "menu.exe's window table: " << parsed.error;
    for (const forms::Item& control : parsed.table ? parsed.table->controls : std::vector<forms::Item>()) {
        if (control.kind != forms::Kind::Image) continue;
        Placed placed;
        placed.control = control.name;
        auto pixels = [&](const char* key) { return common::TwipsToPixels(control.Number(key), 96); };
        placed.rect.left = pixels("Left");
        placed.rect.top = pixels("Top");
        placed.rect.right = placed.rect.left + pixels("Width");
        placed.rect.bottom = placed.rect.top + pixels("Height");
        placed.picture = Load(module, control.Text("Picture").c_str());
        placed_.push_back(placed);
    }
    FreeLibrary(module);
}

MenuPictures::Picture MenuPictures::Load(HMODULE module, const char* name) const {
    Picture picture;
    std::string why;
    HBITMAP bitmap = common::LoadPackedPicture(module, name, why);
    if (bitmap == nullptr) {
        ADD_FAILURE() << "menu.exe's picture " << name << ": " << why;
        return picture;
    }
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = -picture.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (unsigned& pixel : picture.pixels) pixel &= 0xFFFFFF;
    return picture;
}

Screenshot MenuPictures::Expected(const std::string& lit) const {
    Screenshot shot;
    shot.width = backdrop_.width;
    shot.height = backdrop_.height;
    shot.pixels = backdrop_.pixels;
    for (const Placed& placed : placed_) {
        if (!Shows(placed.control, lit)) continue;
        const Picture& image = placed.picture;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                unsigned pixel = image.pixels[static_cast<std::size_t>(y) * image.width + x];
                int tx = placed.rect.left + x, ty = placed.rect.top + y;
                if (pixel == kTransparent || tx >= shot.width || ty >= shot.height) continue;
                shot.pixels[static_cast<std::size_t>(ty) * shot.width + tx] = pixel;
            }
        }
    }
    return shot;
}

RECT MenuPictures::Place(const std::string& control) const {
    for (const Placed& placed : placed_) {
        if (placed.control == control) return placed.rect;
    }
    ADD_FAILURE() << "the window table places no " << control;
    return RECT{};
}

std::string LitImageOf(const std::string& normal) {
    for (const menu::MenuItem& item : menu::kMenuItems) {
        if (normal == menu::NameOf(item.normal)) return menu::NameOf(item.lit);
    }
    ADD_FAILURE() << "no item has the normal image " << normal;
    return "";
}

std::string CompareClientArea(const Screenshot& screen, POINT origin, const Screenshot& expected) {
    std::ostringstream report;
    int differing = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            int sx = origin.x + x, sy = origin.y + y;
            unsigned seen = sx < screen.width && sy < screen.height ? screen.At(sx, sy) : 0x1000000;
            if (seen == expected.At(x, y)) continue;
            if (++differing <= 3) {
                report << " (" << x << "," << y << ") shows " << std::hex << seen << " for " << expected.At(x, y)
                       << std::dec << ";";
            }
        }
    }
    if (differing == 0) return "";
    return std::to_string(differing) + " pixels differ:" + report.str();
}

}  // namespace e2e
