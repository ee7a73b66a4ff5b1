// What the forms layer's own files share: not for the programs' windows.
#pragma once

#include <windows.h>

#include <string>

#include "forms/form_table.h"

namespace forms::internal {

HINSTANCE Instance();

// Ends the program with a box that names the table and what is wrong with it.
[[noreturn]] void TableFault(const std::string& table, const std::string& why);

// A window table carried in the program, as text; empty where it is missing.
std::string ResourceText(const std::string& name);

// Tables are UTF-8; texts cross to Windows in the ANSI code page.
std::string ToAnsi(const std::string& utf8);

// A colour property's value, or `fallback` where it names none.
COLORREF ColourOf(const std::string& text, COLORREF fallback);

// The forms' top-level windows, for the keyboard navigation of the message
// loop.
void AddFormWindow(HWND window);
void RemoveFormWindow(HWND window);

// Turns a picture's transparent colour into a mask, and that colour in the
// picture into black, so that it can be drawn with AND then OR.
void MakeTransparent(HBITMAP& picture, HBITMAP& mask, SIZE size, COLORREF key);
// Draws a picture, through its mask where it has one.
void DrawPicture(HDC dc, int x, int y, HBITMAP picture, HBITMAP mask, SIZE size);

}  // namespace forms::internal
