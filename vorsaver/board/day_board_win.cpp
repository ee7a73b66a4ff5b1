#include "vorsaver/board/day_board_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/file_store_win.h"
#include "common/palette_win.h"
#include "common/window_proc_win.h"
#include "vorsaver/board/board_palette.h"
#include "vorsaver/board/board_renderer_win.h"
#include "vorsaver/board/board_text_win.h"
#include "vorsaver/board/team_sound_win.h"
#include "vorsaver/dates/date_services.h"

namespace vorsaver {
namespace {

using namespace vorsaver::board;

// Motion comes in short bursts and the board is still in between, so a
// running saver costs next to nothing.
const UINT_PTR kRestTimer = 1;
const UINT_PTR kFrameTimer = 2;
const UINT kFirstBurstDelayMs = 1200;
const UINT kRestMs = 9000;
const UINT kFrameMs = 50;

// The variables file is a few hundred bytes; anything far larger is not one.
const std::size_t kMaxFileBytes = 64 * 1024;

// The board keeps only the still's motion rows between paints, as runs of
// one colour (some 50 KB of their 0.4 MB at 641 x 481), and a copy of them to
// show a burst on while it runs: a burst changes nothing else, and a paint
// of anything else draws the still anew (the whole board's pixels would be
// 1.2 MB, on a PC of 8 MB).
struct Board {
    DayBoardContent content;
    int width = 0;        // the size the still was kept at; 0 before the first paint
    int height = 0;
    Surface band;         // during a burst: the motion rows with its frame on them
    BoardMotion motion;   // the still's motion rows, and what a frame changed
    int frame = -1;       // the burst's current frame, -1 between bursts
    int shownFrame = -1;  // the frame the band holds
    bool sound = false;   // the team's sound with each burst
    // On a screen of 256 colours: the board's own palette, and the colours
    // of the surface to its entries.
    HPALETTE palette = nullptr;
    std::unique_ptr<common::NearestColour> nearest;
    std::vector<std::uint8_t> indices;

