// Loader: the screen saver's start-up. It picks the mode from the command
// line and shows the window for it; the routines those windows share with it
// are below them, in vorsaver/services/loader_services_win.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace Loader {

// The window handle given after "/p" or "/a"; empty until one is parsed.
extern std::optional<std::int32_t> ParentWindow;

// The preview area's client rectangle and the style given to frmPreview.
extern RECT ParentRect;
extern LONG PreviewStyle;

// Reads the argument text, starts exactly one mode and returns.
void Main();

// Embeds frmPreview in the preview area named after "/p".
void ShowPreview();

}  // namespace Loader
