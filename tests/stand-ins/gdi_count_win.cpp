// Counts a program's GDI objects and device contexts, which Windows 95 and
// 98 keep in one 64 KB heap for every program and Wine does not count
// (GetGuiResources reads 0 there). A test driver loads this stand-in into
// the unchanged program before its first instruction; it points the
// program's imports that make, select and free GDI objects, and GetDC /
// ReleaseDC and BeginPaint / EndPaint, at its own, which pass each call on
// and keep the live ones with the call and the place in the program that
// made them.
//
//   the counts     live in a mapping named by standin::GdiCountsName(pid)
//                  (gdi_counts_win.h), for a test to read at any moment
//   VORLAKS_GDI_LOG  a file that gets, when the program ends, its peaks
//                  and totals and one "left" line for each object or DC
//                  still live, naming the call that made it, e.g.
//                  "left CreateFontA at vorsaver.scr+0x1a2b (#57)"
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "tests/stand-ins/gdi_counts_win.h"
#include "tests/stand-ins/import_slots_win.h"
#include "tests/stand-ins/stand_in_log_win.h"

namespace {

struct Made {
    const char* call;
    void* caller;  // the return address in the program
    LONG serial;
};

CRITICAL_SECTION lock;
std::map<void*, Made>* objects = nullptr;
std::map<void*, Made>* dcs = nullptr;
std::map<void*, void*>* selectedInto = nullptr;  // object -> the DC it is selected into
standin::GdiCounts* counts = nullptr;
standin::GdiCounts local = {};
HANDLE mapping = nullptr;
std::string logPath;

void Note(std::map<void*, Made>& table, LONG& live, LONG& peak, void* handle, const char* call, void* caller) {
    if (handle == nullptr) return;
    EnterCriticalSection(&lock);
    const LONG serial = ++counts->made;
    if (table.emplace(handle, Made{call, caller, serial}).second) {
        ++live;
        if (live > peak) peak = live;
    }
    LeaveCriticalSection(&lock);
}

bool Forget(std::map<void*, Made>& table, LONG& live, void* handle) {
    EnterCriticalSection(&lock);
    const bool known = table.erase(handle) != 0;
    if (known) {
        --live;
        ++counts->freed;
    }
    LeaveCriticalSection(&lock);
    return known;
}

void NoteObject(void* handle, const char* call, void* caller) {
    Note(*objects, counts->objects, counts->peakObjects, handle, call, caller);
}

void NoteDc(void* handle, const char* call, void* caller) {
    Note(*dcs, counts->dcs, counts->peakDcs, handle, call, caller);
}

// The real functions, as the program's import table held them.
#define REAL(name) decltype(&name) real##name = nullptr
REAL(CreateBitmap);
REAL(CreateCompatibleBitmap);
REAL(CreateCompatibleDC);
REAL(CreateDIBSection);
REAL(CreateFontA);
REAL(CreatePen);
REAL(CreateSolidBrush);
REAL(DeleteDC);
REAL(DeleteObject);
REAL(SelectObject);
REAL(LoadImageA);
REAL(GetDC);
REAL(ReleaseDC);
REAL(BeginPaint);
REAL(EndPaint);
#undef REAL

#define CALLER __builtin_return_address(0)

HBITMAP WINAPI CountedCreateBitmap(int width, int height, UINT planes, UINT bits, const void* data) {
    HBITMAP made = realCreateBitmap(width, height, planes, bits, data);
    NoteObject(made, "CreateBitmap", CALLER);
    return made;
}

HBITMAP WINAPI CountedCreateCompatibleBitmap(HDC dc, int width, int height) {
    HBITMAP made = realCreateCompatibleBitmap(dc, width, height);
    NoteObject(made, "CreateCompatibleBitmap", CALLER);
    return made;
}

HDC WINAPI CountedCreateCompatibleDC(HDC dc) {
    HDC made = realCreateCompatibleDC(dc);
    NoteObject(made, "CreateCompatibleDC", CALLER);
    return made;
}

HBITMAP WINAPI CountedCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                       DWORD offset) {
    HBITMAP made = realCreateDIBSection(dc, info, usage, bits, section, offset);
    NoteObject(made, "CreateDIBSection", CALLER);
    return made;
}

HFONT WINAPI CountedCreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    HFONT made = realCreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                 charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face);
    NoteObject(made, "CreateFontA", CALLER);
    return made;
}

HPEN WINAPI CountedCreatePen(int style, int width, COLORREF colour) {
    HPEN made = realCreatePen(style, width, colour);
    NoteObject(made, "CreatePen", CALLER);
    return made;
}

HBRUSH WINAPI CountedCreateSolidBrush(COLORREF colour) {
    HBRUSH made = realCreateSolidBrush(colour);
    NoteObject(made, "CreateSolidBrush", CALLER);
    return made;
}

// Images shared with the system (LR_SHARED) are the system's to free.
HANDLE WINAPI CountedLoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    HANDLE made = realLoadImageA(instance, name, type, width, height, flags);
    if ((flags & LR_SHARED) == 0) NoteObject(made, "LoadImageA", CALLER);
    return made;
}

