// The programs' own work on the way to their first pictures and in a burst
// of the board, natively, for bench/pc1996.py to count under callgrind:
//   pc1996_bench SCHEDULE YYYY-MM-DD PICTURE...
// runs the data step on SCHEDULE as on that day, draws the board's still at
// 641 x 481 (the movie's size at 96 dots per inch) and at 962 x 722 (144),
// shows one burst of its motion, and unpacks the menu's PICTUREs. Each part
// is counted on its own (callgrind's client requests); what the program
// prints beside them is what the count leaves to Windows.
//
// Linked with the shipped run-time's own C library routines
// (common/runtime/c_library_win.cpp: memcpy, memset, floor, sin, strtod and
// the rest), which take the host's place here, so the count is the shipped
// program's.
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/packed_picture.h"
#include "vorsaver/board/board_renderer_win.h"
#include "vorsaver/dates/date_services.h"
#include "vorsaver/movie/movie_variables.h"

namespace {

using namespace vorsaver;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        std::exit(2);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The saver's folder in memory: the schedule to read, the variables written.
class MemoryFiles : public common::FileStore {
public:
    std::map<std::string, std::string> files;

    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override {
        auto found = files.find(path);
        if (found == files.end()) {
            error = "missing";
            return false;
        }
        bytes = found->second;
        return true;
    }
    bool ReplaceAll(const std::string& path, const std::string& bytes, std::string&) override {
        files[path] = bytes;
        return true;
    }
};

// One counted part: callgrind counts only between the two toggles, and
// the dump carries the part's name.
template <typename Work>
void Count(const char* name, Work work) {
    CALLGRIND_TOGGLE_COLLECT;
    work();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: pc1996_bench SCHEDULE YYYY-MM-DD PICTURE...\n";
        return 2;
    }
    int year = 0, month = 0, day = 0;
    if (std::sscanf(argv[2], "%d-%d-%d", &year, &month, &day) != 3) return 2;
    const DaySerial today = SerialFromCivil(year, month, day);

    MemoryFiles files;
    files.files["saver\\schedule.pvz"] = ReadFile(argv[1]);
    const auto dates = MakeDateServices();
    DataStepResult step;
    Count("data-step", [&] { step = WriteMovieVariables("saver", today, *dates, files); });
    if (!step.ok) {
        std::cerr << "data step failed: " << step.message << "\n";
        return 1;
    }
    const DayBoardContent content = ReadDayBoard(files.files["saver\\tarvordat.pvz"]);
    if (!content.hasGame) {
        std::cerr << "no game on " << argv[2] << ": the burst would miss its pulse\n";
        return 1;
    }

    // The still as the board's first paint draws it, with the copy of its
    // motion rows that the burst puts back from. The surface itself is
    // GDI's (CreateDIBSection), made before the count.
    board::Surface still, large;
    board::BoardMotion motion, largeMotion;
    still.Create(641, 481);
    large.Create(962, 722);
    Count("still-641x481", [&] {
        board::RenderStill(still, content);
        motion.Keep(still.View(), content);
    });
    Count("still-144dpi", [&] {
        board::RenderStill(large, content);
        largeMotion.Keep(large.View(), content);
    });

    // One burst, and the still put back after it: what the window blits
    // (GDI's work) is what each frame says it changed.
    long long blitPixels = 0;
    std::vector<board::PixelRect> changed;
    // PC1996_PIXELS names a file for the pixels drawn (the stills, every
    // frame of the burst), so that a change in the drawing can be held
    // against the pictures before it.
    std::ofstream pixels;
    if (const char* path = std::getenv("PC1996_PIXELS")) pixels.open(path, std::ios::binary);
    auto keep = [&pixels](const board::Surface& surface) {
        if (pixels) pixels.write(reinterpret_cast<const char*>(surface.bits), surface.memory.size() * 4);
    };
    keep(still);
    keep(large);
    Count("burst", [&] {
        for (int frame = 0; frame <= kDayBoardMotionFrames; ++frame) {
            changed.push_back(motion.Show(still.View(), content, frame < kDayBoardMotionFrames ? frame : -1));
            keep(still);  // not while counting: bench/pc1996.py sets no file
        }
    });
    for (const board::PixelRect& rect : changed) {
        if (!rect.Empty()) blitPixels += static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
    }
    const board::MotionRows rows = board::MotionRowsOf(641, 481, content);

    std::vector<std::string> packed;
    for (int i = 3; i < argc; ++i) packed.push_back(ReadFile(argv[i]));
    long long picturePixels = 0;
    bool unpacked = true;
    Count("menu-pictures", [&] {
        for (const std::string& data : packed) {
            common::UnpackedPicture picture;
            std::string error;
            unpacked = common::UnpackPicture(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), picture,
                                             error) && unpacked;
            picturePixels += static_cast<long long>(picture.width) * picture.height;
        }
    });
    if (!unpacked) {
        std::cerr << "a menu picture did not unpack\n";
        return 1;
    }

    // What the counts leave to Windows, for the report.
    std::cout << "frames " << kDayBoardMotionFrames << "\n"
              << "motion-rows " << rows.bottom - rows.top << "\n"
              << "blit-pixels-per-frame " << blitPixels / kDayBoardMotionFrames << "\n"
              << "menu-pixels " << picturePixels << "\n"
              << "menu-pictures " << packed.size() << "\n"
              << "schedule-lines " << std::count(files.files["saver\\schedule.pvz"].begin(),
                                                 files.files["saver\\schedule.pvz"].end(), '\n')
              << "\n";
    return 0;
}
