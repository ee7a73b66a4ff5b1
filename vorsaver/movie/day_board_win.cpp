#include "vorsaver/movie/day_board_win.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "common/system_text_win.h"

namespace {

using vorsaver::DayBoardContent;
using vorsaver::NextDay;
using vorsaver::kDayBoardMotionFrames;
using namespace vorsaver::board;
using namespace vorsaver::board::layout;

const wchar_t kTeamName[] = L"TARROWICK VORLAKS";

// Motion comes in short bursts and the board is still in between, so a
// running saver costs next to nothing.
const UINT_PTR kRestTimer = 1;
const UINT_PTR kFrameTimer = 2;
const UINT kFirstBurstDelayMs = 1200;
const UINT kRestMs = 9000;
const UINT kFrameMs = 50;

// The variables file is a few hundred bytes; anything far larger is not one.
const DWORD kMaxFileBytes = 64 * 1024;

COLORREF ToColorRef(Colour colour) {
    return RGB(Red(colour), Green(colour), Blue(colour));
}

// ---- A 32-bit pixel surface that GDI can draw on as well ----------------

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint32_t* bits = nullptr;  // top-down rows of 0x00RRGGBB
    int width = 0;
    int height = 0;

    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() { Free(); }

    bool Create(int newWidth, int newHeight) {
        Free();
        if (newWidth <= 0 || newHeight <= 0) return false;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = newWidth;
        info.bmiHeader.biHeight = -newHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
        if (bitmap == nullptr || pixels == nullptr) {
            Free();
            return false;
        }
        oldBitmap = SelectObject(dc, bitmap);
        bits = static_cast<std::uint32_t*>(pixels);
        width = newWidth;
        height = newHeight;
        return true;
    }

    Pixels View() const { return {bits, width, height}; }

    void Free() {
        if (dc != nullptr && oldBitmap != nullptr) SelectObject(dc, oldBitmap);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (dc != nullptr) DeleteDC(dc);
        dc = nullptr;
        bitmap = nullptr;
        oldBitmap = nullptr;
        bits = nullptr;
        width = height = 0;
    }
};

// ---- Text ----------------------------------------------------------------

// The variables file is ANSI text in the system's code page, as the data step
// wrote it with the system's date services.
using common::Widen;

// Upper case in the system's code page: the wide CharUpperBuffW does
// nothing on Windows 95, 98 and Me.
std::wstring Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return Widen(text);
}

// Arial is on every Windows, and Wine hands the name to Arial's metric twin
// (Liberation Sans), so text measured on one fits on the other.
const char kFaceName[] = "Arial";

class Font {
public:
    Font(double pixels, bool bold)
        : handle_(CreateFontA(-std::max(1, static_cast<int>(std::lround(pixels))), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                              FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                              ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, kFaceName)) {}
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() {
        if (handle_ != nullptr) DeleteObject(handle_);
    }
    HFONT Handle() const { return handle_; }

private:
    HFONT handle_;
};

struct TextStyle {
    double size;          // design pixels
    bool bold;
    Colour colour;
    double tracking = 0;  // extra design pixels between letters
    bool shadow = false;
};

class TextPainter {
public:
    TextPainter(Surface& surface, const Placement& place) : surface_(surface), place_(place) {
        SetBkMode(surface_.dc, TRANSPARENT);
    }

    double Width(const std::wstring& text, const TextStyle& style) const {
        Font font(place_.Size(style.size), style.bold);
        return Measure(text, font, style);
    }

    // The largest size up to `style.size` (and down to `minimum`) at which
    // `text` fits in `maxWidth` design pixels.
    double FitSize(const std::wstring& text, TextStyle style, double maxWidth, double minimum) const {
        while (style.size > minimum && Width(text, style) > place_.Size(maxWidth)) style.size -= 1;
        return style.size;
    }

