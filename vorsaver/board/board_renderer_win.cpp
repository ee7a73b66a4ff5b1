#include "vorsaver/board/board_renderer_win.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/system_text_win.h"
#include "vorsaver/board/board_text_win.h"

namespace vorsaver::board {

namespace {

using common::Widen;
using namespace layout;

const wchar_t kTeamName[] = L"TARROWICK VORLAKS";

// The last stripe is bright, the others faint.
double StripeOpacity(double left) { return left == kStripeLefts[2] ? 0.9 : 0.35; }

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
        if (vorsaver::ShowsOnlyTheTeam(content_)) {
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
        for (double x : kStripeLefts) {
            FillShape(pixels_, DesignSlanted(x, 0, x + kStripeWidth, kHeaderBottom, kStripeSlant),
                      Solid(kGold, StripeOpacity(x)));
        }
        FillShape(pixels_, DesignBox(0, kHeaderBottom, kDesignWidth, kRuleBottom),
                  Gradient(Mix(kGold, kWhite, 0.2), kGold, kHeaderBottom, kRuleBottom));
        FillShape(pixels_, DesignBox(0, kRuleBottom, kDesignWidth, kRuleBottom + 3), Solid(kShadow, 0.45));

        // The name keeps clear of the speed stripes.
        const double nameLeft = kCrestLeft + kCrestWidth + kTeamNameGap, nameRight = kTeamNameRight;
        const double size = text_.FitSize(kTeamName, {34, true, kWhite, 1.5}, nameRight - nameLeft, 20);
        text_.Put(kTeamName, {size, true, kWhite, 1.5, true}, nameLeft, 53, TA_LEFT, nameRight - nameLeft);

        if (!content_.date.empty()) {
            const std::wstring date = Upper(content_.date);
            const double maxText = kDesignWidth - kMargin - kDateTabLeft - 40;
            TextStyle dateStyle = {19, true, kDeepNavy, 1.2};
            dateStyle.size = text_.FitSize(date, dateStyle, maxText, 14);
            const double width = std::min(text_.Width(date, dateStyle) / place_.scale, maxText);
            const double tabRight = kDateTabLeft + width + 40;
            FillShape(pixels_, DesignSlanted(kDateTabLeft + 3, kRuleBottom + 3, tabRight + 3, kDateTabBottom + 3, kDateTabSlant),
                      Solid(kShadow, 0.5));
            FillShape(pixels_, DesignSlanted(kDateTabLeft, kRuleBottom, tabRight, kDateTabBottom, kDateTabSlant),
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

        FillShape(pixels_, DesignSlanted(left + 6, kPanelTop, kChipRight, kChipBottom, kChipSlant), Solid(kIce));
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

        // The headline (the team text where it says more than the team's
        // name), then the first line large and the rest beneath it; on a day
        // without a game, what the day and the season are.
        struct Line {
            std::wstring text;
            TextStyle style;
        };
        std::vector<Line> lines;
        const TextStyle bigWord = {56, true, kIce, 4, true}, note = {24, false, kIce, 0.5, true};
        if (!content_.hasGame) {
            switch (content_.season) {
            case vorsaver::SeasonNote::Over:
                lines.push_back({Upper(vorsaver::kSeasonOverText), {44, true, kIce, 3, true}});
                lines.push_back({Widen(std::string(vorsaver::kLastGameText) + " " + content_.seasonDate), note});
                break;
            case vorsaver::SeasonNote::NoGames:
                lines.push_back({Upper(vorsaver::kNoGamesScheduledText), {44, true, kIce, 3, true}});
                break;
            case vorsaver::SeasonNote::NotBegun:
                lines.push_back({Upper(vorsaver::kNoGameText), bigWord});
                lines.push_back({Widen(std::string(vorsaver::kSeasonBeginsText) + " " + content_.seasonDate), note});
                break;
            case vorsaver::SeasonNote::None:
                // An empty file whose schedule still has games to come (it
                // changed, or could not be read): only the date is sure.
                if (!content_.empty) lines.push_back({Upper(vorsaver::kNoGameText), bigWord});
                break;
            }
        } else {
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
        // The header's speed stripes, in two opposite corners: the second set
        // is the first turned half round.
        for (double x : kStripeLefts) {
            const Paint paint = Solid(kGold, StripeOpacity(x));
            FillShape(pixels_, DesignSlanted(x, 0, x + kStripeWidth, kHeaderBottom, kStripeSlant), paint);
            const double mirrored = kDesignWidth - x - kStripeWidth - kStripeSlant;
            FillShape(pixels_,
                      DesignSlanted(mirrored, kDesignHeight - kHeaderBottom, mirrored + kStripeWidth, kDesignHeight,
                                    kStripeSlant),
                      paint);
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

}  // namespace

void RenderStill(Surface& surface, const DayBoardContent& content) {
    Renderer(surface, content).Still();
    GdiFlush();
}

}  // namespace vorsaver::board

void DrawDayBoard(HDC dc, int width, int height, const vorsaver::DayBoardContent& content, int frame) {
    using namespace vorsaver::board;
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
