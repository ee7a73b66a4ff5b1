#include "vorsaver/movie/day_board_win.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>
#include <vector>

namespace {

using vorsaver::DayBoardContent;
using vorsaver::NextDay;

// The team's colours.
const COLORREF kNavy = RGB(11, 31, 75);
const COLORREF kDeepNavy = RGB(6, 16, 40);
const COLORREF kGold = RGB(242, 169, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kIce = RGB(168, 200, 232);
const COLORREF kShadow = RGB(2, 6, 18);

const wchar_t kTeamName[] = L"TARROWICK VORLAKS";

// The board is laid out for the movie's own size and scaled from there.
const double kDesignWidth = 641.0;
const double kDesignHeight = 481.0;

// Motion comes in short bursts and the board is still in between, so a
// running saver costs next to nothing.
const UINT_PTR kRestTimer = 1;
const UINT_PTR kFrameTimer = 2;
const UINT kFirstBurstDelayMs = 1200;
const UINT kRestMs = 9000;
const UINT kFrameMs = 50;

// The variables file is a few hundred bytes; anything far larger is not one.
const DWORD kMaxFileBytes = 64 * 1024;

COLORREF Mix(COLORREF from, COLORREF to, double t) {
    auto channel = [t](int a, int b) { return static_cast<BYTE>(std::lround(a + (b - a) * t)); };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
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

std::uint32_t Blend(std::uint32_t pixel, COLORREF colour, double alpha) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    const int nr = r + static_cast<int>((GetRValue(colour) - r) * alpha);
    const int ng = g + static_cast<int>((GetGValue(colour) - g) * alpha);
    const int nb = b + static_cast<int>((GetBValue(colour) - b) * alpha);
    return (static_cast<std::uint32_t>(nr) << 16) | (static_cast<std::uint32_t>(ng) << 8) |
           static_cast<std::uint32_t>(nb);
}

// ---- Where the design's coordinates land on the surface -----------------

struct Placement {
    double scale;
    double left;
    double top;

    Placement(int width, int height)
        : scale(std::min(width / kDesignWidth, height / kDesignHeight)),
          left((width - kDesignWidth * scale) / 2),
          top((height - kDesignHeight * scale) / 2) {}

    double X(double x) const { return left + x * scale; }
    double Y(double y) const { return top + y * scale; }
    double Size(double size) const { return size * scale; }
};

struct Point {
    double x;
    double y;
};
using Contour = std::vector<Point>;

// A fill that may run from one colour at the top to another at the bottom.
struct Paint {
    COLORREF top;
    COLORREF bottom;
    double y0 = 0;  // surface rows where the gradient starts and ends
    double y1 = 1;
    double opacity = 1;

    COLORREF At(double y) const {
        if (top == bottom || y1 <= y0) return top;
        return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0));
    }
};

Paint Solid(COLORREF colour, double opacity = 1) {
    return {colour, colour, 0, 1, opacity};
}

