// What the Desktop Theme's and the wallpaper's setup decide without
// asking Windows: which of the setup programs a set of carried files makes,
// which wallpaper suits the screen, and the words of their pages.
#pragma once

#include <string>
#include <vector>

namespace setup {

enum class Product { Saver, Theme, Wallpaper };

// By what the program carries: the saver, the theme file, or the wallpapers alone.
Product ProductCarrying(const std::vector<std::string>& names);
// By the uninstaller's own file name, which setup gives it.
bool ProductOfUninstaller(const std::string& fileName, Product& product);
const char* UninstallerName(Product product);

// The carried wallpaper for a screen this wide: the 1024 x 768 picture on
// screens at least that wide, else the 800 x 600 one. The wallpapers are
// carried packed (tools/pack_picture.py), a twentieth of their size.
const char* WallpaperFor(int screenWidth);

// The bitmap file (.bmp) of a packed picture: the file header, then the
// picture's header and colours and its rows as they are.
bool BitmapFileOf(const std::string& packed, std::string& bitmap, std::string& error);

std::string ThemeWelcomeText(const std::string& themesFolder, int screenWidth);
std::string ThemeFinishText();
std::string WallpaperWelcomeText(const std::string& folder, int screenWidth);
std::string WallpaperFinishText(bool nt);
std::string ThemeRemoveText(const std::string& themesFolder);
std::string WallpaperRemoveText(const std::string& folder);

}  // namespace setup
