// The programs on a screen of 256 colours (an 8-bit X display, where GDI is a
// palette device): what they draw keeps its own colours, and what is
// transparent stays exactly the picture's transparent colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "forms/form_internal_win.h"
#include "tests/e2e/harness_win.h"
#include "tests/e2e/stand_in_loader_win.h"
#include "tests/support/palette_measure.h"
#include "vorsaver/board/board_palette.h"
#include "vorsaver/board/board_renderer_win.h"
#include "vorsaver/board/day_board.h"
#include "vorsaver/board/dib_surface_win.h"

namespace {

bool PaletteScreen() {
    HDC screen = GetDC(nullptr);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    return palette;
}

TEST(PaletteScreen, IsWhatTheseTestsNeed) {
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    EXPECT_EQ(GetDeviceCaps(screen, NUMRESERVED), 20);
    ReleaseDC(nullptr, screen);
}

// A picture in a row of colours: the transparent magenta, then colours that
// a 256-colour screen's fixed colours show as that magenta, or near it.
const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kRow[] = {kKey, RGB(255, 96, 240), RGB(224, 32, 224), kKey, RGB(192, 0, 160), RGB(255, 204, 0),
                         RGB(255, 64, 255), RGB(240, 0, 240), RGB(255, 32, 200), RGB(200, 0, 255), RGB(255, 0, 224),
                         RGB(255, 128, 255), kKey};
const int kWidth = sizeof kRow / sizeof kRow[0];

TEST(PaletteMask, ComesFromThePicturesOwnColoursNotTheScreens) {
    ASSERT_TRUE(PaletteScreen());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(picture, nullptr);
    auto* pixel = static_cast<BYTE*>(bits);
    for (int x = 0; x < kWidth; ++x) {
        pixel[3 * x] = GetBValue(kRow[x]);
        pixel[3 * x + 1] = GetGValue(kRow[x]);
        pixel[3 * x + 2] = GetRValue(kRow[x]);
    }
    HBITMAP mask = nullptr;
    forms::internal::MakeTransparent(picture, mask, {kWidth, 1}, kKey);
    ASSERT_NE(mask, nullptr);

    // Both read back as 24-bit colours, whatever the bitmaps are inside.
    HDC screen = GetDC(nullptr);
    std::vector<BYTE> maskPixels(4 * kWidth), picturePixels(4 * kWidth);
    info.bmiHeader.biBitCount = 32;
    ASSERT_EQ(GetDIBits(screen, mask, 0, 1, maskPixels.data(), &info, DIB_RGB_COLORS), 1);
    ASSERT_EQ(GetDIBits(screen, picture, 0, 1, picturePixels.data(), &info, DIB_RGB_COLORS), 1);
    ReleaseDC(nullptr, screen);
    for (int x = 0; x < kWidth; ++x) {
        const bool transparent = maskPixels[4 * x] != 0;
        EXPECT_EQ(transparent, kRow[x] == kKey) << "pixel " << x;
        const COLORREF shown = RGB(picturePixels[4 * x + 2], picturePixels[4 * x + 1], picturePixels[4 * x]);
        // Drawn with AND then OR: black under the mask, its own colour elsewhere.
        EXPECT_EQ(shown, kRow[x] == kKey ? RGB(0, 0, 0) : kRow[x]) << "pixel " << x;
    }
    DeleteObject(mask);
    DeleteObject(picture);
}

// What the palette probe (tests/stand-ins/palette_probe_win.cpp) saw inside
// the program: at each step, the paints so far and the system palette.
struct Step {
    long paints = -1;
    std::set<COLORREF> colours;
};
struct Seen {
    std::map<std::string, Step> steps;
    std::string fault;
    bool done = false;
};

Seen RunWithProbe(const std::string& program, const std::string& arguments, const std::string& folder) {
    const std::string log = folder + "\\palette.log";
    e2e::SetEnv("VORLAKS_PALETTE_LOG", log);
    e2e::Process process;
    std::string error;
    Seen seen;
    if (!e2e::StartWithStandIn(process, program, arguments, folder, e2e::BinFolder() + "\\palette-probe.dll", error)) {
        seen.fault = error;
        return seen;
    }
    e2e::WaitUntil([&] {
        const std::string text = e2e::ReadWholeFile(log);
        return text.find("done") != std::string::npos || text.find("fault") != std::string::npos;
    }, 60000);
    process.Kill();
    e2e::SetEnv("VORLAKS_PALETTE_LOG", "");
    std::istringstream lines(e2e::ReadWholeFile(log));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string step;
        words >> step;
        if (step == "done") seen.done = true;
        if (step == "fault") seen.fault += line + "\n";
        if (step != "front" && step != "other" && step != "back") continue;
        Step& found = seen.steps[step];
        words >> found.paints;
        std::string hex;
        while (words >> hex) {
            const unsigned long rgb = std::stoul(hex, nullptr, 16);
            found.colours.insert(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
        }
    }
    return seen;
}

int CountOf(const std::set<COLORREF>& palette, const std::vector<COLORREF>& colours) {
    int found = 0;
    for (COLORREF colour : colours) found += palette.count(colour) != 0 ? 1 : 0;
    return found;
}

// How many entries a program can realize here: the probe's own window asks
// for 236 greys. (Wine's X11 driver on this display leaves about 180 of the
// 236 that Windows leaves free.)
int Room(const Step& other) {
    int greys = 0;
    for (COLORREF colour : other.colours) {
        greys += GetRValue(colour) == GetGValue(colour) && GetBValue(colour) == GetRValue(colour) + 1 ? 1 : 0;
    }
    return greys;
}

// In front, the program's palette is the system's; behind another window's,
// it is not; in front again, it is, and the program has painted anew.
void ExpectOwnPaletteInFrontAgain(const Seen& seen, const std::vector<COLORREF>& own, int least) {
    ASSERT_TRUE(seen.fault.empty()) << seen.fault;
    ASSERT_TRUE(seen.done);
    const Step& front = seen.steps.at("front");
    const Step& other = seen.steps.at("other");
    const Step& back = seen.steps.at("back");
    // The colours that fit: all of them where there is room, else as many
    // as the other window's palette got.
    least = std::min(least, Room(other));
    std::printf("own colours in front %d of %zu, behind %d, in front again %d; room %d; paints %ld, %ld, %ld\n",
                CountOf(front.colours, own), own.size(), CountOf(other.colours, own), CountOf(back.colours, own),
                Room(other), front.paints, other.paints, back.paints);
    EXPECT_GE(CountOf(front.colours, own), least) << "in front";
    EXPECT_LT(CountOf(other.colours, own), least) << "behind another palette";
    EXPECT_GE(CountOf(back.colours, own), least) << "in front again";
    EXPECT_GT(back.paints, other.paints) << "painted again in its own colours";
}

std::vector<COLORREF> ColourCube() {
    std::vector<COLORREF> cube;
    for (int r = 0; r < 256; r += 51) {
        for (int g = 0; g < 256; g += 51) {
            for (int b = 0; b < 256; b += 51) cube.push_back(RGB(r, g, b));
        }
    }
    return cube;
}

TEST(PaletteInFront, TheMenuRealizesItsBackdropsColours) {
    ASSERT_TRUE(PaletteScreen());
    const std::vector<COLORREF> cube = ColourCube();
    const std::string folder = e2e::FreshFolder("palette-menu");
    const std::string menu = folder + "\\menu.exe";
    CopyFileA((e2e::BinFolder() + "\\menu.exe").c_str(), menu.c_str(), FALSE);
    ExpectOwnPaletteInFrontAgain(RunWithProbe(menu, "", folder), cube, 200);
}

// The forms with pictures of true colour (settings and About, the preview,
// the setup wizard) realize the colour cube, as the settings dialog shows.
TEST(PaletteInFront, TheSettingsDialogRealizesTheColourCube) {
    ASSERT_TRUE(PaletteScreen());
    const std::string folder = e2e::FreshFolder("palette-settings");
    ExpectOwnPaletteInFrontAgain(RunWithProbe(e2e::InstallSaver(folder), "/c", folder), ColourCube(), 200);
}

TEST(PaletteInFront, TheSaversBoardRealizesEveryTeamColour) {
    ASSERT_TRUE(PaletteScreen());
    const std::vector<COLORREF> team = {RGB(11, 31, 75), RGB(6, 16, 40), RGB(242, 169, 0), RGB(255, 255, 255),
                                        RGB(168, 200, 232), RGB(2, 6, 18)};
    const std::string folder = e2e::FreshFolder("palette-saver");
    const std::string saver = e2e::InstallSaver(folder);
    e2e::WriteWholeFile(folder + "\\schedule.pvz", e2e::GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
                                                        e2e::GameLine(2, "FRO", "6:05 PM at Fen Rock Otters"));
    const Seen seen = RunWithProbe(saver, "/s", folder);
    ExpectOwnPaletteInFrontAgain(seen, team, 6);
}

// A picture as a 24-bit BMP file, for the README's comparison.
void WriteBmp(const std::string& path, const std::vector<common::Rgb>& pixels, int width, int height) {
    const int stride = (3 * width + 3) & ~3;
    std::string bytes(54 + static_cast<std::size_t>(stride) * height, '\0');
    auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()), 4);
    put(10, 54, 4), put(14, 40, 4), put(18, width, 4), put(22, height, 4), put(26, 1, 2), put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const common::Rgb c = pixels[static_cast<std::size_t>(y) * width + x];
            const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + 3 * x;
            put(at, c & 0xFF, 1), put(at + 1, c >> 8 & 0xFF, 1), put(at + 2, c >> 16 & 0xFF, 1);
        }
    }
    e2e::WriteWholeFile(path, bytes);
}

