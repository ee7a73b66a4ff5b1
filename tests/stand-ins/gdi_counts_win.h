// What gdi-count.dll (gdi_count_win.cpp) shares with the tests while the
// program runs: its live GDI objects and device contexts, in a named
// mapping of the program's process that a test reads at any moment.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

struct GdiCounts {
    LONG objects;      // bitmaps, memory DCs, fonts, pens, brushes, loaded images
    LONG dcs;          // window DCs held (GetDC, BeginPaint)
    LONG peakObjects;
    LONG peakDcs;
    LONG made;         // objects made over the run
    LONG freed;
    LONG deletedSelected;  // deleted while selected into a DC: Windows 95 keeps those
};

inline std::string GdiCountsName(DWORD processId) {
    return "VorlaksGdiCounts." + std::to_string(processId);
}

// The counts of the process where its stand-in runs; false where none does.
inline bool ReadGdiCounts(DWORD processId, GdiCounts& counts) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, GdiCountsName(processId).c_str());
    if (mapping == nullptr) return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof counts);
    if (view != nullptr) {
        CopyMemory(&counts, view, sizeof counts);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

// The counts at a quiet moment: the least of a few looks, so that a paint
// under way (its DC) does not count; all zero where no stand-in runs.
inline GdiCounts QuietGdiCounts(DWORD processId) {
    GdiCounts least = {};
    for (int look = 0; look < 5; ++look) {
        GdiCounts now = {};
        if (!ReadGdiCounts(processId, now)) return least;
        if (look == 0 || now.objects + now.dcs < least.objects + least.dcs) least = now;
        Sleep(40);
    }
    return least;
}

}  // namespace standin
