#include "vorsaver/board/board_raster.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>

namespace vorsaver {

namespace board {

namespace {

// `colour` laid over `pixel` with `weight` (0..256) in whole numbers.
std::uint32_t BlendWeighted(std::uint32_t pixel, Colour colour, int weight) {
    auto channel = [weight](int from, int to) { return from + (to - from) * weight / 256; };
    return RgbColour(channel(Red(pixel), Red(colour)), channel(Green(pixel), Green(colour)),
                     channel(Blue(pixel), Blue(colour)));
}

// The same with opacity `alpha` (0..1): one conversion from floating point
// per pixel, since on the 32-bit build each costs a change of the FPU's
// rounding mode.
std::uint32_t Blend(std::uint32_t pixel, Colour colour, double alpha) {
    return BlendWeighted(pixel, colour, static_cast<int>(alpha * 256));
}

// BlendWeighted of one colour and weight over a run of pixels, looked up:
// on a 486 each of its three multiplications takes more than a dozen
// cycles, and the board's faint bands and shadows cover much of it.
class RunBlender {
public:
    void Blend(std::uint32_t* pixel, int count, Colour colour, int weight) {
        // A table pays for itself over a long run or when it is the last one.
        if (count < 96 && !(ready_ && colour == colour_ && weight == weight_)) {
            for (; count > 0; --count, ++pixel) *pixel = BlendWeighted(*pixel, colour, weight);
            return;
        }
        if (!ready_ || colour != colour_ || weight != weight_) Make(colour, weight);
        for (; count > 0; --count, ++pixel) {
            const std::uint32_t p = *pixel;
            *pixel = red_[(p >> 16) & 0xFF] | green_[(p >> 8) & 0xFF] | blue_[p & 0xFF];
        }
    }

private:
    void Make(Colour colour, int weight) {
        for (int v = 0; v < 256; ++v) {
            red_[v] = BlendWeighted(RgbColour(v, 0, 0), colour, weight) & 0xFF0000;
            green_[v] = BlendWeighted(RgbColour(0, v, 0), colour, weight) & 0x00FF00;
            blue_[v] = BlendWeighted(RgbColour(0, 0, v), colour, weight) & 0x0000FF;
        }
        colour_ = colour;
        weight_ = weight;
        ready_ = true;
    }

