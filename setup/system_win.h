// What setup asks of Windows: its folders, the registry and
// ini files, and replacing or deleting a file in use when Windows next
// starts (MoveFileEx on NT; wininit.ini on 95/98/Me, which only stub it).
#pragma once

#include <windows.h>

#include <string>

#include "common/file_exists_win.h"
#include "common/paths.h"


namespace setup {

// Where Windows keeps the desktop's settings: the screen saver and the wallpaper.
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

std::string WindowsFolder();
std::string SystemFolder();
// The user's application data (NT 4 without the newer shell: the profile's
// "Application Data").
std::string AppDataFolder();
std::string TempFolder();
// The 8.3 form of an existing path, or the path itself where there is none.
std::string ShortPath(const std::string& path);
using common::FileExists;
using common::Join;

std::string RegRead(HKEY root, const char* key, const char* value, bool* found = nullptr);
bool RegWrite(HKEY root, const char* key, const char* value, const std::string& data);
bool RegWriteNumber(HKEY root, const char* key, const char* value, DWORD data);
void RegRemoveValue(HKEY root, const char* key, const char* value);
void RegRemoveKey(HKEY root, const char* key);

std::string IniRead(const std::string& file, const char* section, const char* key, bool* found = nullptr);
// Writes (or with an empty value removes) a key and flushes the file.
void IniWrite(const std::string& file, const char* section, const char* key, const std::string& value);

// Queues `from` to take the place of `to` (or, with an empty `to`, to be
// deleted) when Windows next starts.
bool AtNextStart(const std::string& from, const std::string& to);

// Whether a file is open in another program (a running saver, a movie it
// plays) so that it cannot be replaced now.
bool InUse(const std::string& path);

// Paints the windows whose look changed, without running input.
void PaintNow(HWND window);

}  // namespace setup