    // Writes `text` on a baseline at design coordinates, anchored by `align`
    // (TA_LEFT, TA_CENTER or TA_RIGHT), cut short with an ellipsis where it
    // is wider than `maxWidth`.
    void Put(std::wstring text, const TextStyle& style, double x, double baseline, UINT align,
             double maxWidth = 1e6) const {
        if (text.empty()) return;
        Font font(place_.Size(style.size), style.bold);
        const double limit = place_.Size(maxWidth);
        if (Measure(text, font, style) > limit) {
            while (text.size() > 1 && Measure(text + L"\x2026", font, style) > limit) text.pop_back();
            text += L"\x2026";
        }
        HGDIOBJ old = SelectObject(surface_.dc, font.Handle());
        SetTextCharacterExtra(surface_.dc, static_cast<int>(std::lround(place_.Size(style.tracking))));
        SetTextAlign(surface_.dc, align | TA_BASELINE | TA_NOUPDATECP);
        const int px = static_cast<int>(std::lround(place_.X(x)));
        const int py = static_cast<int>(std::lround(place_.Y(baseline)));
        if (style.shadow) {
            const int drop = std::max(1, static_cast<int>(std::lround(place_.Size(2))));
            SetTextColor(surface_.dc, ToColorRef(kShadow));
            TextOutW(surface_.dc, px + drop / 2, py + drop, text.c_str(), static_cast<int>(text.size()));
        }
        SetTextColor(surface_.dc, ToColorRef(style.colour));
        TextOutW(surface_.dc, px, py, text.c_str(), static_cast<int>(text.size()));
        SetTextCharacterExtra(surface_.dc, 0);
        SelectObject(surface_.dc, old);
    }

private:
    double Measure(const std::wstring& text, const Font& font, const TextStyle& style) const {
        HGDIOBJ old = SelectObject(surface_.dc, font.Handle());
        SetTextCharacterExtra(surface_.dc, static_cast<int>(std::lround(place_.Size(style.tracking))));
        SIZE size = {};
        GetTextExtentPoint32W(surface_.dc, text.c_str(), static_cast<int>(text.size()), &size);
        SetTextCharacterExtra(surface_.dc, 0);
        SelectObject(surface_.dc, old);
        return size.cx;
    }

    Surface& surface_;
    const Placement& place_;
};

class Renderer {
public:
    Renderer(Surface& surface, const DayBoardContent& content)
        : surface_(surface),
          pixels_(surface.View()),
          content_(content),
          place_(surface.width, surface.height),
          text_(surface, place_) {}

    void Still() {
        Background();
        if (content_.empty) {
            EmptyBoard();
            return;
        }
        Header();
        Today();
        NextDays();
    }

private:
    Contour DesignBox(double left, double top, double right, double bottom) const {
        return Box(place_.X(left), place_.Y(top), place_.X(right), place_.Y(bottom));
    }

    Contour DesignSlanted(double left, double top, double right, double bottom, double slant) const {
        return Slanted(place_.X(left), place_.Y(top), place_.X(right), place_.Y(bottom), place_.Size(slant));
    }

    Paint Gradient(Colour top, Colour bottom, double y0, double y1, double opacity = 1) const {
        return {top, bottom, place_.Y(y0), place_.Y(y1), opacity};
    }

    void Background() {
        const Contour all = Box(0, 0, surface_.width, surface_.height);
        FillShape(pixels_, all, {kNavy, kDeepNavy, 0, double(surface_.height)});
        // Broad diagonal bands give the navy some depth without drawing the eye.
        const double bands[][2] = {{300, 120}, {450, 60}, {540, 26}};
        for (const auto& band : bands) {
            FillShape(pixels_, DesignSlanted(band[0], 0, band[0] + band[1], kDesignHeight, -260),
                      Solid(kIce, 0.035));
        }
    }

