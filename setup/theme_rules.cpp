#include "setup/theme_rules.h"

#include "common/packed_picture.h"
#include "setup/saver_rules.h"

namespace setup {

namespace {

const char* ScreenSize(int screenWidth) { return screenWidth >= 1024 ? "1024 x 768" : "800 x 600"; }

}  // namespace

Product ProductCarrying(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (name == "vorsaver.scr") return Product::Saver;
    }
    for (const std::string& name : names) {
        if (name == "Tarrowick Vorlaks.theme") return Product::Theme;
    }
    return Product::Wallpaper;
}

const char* UninstallerName(Product product) {
    switch (product) {
    case Product::Saver: return "vorsaver-uninstall.exe";
    case Product::Theme: return "Uninstall Desktop Theme.exe";
    case Product::Wallpaper: break;
    }
    return "Uninstall Wallpaper.exe";
}

bool ProductOfUninstaller(const std::string& fileName, Product& product) {
    for (Product candidate : {Product::Saver, Product::Theme, Product::Wallpaper}) {
        if (AsciiLower(fileName) == AsciiLower(UninstallerName(candidate))) {
            product = candidate;
            return true;
        }
    }
    return false;
}

const char* WallpaperFor(int screenWidth) { return screenWidth >= 1024 ? "vorlaks1024.vpk" : "vorlaks800.vpk"; }

bool BitmapFileOf(const std::string& packed, std::string& bitmap, std::string& error) {
    common::UnpackedPicture picture;
    if (!common::UnpackPicture(reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size(), picture, error)) {
        return false;
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + picture.info.size());
    const std::uint32_t size = static_cast<std::uint32_t>(offset + picture.pixels.size());
    bitmap.assign("BM");
    for (std::uint32_t value : {size, 0u, offset}) {
        for (int i = 0; i < 4; ++i) bitmap.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    bitmap.append(picture.info.begin(), picture.info.end());
    bitmap.append(picture.pixels.begin(), picture.pixels.end());
    return true;
}

std::string ThemeWelcomeText(const std::string& themesFolder, int screenWidth) {
    return "This puts the Tarrowick Vorlaks Desktop Theme on your computer: the team's colours, and a wallpaper "
           "made for your " + std::string(ScreenSize(screenWidth)) + " screen.\r\n\r\n"
           "It goes into the Themes folder of Desktop Themes, " + themesFolder +
           ", the one folder where Desktop Themes finds themes.\r\n\r\n"
           "Click Next to install it, or Cancel to leave your computer as it is.";
}

std::string ThemeFinishText() {
    return "The Tarrowick Vorlaks Desktop Theme is installed.\r\n\r\n"
           "To use it, open Desktop Themes in Control Panel and choose \"Tarrowick Vorlaks\" from the Theme list. "
           "If the screen saver is installed, the theme turns it on too.\r\n\r\n"
           "To remove it, use Add/Remove Programs in Control Panel.";
}

std::string WallpaperWelcomeText(const std::string& folder, int screenWidth) {
    return "This puts the Tarrowick Vorlaks wallpaper, made for your " + std::string(ScreenSize(screenWidth)) +
           " screen, into " + folder + " and makes it your desktop's wallpaper.\r\n\r\n"
           "Your wallpaper now is remembered: removing the Tarrowick Vorlaks wallpaper puts it back.\r\n\r\n"
           "Click Next to install it, or Cancel to leave your computer as it is.";
}

std::string WallpaperFinishText(bool nt) {
    return std::string("The Tarrowick Vorlaks wallpaper is now on your desktop.\r\n\r\n") +
           (nt ? "To choose another, open Display in Control Panel and its Background page."
               : "To choose another, open Display in Control Panel and its Background page. With Desktop Themes "
                 "installed, open Desktop Themes in Control Panel for the whole Tarrowick Vorlaks theme.") +
           "\r\n\r\nTo remove it, use Add/Remove Programs in Control Panel.";
}

std::string ThemeRemoveText(const std::string& themesFolder) {
    return "This removes the Tarrowick Vorlaks Desktop Theme and its wallpaper from " + themesFolder +
           ". The Themes folder itself and your other themes stay.\r\n\r\n"
           "Click Remove to go on, or Cancel to keep it.";
}

std::string WallpaperRemoveText(const std::string& folder) {
    return "This removes the Tarrowick Vorlaks wallpaper from " + folder +
           ". If it is your wallpaper now, the one you had before comes back.\r\n\r\n"
           "Click Remove to go on, or Cancel to keep it.";
}

}  // namespace setup