HGDIOBJ WINAPI CountedSelectObject(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = realSelectObject(dc, object);
    if (previous != nullptr && previous != HGDI_ERROR) {
        EnterCriticalSection(&lock);
        auto found = selectedInto->find(previous);
        if (found != selectedInto->end() && found->second == dc) selectedInto->erase(found);
        (*selectedInto)[object] = dc;
        LeaveCriticalSection(&lock);
    }
    return previous;
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    EnterCriticalSection(&lock);
    if (selectedInto->count(object) != 0) ++counts->deletedSelected;
    LeaveCriticalSection(&lock);
    const BOOL deleted = realDeleteObject(object);
    // Windows 95 refuses to delete an object still selected (and it stays
    // made), which newer Windows allow: such an object counts as deleted
    // here, and deletedSelected tells.
    Forget(*objects, counts->objects, object);
    EnterCriticalSection(&lock);
    selectedInto->erase(object);
    LeaveCriticalSection(&lock);
    return deleted;
}

BOOL WINAPI CountedDeleteDC(HDC dc) {
    const BOOL deleted = realDeleteDC(dc);
    Forget(*objects, counts->objects, dc);
    EnterCriticalSection(&lock);
    for (auto at = selectedInto->begin(); at != selectedInto->end();) {
        at = at->second == dc ? selectedInto->erase(at) : std::next(at);
    }
    LeaveCriticalSection(&lock);
    return deleted;
}

HDC WINAPI CountedGetDC(HWND window) {
    HDC dc = realGetDC(window);
    NoteDc(dc, "GetDC", CALLER);
    return dc;
}

int WINAPI CountedReleaseDC(HWND window, HDC dc) {
    Forget(*dcs, counts->dcs, dc);
    return realReleaseDC(window, dc);
}

HDC WINAPI CountedBeginPaint(HWND window, LPPAINTSTRUCT paint) {
    HDC dc = realBeginPaint(window, paint);
    NoteDc(dc, "BeginPaint", CALLER);
    return dc;
}

BOOL WINAPI CountedEndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (paint != nullptr) Forget(*dcs, counts->dcs, paint->hdc);
    return realEndPaint(window, paint);
}

// Where in the program a call was made: its file name and the offset.
std::string Place(void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    char path[MAX_PATH] = "?";
    if (module != nullptr) GetModuleFileNameA(module, path, MAX_PATH);
    std::string name(path);
    name = name.substr(name.find_last_of("\\/") + 1);
    char offset[32];
    std::snprintf(offset, sizeof offset, "+0x%llx",
                  static_cast<unsigned long long>(static_cast<BYTE*>(address) - reinterpret_cast<BYTE*>(module)));
    return name + offset;
}

void Report() {
    if (logPath.empty()) return;
    char line[256];
    std::snprintf(line, sizeof line, "peak %ld objects %ld DCs; made %ld, freed %ld; deleted while selected %ld",
                  counts->peakObjects, counts->peakDcs, counts->made, counts->freed, counts->deletedSelected);
    standin::AppendLine(logPath, line);
    for (const auto* table : {objects, dcs}) {
        for (const auto& live : *table) {
            standin::AppendLine(logPath, std::string("left ") + live.second.call + " at " + Place(live.second.caller) +
                                             " (#" + std::to_string(live.second.serial) + ")");
        }
    }
    standin::AppendLine(logPath, "end");
}

template <typename Function>
void Point(HMODULE program, const char* dll, const char* name, Function replacement, Function& real) {
    void* original = standin::PointImportAt(program, dll, name, reinterpret_cast<void*>(replacement));
    real = original != nullptr ? reinterpret_cast<Function>(original) : nullptr;
}

void Attach() {
    InitializeCriticalSection(&lock);
    objects = new std::map<void*, Made>;
    dcs = new std::map<void*, Made>;
    selectedInto = new std::map<void*, void*>;
    logPath = standin::LogPath("VORLAKS_GDI_LOG");
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(standin::GdiCounts),
                                 standin::GdiCountsName(GetCurrentProcessId()).c_str());
    void* view = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(standin::GdiCounts)) : nullptr;
    counts = view != nullptr ? static_cast<standin::GdiCounts*>(view) : &local;

    HMODULE program = GetModuleHandleA(nullptr);
    int pointed = 0;
#define POINT(dll, name)                                             \
    Point(program, dll, #name, &Counted##name, real##name);          \
    if (real##name == nullptr) real##name = &name; else ++pointed
    POINT("gdi32.dll", CreateBitmap);
    POINT("gdi32.dll", CreateCompatibleBitmap);
    POINT("gdi32.dll", CreateCompatibleDC);
    POINT("gdi32.dll", CreateDIBSection);
    POINT("gdi32.dll", CreateFontA);
    POINT("gdi32.dll", CreatePen);
    POINT("gdi32.dll", CreateSolidBrush);
    POINT("gdi32.dll", DeleteDC);
    POINT("gdi32.dll", DeleteObject);
    POINT("gdi32.dll", SelectObject);
    POINT("user32.dll", LoadImageA);
    POINT("user32.dll", GetDC);
    POINT("user32.dll", ReleaseDC);
    POINT("user32.dll", BeginPaint);
    POINT("user32.dll", EndPaint);
#undef POINT
    standin::AppendLine(logPath, "attached, " + std::to_string(pointed) + " calls counted");
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Attach();
    if (reason == DLL_PROCESS_DETACH) Report();
    return TRUE;
}