    void Header() {
        FillShape(pixels_, DesignBox(0, 0, kDesignWidth, kHeaderBottom),
                  Gradient(Mix(kNavy, kIce, 0.16), kNavy, 0, kHeaderBottom));
        FillShape(pixels_, DesignBox(0, 0, kDesignWidth, 1.5), Solid(kIce, 0.25));
        // Speed stripes at the band's right end.
        for (double x : {548.0, 572.0, 596.0}) {
            FillShape(pixels_, DesignSlanted(x, 0, x + 12, kHeaderBottom, 30), Solid(kGold, x == 596.0 ? 0.9 : 0.35));
        }
        FillShape(pixels_, DesignBox(0, kHeaderBottom, kDesignWidth, kRuleBottom),
                  Gradient(Mix(kGold, kWhite, 0.2), kGold, kHeaderBottom, kRuleBottom));
        FillShape(pixels_, DesignBox(0, kRuleBottom, kDesignWidth, kRuleBottom + 3), Solid(kShadow, 0.45));

        // The name keeps clear of the speed stripes.
        const double nameLeft = kCrestLeft + kCrestWidth + 18, nameRight = 532;
        const double size = text_.FitSize(kTeamName, {34, true, kWhite, 1.5}, nameRight - nameLeft, 20);
        text_.Put(kTeamName, {size, true, kWhite, 1.5, true}, nameLeft, 53, TA_LEFT, nameRight - nameLeft);

        if (!content_.date.empty()) {
            const std::wstring date = Upper(content_.date);
            const double maxText = kDesignWidth - kMargin - kDateTabLeft - 40;
            TextStyle dateStyle = {19, true, kDeepNavy, 1.2};
            dateStyle.size = text_.FitSize(date, dateStyle, maxText, 14);
            const double width = std::min(text_.Width(date, dateStyle) / place_.scale, maxText);
            const double tabRight = kDateTabLeft + width + 40;
            FillShape(pixels_, DesignSlanted(kDateTabLeft + 3, kRuleBottom + 3, tabRight + 3, kDateTabBottom + 3, -12),
                      Solid(kShadow, 0.5));
            FillShape(pixels_, DesignSlanted(kDateTabLeft, kRuleBottom, tabRight, kDateTabBottom, -12),
                      Gradient(kGold, Mix(kGold, kShadow, 0.12), kRuleBottom, kDateTabBottom));
            text_.Put(date, dateStyle, kDateTabLeft + 14, kDateTabBottom - 9, TA_LEFT, maxText);
        }
        DrawCrest(pixels_, place_.X(kCrestLeft), place_.Y(kCrestTop), place_.Size(kCrestWidth));
    }

    void Today() {
        const double left = kMargin, right = kDesignWidth - kMargin;
        FillShape(pixels_, DesignBox(left + 4, kPanelTop + 4, right + 4, kPanelBottom + 4), Solid(kShadow, 0.45));
        FillShape(pixels_, DesignBox(left, kPanelTop, right, kPanelBottom),
                  Gradient(Mix(kNavy, kIce, 0.14), Mix(kDeepNavy, kNavy, 0.3), kPanelTop, kPanelBottom));
        FillShape(pixels_, DesignBox(left, kPanelTop, right, kPanelTop + 1.5), Solid(kIce, 0.35));
        FillShape(pixels_, DesignBox(left, kPanelTop, left + 6, kPanelBottom),
                  Gradient(Mix(kGold, kWhite, 0.2), kGold, kPanelTop, kPanelBottom));

        // The crest's chevron, large and faint, keeps the panel from looking bare.
        const double markWidth = 190;
        FillShape(pixels_, Chevron(place_.X(right - markWidth + 28), place_.Y(kPanelTop - 14), place_.Size(markWidth)),
                  Solid(kIce, 0.045));

        FillShape(pixels_, DesignSlanted(left + 6, kPanelTop, kChipRight, kChipBottom, 8), Solid(kIce));
        text_.Put(L"TODAY", {14, true, kDeepNavy, 2.5}, left + 20, kChipBottom - 8, TA_LEFT);
        if (content_.hasGame) {
            FillShape(pixels_, Circle(place_.X(kPulseCentre.x), place_.Y(kPulseCentre.y), place_.Size(kPulseRadius)),
                      Solid(kGold));
            text_.Put(L"GAME DAY", {14, true, kGold, 2.5}, kPulseCentre.x + 20, kChipBottom - 8, TA_LEFT);
        }

        const double textLeft = left + 30, textRight = right - 24;
        const double width = textRight - textLeft;
        const double centre = (textLeft + textRight) / 2;
        const double areaTop = kChipBottom + 6, areaBottom = kPanelBottom - 12;

        if (!content_.hasGame) {
            const std::wstring noGame = Upper(vorsaver::kNoGameText);
            const double size = text_.FitSize(noGame, {56, true, kIce, 4}, width, 20);
            text_.Put(noGame, {size, true, kIce, 4, true}, centre, (areaTop + areaBottom) / 2 + size * 0.36,
                      TA_CENTER, width);
            return;
        }

        // The headline (the team text where it says more than the team's
        // name), then the first line large and the rest beneath it.
        struct Line {
            std::wstring text;
            TextStyle style;
        };
        std::vector<Line> lines;
        const std::wstring team = Upper(content_.team);
        if (!team.empty() && team != kTeamName) lines.push_back({team, {22, true, kGold, 1.5, true}});
        for (std::size_t i = 0; i < content_.gameLines.size(); ++i) {
            const std::wstring line = Widen(content_.gameLines[i]);
            if (i == 0) {
                lines.push_back({line, {40, true, kWhite, 0, true}});
            } else {
                lines.push_back({line, {28, false, kIce, 0.5, true}});
            }
        }
        if (lines.empty()) return;

        // Shrink everything alike until the block fits the panel, then each
        // line on its own until it fits the width.
        double total = 0;
        double factor = 1;
        for (int attempt = 0; attempt < 40; ++attempt) {
            total = 0;
            for (const Line& line : lines) total += line.style.size * factor * 1.28;
            if (total <= areaBottom - areaTop) break;
            factor *= 0.95;
        }
        double y = areaTop + (areaBottom - areaTop - total) / 2;
        for (Line& line : lines) {
            line.style.size *= factor;
            const double advance = line.style.size * 1.28;
            line.style.size = text_.FitSize(line.text, line.style, width, std::min(line.style.size, 14.0));
            text_.Put(line.text, line.style, centre, y + advance * 0.5 + line.style.size * 0.36, TA_CENTER, width);
            y += advance;
        }
    }