    // The board's window owns it (common::OwningWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool Fits(int w, int h) const { return width == w && height == h && width > 0; }
    Pixels BandView() {
        const MotionRows rows = motion.Rows();
        return {band.bits, width, height, rows.top, rows.bottom};
    }
    // The still is to be kept anew, from the next one drawn.
    void Forget() {
        band.Free();
        width = height = 0;
    }
};

// A missing or unreadable file shows as an empty one.
std::string ReadVariablesFile(const std::string& path) {
    common::WinFileStore files;
    std::string bytes;
    std::string error;
    if (!files.ReadAll(path, bytes, error)) return std::string();
    if (bytes.size() > kMaxFileBytes) bytes.resize(kMaxFileBytes);
    return bytes;
}

// The schedule, for what the board says about the season; read after the
// data step has judged it, so it never fails here.
vorsaver::ScheduleSpan ReadScheduleSpanOf(const std::string& schedulePath, const DateServices& dates) {
    common::WinFileStore files;
    std::string bytes;
    std::string error;
    if (!files.ReadAll(schedulePath, bytes, error)) return {};
    common::TextStream schedule(std::move(bytes));
    return vorsaver::ReadScheduleSpan(schedule, dates);
}

// What the board shows: the variables file as the movie would read it, and
// from the clock and the schedule what the file cannot say (an empty file
// carries not even the date).
DayBoardContent ReadBoardContent(const BoardFiles& files, const DateServices& dates) {
    DayBoardContent content = vorsaver::ReadDayBoard(ReadVariablesFile(files.variables));
    vorsaver::AddSeasonNote(content, vorsaver::LocalToday(), ReadScheduleSpanOf(files.schedule, dates), dates);
    return content;
}

// A burst starts: the still's motion rows copied to show it on. Where
// they cannot be, the board stays still.
void StartBand(Board& board) {
    const MotionRows rows = board.motion.Rows();
    if (board.width == 0 || rows.bottom <= rows.top || !board.band.Create(board.width, rows.bottom - rows.top)) {
        return;
    }
    board.motion.CopyKept(board.BandView());
    board.shownFrame = -1;
}

// Keeps the motion rows of a still just drawn at the window's size.
void KeepStill(Board& board, const Surface& still) {
    const bool moving = board.band.bits != nullptr;
    board.Forget();
    board.width = still.width;
    board.height = still.height;
    board.motion.Keep(still.View(), board.content);
    board.shownFrame = -1;
    if (moving) StartBand(board);
}

// Puts the frame due on the band; returns what changed on it.
PixelRect ShowFrame(Board& board) {
    if (board.band.bits == nullptr || board.shownFrame == board.frame) return {};
    board.shownFrame = board.frame;
    return board.motion.Show(board.BandView(), board.content, board.frame);
}

// The next frame is due: drawn now, and only what it changed is repainted.
// Before the first paint, that paint draws everything.
void InvalidateMotion(HWND hwnd, Board& board) {
    if (board.width == 0) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    const PixelRect changed = ShowFrame(board);
    if (changed.Empty()) return;
    RECT rect = {changed.left, changed.top, changed.right, changed.bottom};
    InvalidateRect(hwnd, &rect, FALSE);
}

// At 256 colours: the dirty rows reduced to the board's palette, and drawn
// by their entries in it (DIB_PAL_COLORS), which the board has realized; a
// band of rows at a time, so that a whole repaint needs little memory.
void PaintThroughPalette(HDC dc, Board& board, Pixels source, const RECT& dirty) {
    const int kBandRows = 32;
    common::PaletteInUse inUse(dc, board.palette);
    const int width = source.width;
    const int stride = (width + 3) & ~3;
    struct {
        BITMAPINFOHEADER header;
        WORD entries[common::kPaletteSize];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = static_cast<DWORD>(board.nearest->Palette().size());
    for (WORD i = 0; i < info.header.biClrUsed; ++i) info.entries[i] = i;
    board.indices.resize(static_cast<std::size_t>(stride) * kBandRows);
    const int end = std::min<int>(dirty.bottom, source.End());
    for (int top = std::max<int>(dirty.top, source.top); top < end; top += kBandRows) {
        const int rows = std::min(kBandRows, end - top);
        common::ReduceToPalette(source.bits, width, top, top + rows, *board.nearest, board.indices.data(), stride,
                                source.top);
        info.header.biHeight = rows;
        SetDIBitsToDevice(dc, 0, top, static_cast<DWORD>(width), static_cast<DWORD>(rows), 0, 0, 0,
                          static_cast<UINT>(rows), board.indices.data(), reinterpret_cast<BITMAPINFO*>(&info),
                          DIB_PAL_COLORS);
    }
}

// The dirty part of the window from `source`: the burst's band or a whole
// still (with their DC), or rows of the kept still (without one).
void PaintFrom(HDC dc, Board& board, Pixels source, HDC sourceDc, const RECT& dirty) {
    if (board.palette != nullptr) {
        PaintThroughPalette(dc, board, source, dirty);
    } else if (sourceDc != nullptr) {
        BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, sourceDc, dirty.left,
               dirty.top - source.top, SRCCOPY);
    } else {
        // The dirty rows alone, as a top-down DIB of their own.
        const int rows = dirty.bottom - dirty.top;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = source.width;
        info.bmiHeader.biHeight = -rows;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, dirty.left, dirty.top, static_cast<DWORD>(dirty.right - dirty.left),
                          static_cast<DWORD>(rows), dirty.left, 0, 0, static_cast<UINT>(rows),
                          source.Row(dirty.top), &info, DIB_RGB_COLORS);
    }
}

// Between bursts, the dirty rows from the kept still, a few at a time.
void PaintKept(HDC dc, Board& board, const RECT& dirty) {
    const int kRows = 8;
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(board.width) * kRows);
    for (int top = dirty.top; top < dirty.bottom; top += kRows) {
        const Pixels some = {rows.data(), board.width, board.height, top, std::min<int>(top + kRows, dirty.bottom)};
        board.motion.CopyKept(some);
        const RECT part = {dirty.left, top, dirty.right, some.end};
        PaintFrom(dc, board, some, nullptr, part);
    }
}