// The real board, its text drawn by GDI, as the saver draws it on a screen
// of 256 colours against its true-colour look; and as Windows showed it
// before the board had a palette (the twenty fixed colours).
TEST(PaletteBoard, TheBoardThroughItsPaletteKeepsItsLookAndItsTextsContrast) {
    const int width = 800, height = 600;
    vorsaver::board::Surface surface;
    ASSERT_TRUE(surface.Create(width, height));
    vorsaver::board::RenderStill(
        surface, vorsaver::ReadDayBoard("currentdate=December 8, 2026&team=Tarrowick Vorlaks"
                                        "&gameinfo=7:30 PM vs. Harbor Kings%0DHarbour Arena"
                                        "&small1=9%0DFRC%0D6:05&small2=10&small3=11%0DMTS%0D8:00&numvars=6"));
    GdiFlush();
    const std::vector<std::uint32_t> board(surface.bits, surface.bits + width * height);
    const std::vector<common::Rgb> fixed(common::kFixedColours, common::kFixedColours + 20);
    const std::vector<common::Rgb> own = palette_measure::Through(board, width, height, vorsaver::board::BoardPalette());
    const std::vector<common::Rgb> before = palette_measure::Nearest(board, fixed);
    const double rmse = palette_measure::Rmse(board, own), rmseBefore = palette_measure::Rmse(board, before);
    const double kept = palette_measure::WorstContrastKept(board, own, width, height);
    const double keptBefore = palette_measure::WorstContrastKept(board, before, width, height);
    std::printf("board at 256 colours: RMSE %.4f (the fixed colours alone %.4f); text contrast kept %.2f (%.2f)\n",
                rmse, rmseBefore, kept, keptBefore);
    EXPECT_LE(rmse, 0.03);
    EXPECT_GE(kept, 0.8);
    // On a 16-colour screen, every text still stands out from what is behind it.
    const double keptAt16 = palette_measure::WorstContrastKept(
        board, palette_measure::Nearest(board, palette_measure::kVgaColours), width, height);
    std::printf("at 16 colours: text contrast kept %.2f\n", keptAt16);
    EXPECT_GE(keptAt16, palette_measure::kKeptAt16);
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("VORLAKS_PALETTE_PICTURES", folder, sizeof folder) != 0) {
        WriteBmp(std::string(folder) + "\\board-true-colour.bmp", board, width, height);
        WriteBmp(std::string(folder) + "\\board-fixed-colours.bmp", before, width, height);
        WriteBmp(std::string(folder) + "\\board-own-palette.bmp", own, width, height);
    }
}

}  // namespace