    void NextDays() {
        bool anyTile = false;
        for (const NextDay& day : content_.nextDays) anyTile = anyTile || day.present;
        if (!anyTile) return;

        const double left = kMargin, right = kDesignWidth - kMargin;
        text_.Put(L"COMING UP", {13, true, kIce, 3}, left, kComingUpBaseline, TA_LEFT);
        const double labelEnd = left + text_.Width(L"COMING UP", {13, true, kIce, 3}) / place_.scale + 12;
        FillShape(pixels_, DesignBox(labelEnd, kComingUpBaseline - 5, right, kComingUpBaseline - 4),
                  Solid(kIce, 0.3));

        const double tileWidth = (right - left - 2 * kTileGap) / vorsaver::kNextDayCount;
        for (int i = 0; i < vorsaver::kNextDayCount; ++i) {
            const double x = left + i * (tileWidth + kTileGap);
            Tile(content_.nextDays[i], x, x + tileWidth);
        }
    }

    void Tile(const NextDay& day, double left, double right) {
        if (!day.present) return;
        const double top = kTileTop, bottom = kTileBottom;
        if (day.dayNumber.empty() && !day.hasGame) {
            // An entry the file left empty: the place stays, with nothing in it.
            const std::vector<Contour> outline = {DesignBox(left, top, right, bottom),
                                                  DesignBox(left + 1, top + 1, right - 1, bottom - 1)};
            FillShape(pixels_, outline, Solid(kIce, 0.18));
            return;
        }
        FillShape(pixels_, DesignBox(left + 3, top + 3, right + 3, bottom + 3), Solid(kShadow, 0.45));
        if (day.hasGame) {
            FillShape(pixels_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, 0.2), Mix(kNavy, kDeepNavy, 0.4), top, bottom));
            FillShape(pixels_, DesignBox(left, top, right, top + 4), Solid(kGold));
        } else {
            FillShape(pixels_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, 0.07), kDeepNavy, top, bottom));
            FillShape(pixels_, DesignBox(left, top, right, top + 2), Solid(kIce, 0.35));
        }

        const std::wstring number = Widen(day.dayNumber);
        const double middle = (top + 4 + bottom) / 2;
        if (!day.hasGame) {
            text_.Put(number, {50, true, kIce, 0, true}, (left + right) / 2, middle + 18, TA_CENTER, right - left - 16);
            return;
        }
        const double split = left + 78;
        text_.Put(number, {50, true, kWhite, 0, true}, (left + split) / 2 + 2, middle + 18, TA_CENTER,
                  split - left - 8);
        FillShape(pixels_, DesignBox(split, top + 16, split + 1, bottom - 12), Solid(kIce, 0.35));
        const double textLeft = split + 14, width = right - textLeft - 10;
        const std::wstring tag = Upper(day.tag);
        const std::wstring lead = Widen(day.lead);
        TextStyle tagStyle = {28, true, kGold, 1.5, true};
        tagStyle.size = text_.FitSize(tag, tagStyle, width, 16);
        if (lead.empty()) {
            text_.Put(tag, tagStyle, textLeft, middle + 10, TA_LEFT, width);
        } else {
            TextStyle leadStyle = {21, true, kWhite, 0.5, true};
            leadStyle.size = text_.FitSize(lead, leadStyle, width, 14);
            text_.Put(tag, tagStyle, textLeft, middle - 2, TA_LEFT, width);
            text_.Put(lead, leadStyle, textLeft, middle + 25, TA_LEFT, width);
        }
    }

    // Nothing left in the schedule: the team's name and colours, and nothing
    // that could be taken for a date or a game.
    void EmptyBoard() {
        const double crestLeft = (kDesignWidth - kEmptyCrestWidth) / 2;
        // The header's speed stripes, in two opposite corners.
        for (double x : {548.0, 572.0, 596.0}) {
            const double opacity = x == 596.0 ? 0.9 : 0.35;
            FillShape(pixels_, DesignSlanted(x, 0, x + 12, 80, 30), Solid(kGold, opacity));
            FillShape(pixels_, DesignSlanted(641 - x - 12 - 30, 401, 641 - x - 30, 481, 30), Solid(kGold, opacity));
        }
        DrawCrest(pixels_, place_.X(crestLeft), place_.Y(kEmptyCrestTop), place_.Size(kEmptyCrestWidth));
        const double nameWidth = kDesignWidth - 2 * kMargin - 40;
        const double size = text_.FitSize(kTeamName, {40, true, kWhite, 3}, nameWidth, 18);
        text_.Put(kTeamName, {size, true, kWhite, 3, true}, kDesignWidth / 2, kEmptyNameMiddle + size * 0.36,
                  TA_CENTER, nameWidth);
        FillShape(pixels_, DesignSlanted(220, kEmptyRuleTop, 421, kEmptyRuleTop + 5, 4), Solid(kGold));
    }

    Surface& surface_;
    Pixels pixels_;
    const DayBoardContent& content_;
    Placement place_;
    TextPainter text_;
};