    bool ready_ = false;
    Colour colour_ = 0;
    int weight_ = 0;
    std::uint32_t red_[256], green_[256], blue_[256];
};

// The pixels that a shape's outline may touch, cut to the rows held. Clamped
// as doubles first: a shape far off the pixels must not overflow an int.
PixelRect BoundsOf(Pixels pixels, const std::vector<Contour>& contours) {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const Contour& contour : contours) {
        for (const Point& p : contour) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    return {static_cast<int>(std::clamp(std::floor(minX), 0.0, double(pixels.width))),
            static_cast<int>(std::clamp(std::floor(minY), double(pixels.top), double(pixels.End()))),
            static_cast<int>(std::clamp(std::ceil(maxX) + 1, 0.0, double(pixels.width))),
            static_cast<int>(std::clamp(std::ceil(maxY) + 1, double(pixels.top), double(pixels.End())))};
}

Contour Scaled(const Point* outline, std::size_t count, double x, double y, double width) {
    Contour points;
    for (std::size_t i = 0; i < count; ++i) {
        points.push_back({x + outline[i].x * width, y + outline[i].y * width * kCrestAspect});
    }
    return points;
}

// Frames of one burst that each part of the motion uses.
const int kSweepFrames = 30;
const int kPulseFrames = 18;

struct MotionArea {
    double top;        // design rows of everything that moves
    double bottom;
    double sweepTop;   // design rows the light crosses
    double sweepBottom;
    double sweepFade;  // design rows over which the light fades in and out
};

MotionArea MotionAreaOf(const DayBoardContent& content) {
    if (ShowsOnlyTheTeam(content)) {
        // No band to run along here: the light crosses the crest and the
        // name and fades out above and below them.
        const double* rows = layout::kEmptySweepRows;
        return {rows[0], rows[1], rows[0], rows[1], rows[2]};
    }
    const double pulseBottom = layout::kPulseCentre.y + layout::kPulseRadius * 2.3 + 4;
    const double bottom = content.hasGame ? pulseBottom : layout::kRuleBottom;
    return {0, bottom, 0, layout::kRuleBottom, 0};
}

// A soft slanted band of light crossing from left to right, easing in and
// out, leaning like the header's speed stripes.
PixelRect Sweep(Pixels pixels, const Placement& place, const MotionArea& area, int frame) {
    double t = static_cast<double>(frame) / (kSweepFrames - 1);
    t = t * t * (3 - 2 * t);
    const double halfWidth = place.Size(46);
    const double slant = 0.55;
    const double top = place.Y(area.sweepTop), bottom = place.Y(area.sweepBottom), fade = place.Size(area.sweepFade);
    const double rise = (bottom - top) * slant;
    const double centre = -halfWidth + t * (pixels.width + rise + 2 * halfWidth);
    const int firstRow = std::max(pixels.top, static_cast<int>(top));
    const int endRow = std::min(pixels.End(), static_cast<int>(std::ceil(bottom)));
    PixelRect changed = {pixels.width, firstRow, 0, endRow};
    // The light's profile across the band, (1 - d^2)^2 for d from -1 to 1,
    // worked out once a frame in floating point by sixteenths of a pixel
    // from the band's middle (as 1/32768ths), so that a pixel costs a
    // look-up and whole-number sums: on the 32-bit build a division and a
    // conversion from floating point each take a 486 some 40 to 70 cycles.
    const int kSteps = 16;
    const int reach = static_cast<int>(std::ceil(halfWidth * kSteps));
    std::vector<int> profile(static_cast<std::size_t>(2 * reach + 1));
    for (int i = 0; i <= 2 * reach; ++i) {
        const double d = (i - reach) / (kSteps * halfWidth);
        if (d > -1 && d < 1) profile[i] = static_cast<int>((1 - d * d) * (1 - d * d) * 32768 + 0.5);
    }
    for (int y = firstRow; y < endRow; ++y) {
        const double rowCentre = centre - (y - top) * slant;
        double strength = 0.28;
        if (fade > 0) {
            const double edge = std::min(y - top, bottom - y) / fade;
            if (edge < 1) strength *= edge <= 0 ? 0 : edge * edge * (3 - 2 * edge);
        }
        const int from = std::max(0, static_cast<int>(rowCentre - halfWidth));
        const int to = std::min(pixels.width, static_cast<int>(rowCentre + halfWidth) + 1);
        if (from >= to) continue;
        changed.left = std::min(changed.left, from);
        changed.right = std::max(changed.right, to);
        // The blend's weight (0..256) in 1/256ths, and where the first
        // pixel's centre falls in the profile.
        const int strengthQ = static_cast<int>(strength * 256 * 256 + 0.5);
        int at = static_cast<int>(std::floor((from + 0.5 - rowCentre) * kSteps + 0.5)) + reach;
        std::uint32_t* line = pixels.Row(y);
        for (int x = from; x < to; ++x, at += kSteps) {
            if (at < 0 || at > 2 * reach) continue;
            const int weight = (profile[at] * strengthQ) >> 23;  // at most 32768 * 18350
            if (weight > 0) line[x] = BlendWeighted(line[x], kWhite, weight);
        }
    }
    return changed;
}

// Rings spreading from the marker beside "Today", fading in so that a burst
// starts without a jump.
PixelRect Pulse(Pixels pixels, const Placement& place, int frame) {
    const double phase = static_cast<double>(frame % kPulseFrames) / kPulseFrames;
    const double opacity = 0.8 * (1 - phase) * std::min(1.0, phase * 5);
    if (opacity <= 0) return {};
    const double radius = place.Size(layout::kPulseRadius * (1 + 1.3 * phase));
    const double ring = std::max(1.0, place.Size(1.6));
    const double cx = place.X(layout::kPulseCentre.x), cy = place.Y(layout::kPulseCentre.y);
    const std::vector<Contour> rings = {Circle(cx, cy, radius + ring), Circle(cx, cy, radius)};
    FillShape(pixels, rings, Solid(kGold, opacity));
    return BoundsOf(pixels, rings);
}

}  // namespace

Colour Mix(Colour from, Colour to, double t) {
    auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return RgbColour(channel(Red(from), Red(to)), channel(Green(from), Green(to)), channel(Blue(from), Blue(to)));
}

Colour Paint::At(double y) const {
    if (top == bottom || y1 <= y0) return top;
    return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0));
}

