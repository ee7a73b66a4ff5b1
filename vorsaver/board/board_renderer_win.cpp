#include "vorsaver/board/board_renderer_win.h"

#include <algorithm>
#include <cmath>
#include <iterator>
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
double StripeOpacity(double left) { return left == kStripeLefts[2] ? kBrightStripeOpacity : kStripeOpacity; }

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
        for (std::size_t i = 0; i + 1 < std::size(kBackgroundBands); i += 2) {
            const double left = kBackgroundBands[i], width = kBackgroundBands[i + 1];
            FillShape(pixels_, DesignSlanted(left, 0, left + width, kDesignHeight, kBackgroundBandSlant),
                      Solid(kIce, kBackgroundBandOpacity));
        }
    }

    void Header() {
        FillShape(pixels_, DesignBox(0, 0, kDesignWidth, kHeaderBottom),
                  Gradient(Mix(kNavy, kIce, kHeaderLight), kNavy, 0, kHeaderBottom));
        FillShape(pixels_, DesignBox(0, 0, kDesignWidth, kHeaderEdgeHeight), Solid(kIce, kHeaderEdgeOpacity));
        for (double x : kStripeLefts) {
            FillShape(pixels_, DesignSlanted(x, 0, x + kStripeWidth, kHeaderBottom, kStripeSlant),
                      Solid(kGold, StripeOpacity(x)));
        }
        FillShape(pixels_, DesignBox(0, kHeaderBottom, kDesignWidth, kRuleBottom),
                  Gradient(Mix(kGold, kWhite, kGoldLight), kGold, kHeaderBottom, kRuleBottom));
        FillShape(pixels_, DesignBox(0, kRuleBottom, kDesignWidth, kRuleBottom + kRuleShadowHeight),
                  Solid(kShadow, kShadowOpacity));

        // The name keeps clear of the speed stripes.
        const double nameLeft = kCrestLeft + kCrestWidth + kTeamNameGap, nameRight = kTeamNameRight;
        TextStyle nameStyle = kTeamNameType;
        nameStyle.size = text_.FitSize(kTeamName, nameStyle, nameRight - nameLeft, nameStyle.smallest);
        text_.Put(kTeamName, nameStyle, nameLeft, kTeamNameBaseline, TA_LEFT, nameRight - nameLeft);

        if (!content_.date.empty()) {
            const std::wstring date = Upper(content_.date);
            const double maxText = kDesignWidth - kMargin - kDateTabLeft - kDateTabRoom;
            TextStyle dateStyle = kDateType;
            dateStyle.size = text_.FitSize(date, dateStyle, maxText, dateStyle.smallest);
            const double width = std::min(text_.Width(date, dateStyle) / place_.scale, maxText);
            const double tabRight = kDateTabLeft + width + kDateTabRoom;
            const double drop = kDateTabShadowOffset;
            FillShape(pixels_,
                      DesignSlanted(kDateTabLeft + drop, kRuleBottom + drop, tabRight + drop, kDateTabBottom + drop,
                                    kDateTabSlant),
                      Solid(kShadow, kDateTabShadowOpacity));
            FillShape(pixels_, DesignSlanted(kDateTabLeft, kRuleBottom, tabRight, kDateTabBottom, kDateTabSlant),
                      Gradient(kGold, Mix(kGold, kShadow, kDateTabShade), kRuleBottom, kDateTabBottom));
            text_.Put(date, dateStyle, kDateTabLeft + kDateLeft, kDateTabBottom - kDateRise, TA_LEFT, maxText);
        }
        DrawCrest(pixels_, place_.X(kCrestLeft), place_.Y(kCrestTop), place_.Size(kCrestWidth));
    }

    void Today() {
        const double left = kMargin, right = kDesignWidth - kMargin;
        const double drop = kPanelShadowOffset;
        FillShape(pixels_, DesignBox(left + drop, kPanelTop + drop, right + drop, kPanelBottom + drop),
                  Solid(kShadow, kShadowOpacity));
        FillShape(pixels_, DesignBox(left, kPanelTop, right, kPanelBottom),
                  Gradient(Mix(kNavy, kIce, kPanelLight), Mix(kDeepNavy, kNavy, kPanelDark), kPanelTop, kPanelBottom));
        FillShape(pixels_, DesignBox(left, kPanelTop, right, kPanelTop + kPanelEdgeHeight),
                  Solid(kIce, kPanelEdgeOpacity));
        FillShape(pixels_, DesignBox(left, kPanelTop, left + kPanelGoldEdge, kPanelBottom),
                  Gradient(Mix(kGold, kWhite, kGoldLight), kGold, kPanelTop, kPanelBottom));

        // The crest's chevron, large and faint, keeps the panel from looking bare.
        const double markWidth = kPanelMarkWidth;
        FillShape(pixels_,
                  Chevron(place_.X(right - markWidth + kPanelMarkPlace.x), place_.Y(kPanelTop + kPanelMarkPlace.y),
                          place_.Size(markWidth)),
                  Solid(kIce, kPanelMarkOpacity));

        FillShape(pixels_, DesignSlanted(left + kPanelGoldEdge, kPanelTop, kChipRight, kChipBottom, kChipSlant),
                  Solid(kIce));
        text_.Put(L"TODAY", kTodayChipType, left + kChipTextLeft, kChipBottom - kChipTextRise, TA_LEFT);
        if (content_.hasGame) {
            FillShape(pixels_, Circle(place_.X(kPulseCentre.x), place_.Y(kPulseCentre.y), place_.Size(kPulseRadius)),
                      Solid(kGold));
            text_.Put(L"GAME DAY", kGameDayType, kPulseCentre.x + kGameDayLeft, kChipBottom - kChipTextRise, TA_LEFT);
        }

        const double textLeft = left + kTodayTextLeft, textRight = right - kTodayTextRight;
        const double width = textRight - textLeft;
        const double centre = (textLeft + textRight) / 2;
        const double areaTop = kChipBottom + kTodayTextTop, areaBottom = kPanelBottom - kTodayTextBottom;

        // The headline (the team text where it says more than the team's
        // name), then the first line large and the rest beneath it; on a day
        // without a game, what the day and the season are.
        struct Line {
            std::wstring text;
            TextStyle style;
        };
        std::vector<Line> lines;
        if (!content_.hasGame) {
            switch (content_.season) {
            case vorsaver::SeasonNote::Over:
                lines.push_back({Upper(vorsaver::kSeasonOverText), kTodaySeasonType});
                lines.push_back({Widen(std::string(vorsaver::kLastGameText) + " " + content_.seasonDate),
                                 kTodayNoteType});
                break;
            case vorsaver::SeasonNote::NoGames:
                lines.push_back({Upper(vorsaver::kNoGamesScheduledText), kTodaySeasonType});
                break;
            case vorsaver::SeasonNote::NotBegun:
                lines.push_back({Upper(vorsaver::kNoGameText), kTodayNoGameType});
                lines.push_back({Widen(std::string(vorsaver::kSeasonBeginsText) + " " + content_.seasonDate),
                                 kTodayNoteType});
                break;
            case vorsaver::SeasonNote::None:
                // An empty file whose schedule still has games to come (it
                // changed, or could not be read): only the date is sure.
                if (!content_.empty) lines.push_back({Upper(vorsaver::kNoGameText), kTodayNoGameType});
                break;
            }
        } else {
            const std::wstring team = Upper(content_.team);
            if (!team.empty() && team != kTeamName) lines.push_back({team, kTodayTeamType});
            for (std::size_t i = 0; i < content_.gameLines.size(); ++i) {
                const std::wstring line = Widen(content_.gameLines[i]);
                lines.push_back({line, i == 0 ? kTodayFirstLineType : kTodayLineType});
            }
        }
        if (lines.empty()) return;

        // Shrink everything alike until the block fits the panel, then each
        // line on its own until it fits the width.
        double total = 0;
        double factor = 1;
        for (int attempt = 0; attempt < 40; ++attempt) {
            total = 0;
            for (const Line& line : lines) total += line.style.size * factor * kLineAdvance;
            if (total <= areaBottom - areaTop) break;
            factor *= kTodayShrink;
        }
        double y = areaTop + (areaBottom - areaTop - total) / 2;
        for (Line& line : lines) {
            line.style.size *= factor;
            const double advance = line.style.size * kLineAdvance;
            line.style.size =
                text_.FitSize(line.text, line.style, width, std::min(line.style.size, line.style.smallest));
            text_.Put(line.text, line.style, centre, y + advance * 0.5 + line.style.size * kBaselineDrop, TA_CENTER,
                      width);
            y += advance;
        }
    }

    void NextDays() {
        bool anyTile = false;
        for (const NextDay& day : content_.nextDays) anyTile = anyTile || day.present;
        if (!anyTile) return;

        const double left = kMargin, right = kDesignWidth - kMargin;
        text_.Put(L"COMING UP", kComingUpType, left, kComingUpBaseline, TA_LEFT);
        const double labelEnd = left + text_.Width(L"COMING UP", kComingUpType) / place_.scale + kComingUpRuleGap;
        FillShape(pixels_,
                  DesignBox(labelEnd, kComingUpBaseline - kComingUpRuleRows[0], right,
                            kComingUpBaseline - kComingUpRuleRows[1]),
                  Solid(kIce, kComingUpRuleOpacity));

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
            const double in = kEmptyTileOutline;
            const std::vector<Contour> outline = {DesignBox(left, top, right, bottom),
                                                  DesignBox(left + in, top + in, right - in, bottom - in)};
            FillShape(pixels_, outline, Solid(kIce, kEmptyTileOpacity));
            return;
        }
        const double drop = kTileShadowOffset;
        FillShape(pixels_, DesignBox(left + drop, top + drop, right + drop, bottom + drop),
                  Solid(kShadow, kShadowOpacity));
        if (day.hasGame) {
            FillShape(pixels_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, kTileLight), Mix(kNavy, kDeepNavy, kTileDark), top, bottom));
            FillShape(pixels_, DesignBox(left, top, right, top + kTileBar), Solid(kGold));
        } else {
            FillShape(pixels_, DesignBox(left, top, right, bottom),
                      Gradient(Mix(kNavy, kIce, kFreeTileLight), kDeepNavy, top, bottom));
            FillShape(pixels_, DesignBox(left, top, right, top + kFreeTileEdgeHeight),
                      Solid(kIce, kFreeTileEdgeOpacity));
        }

        const std::wstring number = Widen(day.dayNumber);
        const double middle = (top + kTileBar + bottom) / 2;
        if (!day.hasGame) {
            text_.Put(number, kTileFreeDayType, (left + right) / 2, middle + kTileNumberDrop, TA_CENTER,
                      right - left - kTileFreeNumberCut);
            return;
        }
        const double split = left + kTileSplit;
        text_.Put(number, kTileDayType, (left + split) / 2 + kTileNumberShift, middle + kTileNumberDrop, TA_CENTER,
                  split - left - kTileNumberCut);
        FillShape(pixels_, DesignBox(split, top + kTileDivider[0], split + kTileDividerWidth, bottom - kTileDivider[1]),
                  Solid(kIce, kTileDividerOpacity));
        const double textLeft = split + kTileTextLeft, width = right - textLeft - kTileTextRight;
        const std::wstring tag = Upper(day.tag);
        const std::wstring lead = Widen(day.lead);
        TextStyle tagStyle = kTileTagType;
        tagStyle.size = text_.FitSize(tag, tagStyle, width, tagStyle.smallest);
        if (lead.empty()) {
            text_.Put(tag, tagStyle, textLeft, middle + kTileTagAlone, TA_LEFT, width);
        } else {
            TextStyle leadStyle = kTileLeadType;
            leadStyle.size = text_.FitSize(lead, leadStyle, width, leadStyle.smallest);
            text_.Put(tag, tagStyle, textLeft, middle + kTileTag, TA_LEFT, width);
            text_.Put(lead, leadStyle, textLeft, middle + kTileLead, TA_LEFT, width);
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
        const double nameWidth = kDesignWidth - 2 * kMargin - kEmptyNameCut;
        TextStyle nameStyle = kEmptyNameType;
        nameStyle.size = text_.FitSize(kTeamName, nameStyle, nameWidth, nameStyle.smallest);
        text_.Put(kTeamName, nameStyle, kDesignWidth / 2, kEmptyNameMiddle + nameStyle.size * kBaselineDrop,
                  TA_CENTER, nameWidth);
        FillShape(pixels_,
                  DesignSlanted(kEmptyRuleLeft, kEmptyRuleTop, kEmptyRuleRight, kEmptyRuleTop + kEmptyRuleHeight,
                                kEmptyRuleSlant),
                  Solid(kGold));
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