void RenderStill(Surface& surface, const DayBoardContent& content) {
    Renderer(surface, content).Still();
    GdiFlush();
}

// ---- The window ------------------------------------------------------------

struct Board {
    DayBoardContent content;
    Surface surface;
    std::vector<std::uint32_t> still;  // the surface without motion
    int frame = -1;                    // the burst's current frame, -1 between bursts
    int shownFrame = -1;               // the frame the surface holds
};

std::string ReadVariablesFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (bytes.size() < kMaxFileBytes && ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

Board* BoardOf(HWND hwnd) {
    return reinterpret_cast<Board*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Brings the surface to the window's size and to the frame to be shown.
bool PrepareSurface(HWND hwnd, Board& board) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (board.surface.width != client.right || board.surface.height != client.bottom || board.surface.bits == nullptr) {
        if (!board.surface.Create(client.right, client.bottom)) return false;
        RenderStill(board.surface, board.content);
        board.still.assign(board.surface.bits,
                           board.surface.bits + static_cast<std::size_t>(board.surface.width) * board.surface.height);
        board.shownFrame = -1;
    }
    if (board.shownFrame != board.frame) {
        const MotionRows rows = MotionRowsOf(board.surface.width, board.surface.height, board.content);
        const std::size_t first = static_cast<std::size_t>(rows.top) * board.surface.width;
        const std::size_t count = static_cast<std::size_t>(rows.bottom - rows.top) * board.surface.width;
        std::memcpy(board.surface.bits + first, board.still.data() + first, count * sizeof(std::uint32_t));
        ApplyMotion(board.surface.View(), board.content, board.frame);
        board.shownFrame = board.frame;
    }
    return true;
}

void InvalidateMotion(HWND hwnd, const Board& board) {
    RECT client;
    GetClientRect(hwnd, &client);
    const MotionRows rows = MotionRowsOf(client.right, client.bottom, board.content);
    RECT changed = {0, rows.top, client.right, rows.bottom};
    InvalidateRect(hwnd, &changed, FALSE);
}

void PaintBoard(HWND hwnd, Board& board) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const RECT& dirty = paint.rcPaint;
    if (PrepareSurface(hwnd, board)) {
        BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, board.surface.dc,
               dirty.left, dirty.top, SRCCOPY);
    } else {
        HBRUSH navy = CreateSolidBrush(ToColorRef(kNavy));
        FillRect(dc, &dirty, navy);
        DeleteObject(navy);
    }
    EndPaint(hwnd, &paint);
}