// GDI draws no smooth edges, and a broadcast graphic is all slanted edges:
// each pixel row is sampled on 4 sub-rows, with exact coverage across.
void FillShape(Pixels pixels, const std::vector<Contour>& contours, const Paint& paint) {
    const PixelRect bounds = BoundsOf(pixels, contours);
    if (bounds.Empty()) return;
    const int left = bounds.left, right = bounds.right, top = bounds.top, bottom = bounds.bottom;

    const int kSubRows = 4;
    const double kWeight = 1.0 / kSubRows;
    // Each row gathers, from its sub-rows, the part of a pixel that a
    // sub-row covers only in part (summed in sub-row order) and the runs of
    // pixels that sub-rows cross whole (as steps: +1 where a run starts, -1
    // past its end); the pixels between two marks are covered alike, so a
    // large shape costs its edges and one fill or blend of each run.
    const std::size_t width = static_cast<std::size_t>(right - left);
    std::vector<double> partial(width + 1);
    std::vector<int> whole(width + 1);
    std::vector<int> marks;
    std::vector<double> crossings;
    RunBlender blender;
    // The edges that cross a sub-row are looked up in order of their tops,
    // not tried one by one on every sub-row: the pulse's rings have 96.
    struct Edge {
        double low, high;  // the rows it spans: low <= y < high
        Point a;
        double dx, dy;
    };
    std::vector<Edge> edges;
    for (const Contour& contour : contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const Point& a = contour[i];
            const Point& b = contour[i + 1 < contour.size() ? i + 1 : 0];
            if (a.y == b.y) continue;
            edges.push_back({std::min(a.y, b.y), std::max(a.y, b.y), a, b.x - a.x, b.y - a.y});
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.low < r.low; });
    std::size_t nextEdge = 0;
    std::vector<const Edge*> active;
    auto put = [&paint](std::uint32_t& pixel, Colour colour, double coverage) {
        const double alpha = std::min(1.0, coverage) * paint.opacity;
        // Wholly covered and opaque, as most of a large shape is: the
        // colour itself, which is what the blend would give.
        if (alpha >= 1.0) {
            pixel = colour;
        } else if (alpha > 0.002) {
            pixel = Blend(pixel, colour, alpha);
        }
    };
    for (int row = top; row < bottom; ++row) {
        marks.clear();
        for (int sub = 0; sub < kSubRows; ++sub) {
            const double y = row + (sub + 0.5) / kSubRows;
            // Sub-rows only go down, so an edge once passed is done with.
            while (nextEdge < edges.size() && edges[nextEdge].low <= y) active.push_back(&edges[nextEdge++]);
            active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->high <= y; }),
                         active.end());
            crossings.clear();
            for (const Edge* e : active) crossings.push_back(e->a.x + (y - e->a.y) * e->dx / e->dy);
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double from = std::clamp(crossings[i], double(left), double(right));
                const double to = std::clamp(crossings[i + 1], double(left), double(right));
                if (to <= from) continue;
                const int first = static_cast<int>(from), last = static_cast<int>(to);
                marks.push_back(first);
                if (first == last) {
                    partial[first - left] += (to - from) * kWeight;
                    continue;
                }
                partial[first - left] += (first + 1 - from) * kWeight;
                if (first + 1 < last) {
                    ++whole[first + 1 - left];
                    --whole[last - left];
                    marks.push_back(first + 1);
                }
                marks.push_back(last);
                if (last < right) partial[last - left] += (to - last) * kWeight;
            }
        }
        if (marks.empty()) continue;
        std::sort(marks.begin(), marks.end());
        marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
        const Colour colour = paint.At(row + 0.5);
        std::uint32_t* line = pixels.Row(row);
        int run = 0;
        for (std::size_t m = 0; m < marks.size() && marks[m] < right; ++m) {
            const int x = marks[m];
            run += whole[x - left];
            whole[x - left] = 0;
            const double part = partial[x - left];
            partial[x - left] = 0;
            if (part != 0) {
                put(line[x], colour, part + run * kWeight);
            } else if (run != 0) {
                put(line[x], colour, run * kWeight);
            }
            // Up to the next mark, `run` whole sub-rows and nothing else.
            const int end = m + 1 < marks.size() ? std::min(marks[m + 1], right) : right;
            if (run == 0 || x + 1 >= end) continue;
            const double alpha = std::min(1.0, run * kWeight) * paint.opacity;
            if (alpha >= 1.0) {
                std::fill(line + x + 1, line + end, colour);
            } else if (alpha > 0.002) {
                blender.Blend(line + x + 1, end - x - 1, colour, static_cast<int>(alpha * 256));
            }
        }
        whole[width] = 0;
    }
}

void FillShape(Pixels pixels, const Contour& contour, const Paint& paint) {
    FillShape(pixels, std::vector<Contour>{contour}, paint);
}