// A paint within the motion rows comes from the burst's band, or between
// bursts from the kept still; any other draws the still anew for the time
// of the paint, with the burst's rows as they show.
bool PaintBoardPixels(HDC dc, Board& board, int width, int height, const RECT& dirty) {
    const MotionRows rows = board.motion.Rows();
    if (board.Fits(width, height) && dirty.top >= rows.top && dirty.bottom <= rows.bottom) {
        if (board.band.bits != nullptr) {
            ShowFrame(board);
            PaintFrom(dc, board, board.BandView(), board.band.dc, dirty);
        } else {
            PaintKept(dc, board, dirty);
        }
        return true;
    }
    Surface still;
    if (!still.Create(width, height)) return false;
    RenderStill(still, board.content);
    if (!board.Fits(width, height)) KeepStill(board, still);
    if (board.band.bits != nullptr) {
        ShowFrame(board);
        const MotionRows kept = board.motion.Rows();
        const std::size_t count = static_cast<std::size_t>(kept.bottom - kept.top) * width;
        std::copy_n(board.band.bits, count, still.View().Row(kept.top));
    }
    PaintFrom(dc, board, still.View(), still.dc, dirty);
    return true;
}

void PaintBoard(HWND hwnd, Board& board) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const RECT& dirty = paint.rcPaint;
    RECT client;
    GetClientRect(hwnd, &client);
    if (!PaintBoardPixels(dc, board, client.right, client.bottom, dirty)) {
        HBRUSH navy = CreateSolidBrush(ToColorRef(kNavy));
        FillRect(dc, &dirty, navy);
        DeleteObject(navy);
    }
    EndPaint(hwnd, &paint);
}

// A burst is due: show its first frame and run the frame timer.
void StartBurst(HWND hwnd, Board& board) {
    KillTimer(hwnd, kRestTimer);
    StartBand(board);
    board.frame = 0;
    SetTimer(hwnd, kFrameTimer, kFrameMs, nullptr);
    InvalidateMotion(hwnd, board);
    if (board.sound) PlayTeamSound();
}

void NextFrame(HWND hwnd, Board& board) {
    if (++board.frame >= kDayBoardMotionFrames) {
        board.frame = -1;
        KillTimer(hwnd, kFrameTimer);
        SetTimer(hwnd, kRestTimer, kRestMs, nullptr);
        // The still comes back, and is painted from the kept rows.
        InvalidateMotion(hwnd, board);
        board.band.Free();
        return;
    }
    InvalidateMotion(hwnd, board);
}

LRESULT Board::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (common::HandlePaletteMessage(hwnd, palette, message, wParam, result)) return result;
    switch (message) {
    case WM_CREATE:
        SetTimer(hwnd, kRestTimer, kFirstBurstDelayMs, nullptr);
        if (common::IsPaletteScreen()) {
            palette = common::CreatePaletteOf(BoardPalette());
            nearest = std::make_unique<common::NearestColour>(BoardPalette());
        }
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
        PaintBoard(hwnd, *this);
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd, &client);
        DrawDayBoard(reinterpret_cast<HDC>(wParam), client.right, client.bottom, content, frame);
        return 0;
    }
    case WM_SIZE:
        Forget();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (wParam == kRestTimer) StartBurst(hwnd, *this);
        if (wParam == kFrameTimer) NextFrame(hwnd, *this);
        return 0;
    case WM_DESTROY:
        // The sound ends with the saver, not a moment after.
        if (sound) StopTeamSound();
        return 0;
    case WM_NCDESTROY:
        KillTimer(hwnd, kRestTimer);
        KillTimer(hwnd, kFrameTimer);
        if (palette != nullptr) DeleteObject(palette);
        palette = nullptr;
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterBoardClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kDayBoardClassName, &existing)) return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = common::OwningWindowProc<Board>;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kDayBoardClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

HWND CreateDayBoard(HWND parent, const RECT& rect, const BoardFiles& files, const DateServices& dates,
                    bool sound) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterBoardClass(instance)) return nullptr;
    auto board = std::make_unique<Board>();
    board->content = ReadBoardContent(files, dates);
    board->sound = sound;
    // The window's text says what the board shows, for screen readers.
    const std::string text = vorsaver::DescribeDayBoard(board->content);
    return CreateWindowExA(WS_EX_NOPARENTNOTIFY, kDayBoardClassName, text.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, instance, &board);
}

void ReloadDayBoard(HWND board, const BoardFiles& files, const DateServices& dates) {
    Board* state = common::ObjectOfWindow<Board>(board);
    if (state == nullptr) return;
    state->content = ReadBoardContent(files, dates);
    SetWindowTextA(board, vorsaver::DescribeDayBoard(state->content).c_str());
    // The still is drawn again, for the new content, at the next paint.
    state->Forget();
    InvalidateRect(board, nullptr, FALSE);
}

}  // namespace vorsaver