// A burst is due: show its first frame and run the frame timer.
void StartBurst(HWND hwnd, Board& board) {
    KillTimer(hwnd, kRestTimer);
    board.frame = 0;
    SetTimer(hwnd, kFrameTimer, kFrameMs, nullptr);
    InvalidateMotion(hwnd, board);
}

void NextFrame(HWND hwnd, Board& board) {
    if (++board.frame >= kDayBoardMotionFrames) {
        board.frame = -1;
        KillTimer(hwnd, kFrameTimer);
        SetTimer(hwnd, kRestTimer, kRestMs, nullptr);
    }
    InvalidateMotion(hwnd, board);
}

struct CreateParams {
    std::unique_ptr<Board> board;
};

LRESULT CALLBACK BoardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* params = static_cast<CreateParams*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(params->board.release()));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Board* board = BoardOf(hwnd);
    if (board == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_CREATE:
        SetTimer(hwnd, kRestTimer, kFirstBurstDelayMs, nullptr);
        return 0;
    // The saver window holds the mouse and decides what input means; the
    // board is only a picture on it.
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETFOCUS:
        // Keys close the saver, so they must reach the parent.
        if (HWND parent = GetParent(hwnd)) SetFocus(parent);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBoard(hwnd, *board);
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd, &client);
        DrawDayBoard(reinterpret_cast<HDC>(wParam), client.right, client.bottom, board->content, board->frame);
        return 0;
    }
    case WM_SIZE:
        board->surface.Free();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (wParam == kRestTimer) StartBurst(hwnd, *board);
        if (wParam == kFrameTimer) NextFrame(hwnd, *board);
        return 0;
    case WM_NCDESTROY:
        KillTimer(hwnd, kRestTimer);
        KillTimer(hwnd, kFrameTimer);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete board;
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterBoardClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kDayBoardClassName, &existing)) return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BoardProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kDayBoardClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

HWND CreateDayBoard(HWND parent, const RECT& rect, const std::string& variablesPath) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterBoardClass(instance)) return nullptr;
    CreateParams params;
    params.board = std::make_unique<Board>();
    params.board->content = vorsaver::ReadDayBoard(ReadVariablesFile(variablesPath));
    // If creation fails after the window took the board, the window has
    // already freed it; otherwise `params` still holds it and frees it here.
    return CreateWindowExA(WS_EX_NOPARENTNOTIFY, kDayBoardClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           instance, &params);
}

void DrawDayBoard(HDC dc, int width, int height, const DayBoardContent& content, int frame) {
    Surface surface;
    if (!surface.Create(width, height)) return;
    // Type a few pixels high loses its smoothing and its shape, so a small
    // picture is drawn a whole number of times larger and averaged down.
    const double scale = std::min(width / kDesignWidth, height / kDesignHeight);
    const int factor = std::min(8, static_cast<int>(std::ceil(0.9 / std::max(scale, 0.01))));
    Surface large;
    if (factor > 1 && large.Create(width * factor, height * factor)) {
        RenderStill(large, content);
        ApplyMotion(large.View(), content, frame);
        ShrinkInto(large.View(), surface.View(), factor);
    } else {
        RenderStill(surface, content);
        ApplyMotion(surface.View(), content, frame);
    }
    BitBlt(dc, 0, 0, width, height, surface.dc, 0, 0, SRCCOPY);
}