// GDI draws no smooth edges, and a broadcast graphic is all slanted edges:
// shapes are filled here with 4 sub-rows per pixel and exact horizontal
// coverage, even-odd over all contours so that rings are two circles.
void FillShape(Surface& surface, const std::vector<Contour>& contours, const Paint& paint) {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const Contour& contour : contours) {
        for (const Point& p : contour) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const int left = std::max(0, static_cast<int>(std::floor(minX)));
    const int right = std::min(surface.width, static_cast<int>(std::ceil(maxX)) + 1);
    const int top = std::max(0, static_cast<int>(std::floor(minY)));
    const int bottom = std::min(surface.height, static_cast<int>(std::ceil(maxY)) + 1);
    if (left >= right || top >= bottom) return;

    const int kSubRows = 4;
    const double kWeight = 1.0 / kSubRows;
    std::vector<double> coverage(static_cast<std::size_t>(right - left));
    std::vector<double> crossings;
    for (int row = top; row < bottom; ++row) {
        std::fill(coverage.begin(), coverage.end(), 0.0);
        bool any = false;
        for (int sub = 0; sub < kSubRows; ++sub) {
            const double y = row + (sub + 0.5) / kSubRows;
            crossings.clear();
            for (const Contour& contour : contours) {
                for (std::size_t i = 0; i < contour.size(); ++i) {
                    const Point& a = contour[i];
                    const Point& b = contour[(i + 1) % contour.size()];
                    if ((a.y <= y) != (b.y <= y)) crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double from = std::clamp(crossings[i], double(left), double(right));
                const double to = std::clamp(crossings[i + 1], double(left), double(right));
                if (to <= from) continue;
                any = true;
                const int first = static_cast<int>(from), last = static_cast<int>(to);
                if (first == last) {
                    coverage[first - left] += (to - from) * kWeight;
                    continue;
                }
                coverage[first - left] += (first + 1 - from) * kWeight;
                for (int x = first + 1; x < last; ++x) coverage[x - left] += kWeight;
                if (last < right) coverage[last - left] += (to - last) * kWeight;
            }
        }
        if (!any) continue;
        const COLORREF colour = paint.At(row + 0.5);
        std::uint32_t* line = surface.bits + static_cast<std::size_t>(row) * surface.width;
        for (int x = left; x < right; ++x) {
            const double alpha = std::min(1.0, coverage[x - left]) * paint.opacity;
            if (alpha > 0.002) line[x] = Blend(line[x], colour, alpha);
        }
    }
}

void FillShape(Surface& surface, const Contour& contour, const Paint& paint) {
    FillShape(surface, std::vector<Contour>{contour}, paint);
}

Contour Box(double left, double top, double right, double bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// A box whose sides lean right by `slant` over its height.
Contour Slanted(double left, double top, double right, double bottom, double slant) {
    return {{left + slant, top}, {right + slant, top}, {right, bottom}, {left, bottom}};
}

Contour Circle(double cx, double cy, double radius) {
    const int kSteps = 48;
    Contour points;
    for (int i = 0; i < kSteps; ++i) {
        const double angle = 2 * 3.14159265358979 * i / kSteps;
        points.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    return points;
}

// The crest: a shield with a peaked top, in a box `width` wide whose top
// left corner is (x, y); it is 1.16 times as tall as it is wide.
Contour Shield(double x, double y, double width) {
    static const Point kOutline[] = {
        {0.00, 0.10}, {0.50, 0.00}, {1.00, 0.10}, {1.00, 0.56}, {0.97, 0.68}, {0.90, 0.79}, {0.79, 0.89},
        {0.65, 0.97}, {0.50, 1.02}, {0.35, 0.97}, {0.21, 0.89}, {0.10, 0.79}, {0.03, 0.68}, {0.00, 0.56},
    };
    Contour points;
    for (const Point& p : kOutline) points.push_back({x + p.x * width, y + p.y * width * 1.14});
    return points;
}

Contour Chevron(double x, double y, double width) {
    static const Point kOutline[] = {
        {0.20, 0.26}, {0.38, 0.26}, {0.50, 0.62}, {0.62, 0.26}, {0.80, 0.26}, {0.58, 0.84}, {0.42, 0.84},
    };
    Contour points;
    for (const Point& p : kOutline) points.push_back({x + p.x * width, y + p.y * width * 1.14});
    return points;
}

// The crest in a box `width` wide at (x, y), in surface pixels.
void DrawCrest(Surface& surface, double x, double y, double width) {
    const double height = width * 1.16;
    const double inset = width * 0.08;
    const double offset = std::max(1.0, width * 0.04);
    FillShape(surface, Shield(x + offset, y + offset * 1.5, width), Solid(kShadow, 0.55));
    FillShape(surface, Shield(x, y, width), {Mix(kGold, kWhite, 0.25), Mix(kGold, kShadow, 0.15), y, y + height});
    const double innerWidth = width - 2 * inset;
    FillShape(surface, Shield(x + inset, y + inset * 1.1, innerWidth),
              {Mix(kNavy, kIce, 0.18), kDeepNavy, y + inset, y + height - inset});
    FillShape(surface, Chevron(x + inset, y + inset * 1.1, innerWidth),
              {kWhite, Mix(kIce, kWhite, 0.3), y + inset, y + height * 0.9});
}

// ---- Text ----------------------------------------------------------------

// The variables file is ANSI text in the system's code page, as the data step
// wrote it with the system's date services.
std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring(text.begin(), text.end());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM param) {
    *reinterpret_cast<bool*>(param) = true;
    return 0;
}

// Arial where it exists (every Windows); elsewhere Tahoma, which Wine brings
// along.
const wchar_t* FaceName() {
    static const wchar_t* const face = [] {
        HDC screen = GetDC(nullptr);
        LOGFONTW wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        wcscpy(wanted.lfFaceName, L"Arial");
        bool found = false;
        EnumFontFamiliesExW(screen, &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
        return found ? L"Arial" : L"Tahoma";
    }();
    return face;
}

class Font {
public:
    Font(double pixels, bool bold)
        : handle_(CreateFontW(-std::max(1, static_cast<int>(std::lround(pixels))), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                              FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                              ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, FaceName())) {}
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
    COLORREF colour;
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
            SetTextColor(surface_.dc, kShadow);
            TextOutW(surface_.dc, px + drop / 2, py + drop, text.c_str(), static_cast<int>(text.size()));
        }
        SetTextColor(surface_.dc, style.colour);
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

// ---- The board's layout, in design pixels --------------------------------

const double kMargin = 24;
const double kHeaderBottom = 80;
const double kRuleBottom = 85;
const double kCrestLeft = 22;
const double kCrestTop = 9;
const double kCrestWidth = 68;
const double kDateTabLeft = 104;
const double kDateTabBottom = 117;
const double kPanelTop = 134;
const double kPanelBottom = 334;
const double kChipRight = 128;
const double kChipBottom = 160;
const Point kPulseCentre = {146, 147};
const double kPulseRadius = 6;
const double kComingUpBaseline = 361;
const double kTileTop = 370;
const double kTileBottom = 458;
const double kTileGap = 13;

// Frames of one burst that each part of the motion uses.
const int kSweepFrames = 30;
const int kPulseFrames = 18;

class Renderer {
public:
    Renderer(Surface& surface, const DayBoardContent& content)
        : surface_(surface), content_(content), place_(surface.width, surface.height), text_(surface, place_) {}

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

    Paint Gradient(COLORREF top, COLORREF bottom, double y0, double y1, double opacity = 1) const {
        return {top, bottom, place_.Y(y0), place_.Y(y1), opacity};
    }

    void Background() {
        const Contour all = Box(0, 0, surface_.width, surface_.height);
        FillShape(surface_, all, {kNavy, kDeepNavy, 0, double(surface_.height)});
        // Broad diagonal bands give the navy some depth without drawing the eye.
        const double bands[][2] = {{300, 120}, {450, 60}, {540, 26}};
        for (const auto& band : bands) {
            FillShape(surface_, DesignSlanted(band[0], 0, band[0] + band[1], kDesignHeight, -260),
                      Solid(kIce, 0.035));
        }
    }

    void Header() {
        FillShape(surface_, DesignBox(0, 0, kDesignWidth, kHeaderBottom),
                  Gradient(Mix(kNavy, kIce, 0.16), kNavy, 0, kHeaderBottom));
        FillShape(surface_, DesignBox(0, 0, kDesignWidth, 1.5), Solid(kIce, 0.25));
        // Speed stripes at the band's right end.
        for (double x : {548.0, 572.0, 596.0}) {
            FillShape(surface_, DesignSlanted(x, 0, x + 12, kHeaderBottom, 30), Solid(kGold, x == 596.0 ? 0.9 : 0.35));
        }
        FillShape(surface_, DesignBox(0, kHeaderBottom, kDesignWidth, kRuleBottom),
                  Gradient(Mix(kGold, kWhite, 0.2), kGold, kHeaderBottom, kRuleBottom));
        FillShape(surface_, DesignBox(0, kRuleBottom, kDesignWidth, kRuleBottom + 3), Solid(kShadow, 0.45));

        const TextStyle name = {34, true, kWhite, 1.5, true};
        const double nameLeft = kCrestLeft + kCrestWidth + 18;
        const double size = text_.FitSize(kTeamName, name, 532 - nameLeft, 20);
        text_.Put(kTeamName, {size, true, kWhite, 1.5, true}, nameLeft, 53, TA_LEFT, 532 - nameLeft);

        if (!content_.date.empty()) {
            const std::wstring date = Upper(Widen(content_.date));
            const TextStyle dateStyle = {19, true, kDeepNavy, 1.2};
            const double maxText = kDesignWidth - kMargin - kDateTabLeft - 40;
            const double width = std::min(text_.Width(date, dateStyle) / place_.scale, maxText);
            FillShape(surface_, DesignSlanted(kDateTabLeft + 3, kRuleBottom + 3, kDateTabLeft + width + 43, kDateTabBottom + 3, -12),
                      Solid(kShadow, 0.5));
            FillShape(surface_, DesignSlanted(kDateTabLeft, kRuleBottom, kDateTabLeft + width + 40, kDateTabBottom, -12),
                      Gradient(kGold, Mix(kGold, kShadow, 0.12), kRuleBottom, kDateTabBottom));
            text_.Put(date, dateStyle, kDateTabLeft + 14, kDateTabBottom - 9, TA_LEFT, maxText);
        }
        DrawCrest(surface_, place_.X(kCrestLeft), place_.Y(kCrestTop), place_.Size(kCrestWidth));
    }

    void Today() {
        const double left = kMargin, right = kDesignWidth - kMargin;
        FillShape(surface_, DesignBox(left + 4, kPanelTop + 4, right + 4, kPanelBottom + 4), Solid(kShadow, 0.45));
        FillShape(surface_, DesignBox(left, kPanelTop, right, kPanelBottom),
                  Gradient(Mix(kNavy, kIce, 0.14), Mix(kDeepNavy, kNavy, 0.3), kPanelTop, kPanelBottom));
        FillShape(surface_, DesignBox(left, kPanelTop, right, kPanelTop + 1.5), Solid(kIce, 0.35));
        FillShape(surface_, DesignBox(left, kPanelTop, left + 6, kPanelBottom),
                  Gradient(Mix(kGold, kWhite, 0.2), kGold, kPanelTop, kPanelBottom));

        // The crest's chevron, large and faint, keeps the panel from looking bare.
        const double markWidth = 190;
        FillShape(surface_, Chevron(place_.X(right - markWidth + 28), place_.Y(kPanelTop - 14), place_.Size(markWidth)),
                  Solid(kIce, 0.045));

        FillShape(surface_, DesignSlanted(left + 6, kPanelTop, kChipRight, kChipBottom, 8), Solid(kIce));
        text_.Put(L"TODAY", {14, true, kDeepNavy, 2.5}, left + 20, kChipBottom - 8, TA_LEFT);
        if (content_.hasGame) {
            FillShape(surface_, Circle(place_.X(kPulseCentre.x), place_.Y(kPulseCentre.y), place_.Size(kPulseRadius)),
                      Solid(kGold));
            text_.Put(L"GAME DAY", {14, true, kGold, 2.5}, kPulseCentre.x + 20, kChipBottom - 8, TA_LEFT);
        }

        const double textLeft = left + 30, textRight = right - 24;
        const double width = textRight - textLeft;
        const double centre = (textLeft + textRight) / 2;
        const double areaTop = kChipBottom + 6, areaBottom = kPanelBottom - 12;

        if (!content_.hasGame) {
            const std::wstring noGame = Upper(Widen(vorsaver::kNoGameText));
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
        const std::wstring team = Upper(Widen(content_.team));
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
        FillShape(surface_, DesignBox(labelEnd, kComingUpBaseline - 5, right, kComingUpBaseline - 4),
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
            FillShape(surface_, {DesignBox(left, top, right, bottom), DesignBox(left + 1, top + 1, right - 1, bottom - 1)},
                      Solid(kIce, 0.18));
            return;
        }
        FillShape(surface_, DesignBox(left + 3, top + 3, right + 3, bottom + 3), Solid(kShadow, 0.45));
        if (day.hasGame) {
            FillShape(surface_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, 0.2), Mix(kNavy, kDeepNavy, 0.4), top, bottom));
            FillShape(surface_, DesignBox(left, top, right, top + 4), Solid(kGold));
        } else {
            FillShape(surface_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, 0.07), kDeepNavy, top, bottom));
            FillShape(surface_, DesignBox(left, top, right, top + 2), Solid(kIce, 0.35));
        }

        const std::wstring number = Widen(day.dayNumber);
        const double middle = (top + 4 + bottom) / 2;
        if (!day.hasGame) {
            text_.Put(number, {50, true, kIce, 0, true}, (left + right) / 2, middle + 18, TA_CENTER, right - left - 16);
            return;
        }
        const double split = left + 78;
        text_.Put(number, {50, true, kWhite, 0, true}, (left + split) / 2 + 2, middle + 18, TA_CENTER, split - left - 8);
        FillShape(surface_, DesignBox(split, top + 16, split + 1, bottom - 12), Solid(kIce, 0.35));
        const double textLeft = split + 14, width = right - textLeft - 10;
        const std::wstring tag = Upper(Widen(day.tag));
        const std::wstring lead = Widen(day.lead);
        if (lead.empty()) {
            text_.Put(tag, {28, true, kGold, 1.5, true}, textLeft, middle + 10, TA_LEFT, width);
        } else {
            text_.Put(tag, {28, true, kGold, 1.5, true}, textLeft, middle - 2, TA_LEFT, width);
            text_.Put(lead, {21, true, kWhite, 0.5, true}, textLeft, middle + 25, TA_LEFT, width);
        }
    }

    // Nothing left in the schedule: the team's name and colours, and nothing
    // that could be taken for a date or a game.
    void EmptyBoard() {
        const double crestWidth = 150;
        const double crestLeft = (kDesignWidth - crestWidth) / 2;
        const double crestTop = 90;
        // The header's speed stripes, in two opposite corners.
        for (double x : {548.0, 572.0, 596.0}) {
            const double opacity = x == 596.0 ? 0.9 : 0.35;
            FillShape(surface_, DesignSlanted(x, 0, x + 12, 80, 30), Solid(kGold, opacity));
            FillShape(surface_, DesignSlanted(641 - x - 12 - 30, 401, 641 - x - 30, 481, 30), Solid(kGold, opacity));
        }
        DrawCrest(surface_, place_.X(crestLeft), place_.Y(crestTop), place_.Size(crestWidth));
        const double nameWidth = kDesignWidth - 2 * kMargin - 40;
        const double size = text_.FitSize(kTeamName, {40, true, kWhite, 3}, nameWidth, 18);
        text_.Put(kTeamName, {size, true, kWhite, 3, true}, kDesignWidth / 2, 340 + size * 0.36, TA_CENTER, nameWidth);
        FillShape(surface_, DesignSlanted(220, 378, 421, 383, 4), Solid(kGold));
    }

    Surface& surface_;
    const DayBoardContent& content_;
    Placement place_;
    TextPainter text_;
};