Contour Box(double left, double top, double right, double bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

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

Contour Shield(double x, double y, double width) {
    return Scaled(layout::kShieldOutline, std::size(layout::kShieldOutline), x, y, width);
}

Contour Chevron(double x, double y, double width) {
    return Scaled(layout::kChevronOutline, std::size(layout::kChevronOutline), x, y, width);
}

void DrawCrest(Pixels pixels, double x, double y, double width) {
    const double height = width * kCrestAspect;
    const double inset = width * layout::kCrestInset;
    const double offset = std::max(1.0, width * 0.04);
    FillShape(pixels, Shield(x + offset, y + offset * 1.5, width), Solid(kShadow, 0.55));
    FillShape(pixels, Shield(x, y, width), {Mix(kGold, kWhite, 0.25), Mix(kGold, kShadow, 0.15), y, y + height});
    const double innerWidth = width - 2 * inset;
    const double innerTop = y + inset * layout::kCrestInsetDrop;
    FillShape(pixels, Shield(x + inset, innerTop, innerWidth),
              {Mix(kNavy, kIce, 0.18), kDeepNavy, y + inset, y + height - inset});
    FillShape(pixels, Chevron(x + inset, innerTop, innerWidth),
              {kWhite, Mix(kIce, kWhite, 0.3), y + inset, y + height * 0.9});
}

void ShrinkInto(Pixels large, Pixels small, int factor) {
    const int area = factor * factor;
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const std::uint32_t* row = large.bits + static_cast<std::size_t>(y * factor + dy) * large.width +
                                           static_cast<std::size_t>(x) * factor;
                for (int dx = 0; dx < factor; ++dx) {
                    r += Red(row[dx]);
                    g += Green(row[dx]);
                    b += Blue(row[dx]);
                }
            }
            small.bits[static_cast<std::size_t>(y) * small.width + x] = RgbColour(r / area, g / area, b / area);
        }
    }
}

Placement::Placement(int width, int height)
    : scale(std::min(width / kDesignWidth, height / kDesignHeight)),
      left((width - kDesignWidth * scale) / 2),
      top((height - kDesignHeight * scale) / 2) {}

MotionRows MotionRowsOf(int width, int height, const DayBoardContent& content) {
    const Placement place(width, height);
    const MotionArea area = MotionAreaOf(content);
    const int top = static_cast<int>(std::floor(place.Y(area.top)));
    const int bottom = static_cast<int>(std::ceil(place.Y(area.bottom))) + 1;
    return {std::clamp(top, 0, height), std::clamp(bottom, 0, height)};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

PixelRect ApplyMotion(Pixels pixels, const DayBoardContent& content, int frame) {
    if (frame < 0 || frame >= kDayBoardMotionFrames || pixels.width <= 0 || pixels.height <= 0) return {};
    const Placement place(pixels.width, pixels.height);
    PixelRect changed;
    if (frame < kSweepFrames) changed = Sweep(pixels, place, MotionAreaOf(content), frame);
    if (content.hasGame && !content.empty) changed = Union(changed, Pulse(pixels, place, frame));
    return changed;
}

void BoardMotion::Keep(Pixels pixels, const DayBoardContent& content) {
    rows_ = MotionRowsOf(pixels.width, pixels.height, content);
    width_ = pixels.width;
    kept_.Keep(pixels.Row(rows_.top), width_, rows_.bottom - rows_.top, width_);
    shown_ = {};
}

void BoardMotion::CopyKept(Pixels pixels) const {
    if (pixels.width != width_) return;
    const int top = std::max(pixels.top, rows_.top), bottom = std::min(pixels.End(), rows_.bottom);
    for (int y = top; y < bottom; ++y) kept_.CopySpan(y - rows_.top, 0, width_, pixels.Row(y));
}

PixelRect BoardMotion::Show(Pixels pixels, const DayBoardContent& content, int frame) {
    // Only what the last frame changed differs from the still, and all of it
    // lies in the motion rows.
    const PixelRect last = shown_;
    if (pixels.width == width_) {
        const int top = std::max(last.top, rows_.top), bottom = std::min(last.bottom, rows_.bottom);
        for (int y = top; y < bottom; ++y) {
            kept_.CopySpan(y - rows_.top, last.left, last.right, pixels.Row(y) + last.left);
        }
    }
    shown_ = ApplyMotion(pixels, content, frame);
    return Union(last, shown_);
}

}  // namespace board
}  // namespace vorsaver