// The rows that motion touches, in surface pixels: everything outside them
// stays as the still picture has it.
struct MotionArea {
    int top;
    int bottom;
    double sweepTop;
    double sweepBottom;
    double sweepFade;  // rows over which the light fades in at the top and out at the bottom
};

MotionArea MotionAreaOf(const Placement& place, const DayBoardContent& content, int height) {
    double top = 0, bottom = kRuleBottom, sweepTop = 0, sweepBottom = kRuleBottom, fade = 0;
    if (content.empty) {
        // No band to run along here: the light crosses the crest and the
        // name and fades out above and below them.
        top = sweepTop = 70;
        bottom = sweepBottom = 410;
        fade = 70;
    } else if (content.hasGame) {
        bottom = kPulseCentre.y + kPulseRadius * 2.3 + 4;
    }
    return {std::max(0, static_cast<int>(std::floor(place.Y(top)))),
            std::min(height, static_cast<int>(std::ceil(place.Y(bottom))) + 1), place.Y(sweepTop),
            place.Y(sweepBottom), place.Size(fade)};
}

// Lays one frame of motion over the still picture on `surface`.
void ApplyMotion(Surface& surface, const DayBoardContent& content, int frame) {
    if (frame < 0 || frame >= kDayBoardMotionFrames) return;
    const Placement place(surface.width, surface.height);
    const MotionArea area = MotionAreaOf(place, content, surface.height);

    if (frame < kSweepFrames) {
        // A soft slanted band of light crossing the band from left to right,
        // easing in and out.
        double t = static_cast<double>(frame) / (kSweepFrames - 1);
        t = t * t * (3 - 2 * t);
        const double halfWidth = place.Size(46);
        const double slant = 0.55;
        const double rise = (area.sweepBottom - area.sweepTop) * slant;
        const double travel = surface.width + rise + 2 * halfWidth;
        const double centre = -halfWidth + t * travel;
        const int top = std::max(0, static_cast<int>(area.sweepTop));
        const int bottom = std::min(surface.height, static_cast<int>(std::ceil(area.sweepBottom)));
        for (int y = top; y < bottom; ++y) {
            // Leaning like the speed stripes: further right towards the top.
            const double rowCentre = centre - (y - area.sweepTop) * slant;
            double strength = 0.28;
            if (area.sweepFade > 0) {
                const double edge = std::min(y - area.sweepTop, area.sweepBottom - y) / area.sweepFade;
                if (edge < 1) strength *= edge <= 0 ? 0 : edge * edge * (3 - 2 * edge);
            }
            const int from = std::max(0, static_cast<int>(rowCentre - halfWidth));
            const int to = std::min(surface.width, static_cast<int>(rowCentre + halfWidth) + 1);
            std::uint32_t* line = surface.bits + static_cast<std::size_t>(y) * surface.width;
            for (int x = from; x < to; ++x) {
                const double d = (x + 0.5 - rowCentre) / halfWidth;
                if (d <= -1 || d >= 1) continue;
                line[x] = Blend(line[x], kWhite, strength * (1 - d * d) * (1 - d * d));
            }
        }
    }

    if (content.hasGame && !content.empty) {
        // Two rings spreading from the marker beside "Today".
        const double phase = static_cast<double>(frame % kPulseFrames) / kPulseFrames;
        const double radius = place.Size(kPulseRadius * (1 + 1.3 * phase));
        const double ring = std::max(1.0, place.Size(1.6));
        const double cx = place.X(kPulseCentre.x), cy = place.Y(kPulseCentre.y);
        FillShape(surface, {Circle(cx, cy, radius + ring), Circle(cx, cy, radius)}, Solid(kGold, 0.8 * (1 - phase)));
    }
}

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
        const MotionArea area =
            MotionAreaOf(Placement(board.surface.width, board.surface.height), board.content, board.surface.height);
        const std::size_t first = static_cast<std::size_t>(area.top) * board.surface.width;
        const std::size_t count = static_cast<std::size_t>(area.bottom - area.top) * board.surface.width;
        std::memcpy(board.surface.bits + first, board.still.data() + first, count * sizeof(std::uint32_t));
        ApplyMotion(board.surface, board.content, board.frame);
        board.shownFrame = board.frame;
    }
    return true;
}

void InvalidateMotion(HWND hwnd, const Board& board) {
    RECT client;
    GetClientRect(hwnd, &client);
    const MotionArea area = MotionAreaOf(Placement(client.right, client.bottom), board.content, client.bottom);
    RECT rows = {0, area.top, client.right, area.bottom};
    InvalidateRect(hwnd, &rows, FALSE);
}

void Paint(HWND hwnd, Board& board) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const RECT& dirty = paint.rcPaint;
    if (PrepareSurface(hwnd, board)) {
        BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, board.surface.dc,
               dirty.left, dirty.top, SRCCOPY);
    } else {
        HBRUSH navy = CreateSolidBrush(kNavy);
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
        Paint(hwnd, *board);
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
    RenderStill(surface, content);
    ApplyMotion(surface, content, frame);
    BitBlt(dc, 0, 0, width, height, surface.dc, 0, 0, SRCCOPY);
}
