#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "setup/payload.h"
#include "setup/saver_rules.h"
#include "setup/setup_args.h"
#include "setup/theme_rules.h"

namespace setup {
namespace {

const std::string kProgram(1000, 'P');

void PutU32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The bytes that tools/setup_payload.py appends to `programSize` bytes of
// program to carry `files` (name, content), in order.
std::string MakePayload(std::uint32_t programSize, const std::vector<std::pair<std::string, std::string>>& files) {
    std::string data, directory;
    std::uint32_t offset = programSize;
    for (const auto& [name, content] : files) {
        PutU32(directory, offset);
        PutU32(directory, static_cast<std::uint32_t>(content.size()));
        directory += name;
        directory.push_back('\0');
        data += content;
        offset += static_cast<std::uint32_t>(content.size());
    }
    std::string out = data + directory;
    PutU32(out, programSize);
    PutU32(out, offset);
    out.append(kPayloadMagic, 8);
    return out;
}

PayloadRead Read(const std::string& whole, Payload& payload) {
    std::uint32_t needed = 0;
    return ReadPayload(whole, whole.size(), payload, needed);
}

TEST(SetupPayload, CarriedFilesComeBackByNameWithTheirBytes) {
    const std::string whole = kProgram + MakePayload(static_cast<std::uint32_t>(kProgram.size()),
                                                     {{"vorsaver.scr", "MZ saver"}, {"empty.pvz", ""}, {"sound.pvz", "sound=1"}});
    Payload payload;
    ASSERT_EQ(Read(whole, payload), PayloadRead::Found);
    EXPECT_EQ(payload.programSize, kProgram.size());
    ASSERT_EQ(payload.files.size(), 3u);
    for (const auto& [name, content] : {std::pair<std::string, std::string>{"vorsaver.scr", "MZ saver"},
                                        {"empty.pvz", ""},
                                        {"sound.pvz", "sound=1"}}) {
        const PayloadFile* file = payload.Find(name);
        ASSERT_NE(file, nullptr) << name;
        EXPECT_EQ(whole.substr(file->offset, file->size), content) << name;
    }
    EXPECT_EQ(payload.Find("schedule.pvz"), nullptr);
}

// The uninstaller is the bare program: no trailer, nothing carried.
TEST(SetupPayload, ABareProgramCarriesNothing) {
    Payload payload;
    EXPECT_EQ(Read(kProgram, payload), PayloadRead::None);
    EXPECT_EQ(Read("", payload), PayloadRead::None);
    EXPECT_TRUE(payload.files.empty());
}

TEST(SetupPayload, ADamagedDirectoryIsRefusedNotReadPastItsEnd) {
    const std::string good = kProgram + MakePayload(1000, {{"a.scr", "0123456789"}});
    const std::size_t trailer = good.size() - kTrailerSize;
    const std::size_t directory = trailer - (8 + 6);
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    } cases[] = {
        {"file beyond the directory", directory + 4, 500},
        {"file inside the program", directory, 10},
        {"program size zero", trailer, 0},
        {"directory before the program", trailer + 4, 10},
        {"directory past the end", trailer + 4, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        std::memcpy(&bad[c.at], &c.value, 4);  // little-endian machines only, as the build's are
        Payload payload;
        EXPECT_EQ(Read(bad, payload), PayloadRead::Damaged) << c.what;
    }
    // A name without its end.
    std::string cut = good;
    cut[trailer - 1] = 'x';
    Payload payload;
    EXPECT_EQ(Read(cut, payload), PayloadRead::Damaged);
}

TEST(SetupPayload, AShortTailAsksForTheWholeDirectory) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 400; ++i) files.push_back({"file" + std::to_string(i) + ".pvz", "x"});
    const std::string whole = kProgram + MakePayload(1000, files);
    Payload payload;
    std::uint32_t needed = 0;
    EXPECT_EQ(ReadPayload(whole.substr(whole.size() - 4096), whole.size(), payload, needed), PayloadRead::Damaged);
    ASSERT_GT(needed, 4096u);
    EXPECT_EQ(ReadPayload(whole.substr(whole.size() - needed), whole.size(), payload, needed), PayloadRead::Found);
    EXPECT_EQ(payload.files.size(), 400u);
}

std::string ProgramWithVersion(std::uint32_t high, std::uint32_t low) {
    std::string program = "MZ....";
    program += std::string("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0\0\0\0\0", 34);
    const std::uint32_t fixed[] = {0xFEEF04BD, 0x10000, high, low};
    program.append(reinterpret_cast<const char*>(fixed), sizeof fixed);
    return program + "....";
}

TEST(SaverRules, VersionsCompareByTheFixedVersionWords) {
    FileVersion a, b;
    ASSERT_TRUE(ReadFileVersion(ProgramWithVersion(0x10000, 0), a));
    EXPECT_EQ(a.high, 0x10000u);
    struct Case {
        std::uint32_t highA, lowA, highB, lowB;
        bool newer;
    } cases[] = {
        {0x20000, 0, 0x10000, 0, true}, {0x10000, 0, 0x20000, 0, false}, {0x10000, 5, 0x10000, 4, true},
        {0x10000, 4, 0x10000, 4, false}, {0x10001, 0, 0x10000, 0xFFFFFFFF, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ReadFileVersion(ProgramWithVersion(c.highA, c.lowA), a));
        ASSERT_TRUE(ReadFileVersion(ProgramWithVersion(c.highB, c.lowB), b));
        EXPECT_EQ(IsNewer(a, b), c.newer) << std::hex << c.highA << "." << c.lowA << " vs " << c.highB << "." << c.lowB;
    }
    EXPECT_FALSE(ReadFileVersion("MZ no version here", a));
}

TEST(SaverRules, OurSaverIsKnownByEitherPathInAnyCase) {
    EXPECT_TRUE(NamesOurSaver("C:\\WINDOWS\\SYSTEM\\VORSAVER.SCR", "C:\\WINDOWS\\SYSTEM\\VORSAVER.SCR", "x"));
    EXPECT_TRUE(NamesOurSaver("c:\\users\\fan\\appdata\\tarrow~1\\vorsaver.scr", "C:\\USERS\\FAN\\APPDATA\\TARROW~1\\VORSAVER.SCR",
                              "C:\\Users\\fan\\AppData\\Tarrowick Vorlaks Saver\\vorsaver.scr"));
    EXPECT_TRUE(NamesOurSaver("C:\\Users\\fan\\AppData\\Tarrowick Vorlaks Saver\\vorsaver.scr", "x",
                              "C:\\Users\\fan\\AppData\\Tarrowick Vorlaks Saver\\vorsaver.scr"));
    EXPECT_FALSE(NamesOurSaver("C:\\WINDOWS\\SYSTEM\\OLDSAVER.SCR", "C:\\WINDOWS\\SYSTEM\\VORSAVER.SCR", "x"));
    EXPECT_FALSE(NamesOurSaver("", "", ""));
}

// The pages speak of what this Windows calls the place to pick a saver.
TEST(SaverRules, PagesNameTheScreenSaverPageAsThisWindowsDoes) {
    using K = common::WindowsKind;
    const K kinds[] = {K::NotWin32, K::Windows95, K::Windows98, K::WindowsMe, K::WindowsNT4,
                       K::Windows2000, K::WindowsXP, K::WindowsVista};
    for (K kind : kinds) {
        const WindowsVersion windows(kind);
        const std::string name = windows.SaverSettingsName();
        const std::string other = name == "Display Properties" ? "Screen Saver Settings" : "Display Properties";
        for (const std::string& text : {SaverWelcomeText(windows, "C:\\X", false), SaverFinishText(windows, false, false),
                                        SaverOpenCheckCaption(windows),
                                        SaverOpenFailedText(windows, "The system cannot find the file specified")}) {
            EXPECT_NE(text.find(name), std::string::npos) << text;
            EXPECT_EQ(text.find(other), std::string::npos) << text;
        }
    }
    EXPECT_NE(SaverOpenFailedText(WindowsVersion(K::WindowsVista), "Access is denied").find("Access is denied"),
              std::string::npos);
}

TEST(SaverRules, TheSystemFolderIsNeverPromisedAway) {
    const std::string system = SaverRemoveText("C:\\WINDOWS\\SYSTEM", true);
    EXPECT_NE(system.find("folder itself belongs to Windows and stays"), std::string::npos);
    EXPECT_EQ(SaverRemoveText("C:\\X\\Tarrowick Vorlaks Saver", false).find("stays"), std::string::npos);
    const WindowsVersion windows98(common::WindowsKind::Windows98);
    EXPECT_NE(SaverFinishText(windows98, true, false).find("when Windows next starts"), std::string::npos);
    EXPECT_NE(SaverFinishText(windows98, false, true).find("newer version"), std::string::npos);
}

TEST(SetupArguments, SilentFolderAndWaitRoundTrip) {
    struct Case {
        std::string folder;
        unsigned long pid;
        bool silent;
    } cases[] = {{"C:\\WINDOWS\\SYSTEM", 42, true},
                 {"C:\\Documents and Settings\\A Fan\\Application Data\\Tarrowick Vorlaks Saver", 4294967295ul, false}};
    for (const Case& c : cases) {
        const Arguments parsed =
            ParseArguments(UninstallCopyArguments(c.folder, c.pid, "Uninstall Desktop Theme.exe", c.silent));
        EXPECT_EQ(parsed.folder, c.folder);
        EXPECT_EQ(parsed.product, "Uninstall Desktop Theme.exe");
        EXPECT_EQ(parsed.waitFor, c.pid);
        EXPECT_EQ(parsed.silent, c.silent);
        EXPECT_EQ(parsed.unknown, "");
    }
    EXPECT_TRUE(ParseArguments("/s").silent);
    EXPECT_TRUE(ParseArguments("  /S  ").silent);
    EXPECT_FALSE(ParseArguments("").silent);
    EXPECT_EQ(ParseArguments("/S /D=C:\\x").unknown, "/D=C:\\x");
}

// One program is all three setups: what it carries decides which it is, and
// the uninstaller it leaves is known again by its name.
TEST(ThemeRules, TheCarriedFilesAndTheUninstallersNameTellTheProduct) {
    EXPECT_EQ(ProductCarrying({"vorsaver.scr", "vorlaks.swf", "schedule.pvz", "sound.pvz"}), Product::Saver);
    EXPECT_EQ(ProductCarrying({"vorlaks800.vpk", "vorlaks1024.vpk", "Tarrowick Vorlaks.theme"}), Product::Theme);
    EXPECT_EQ(ProductCarrying({"vorlaks800.vpk", "vorlaks1024.vpk"}), Product::Wallpaper);
    for (Product product : {Product::Saver, Product::Theme, Product::Wallpaper}) {
        Product found = Product::Saver;
        ASSERT_TRUE(ProductOfUninstaller(UninstallerName(product), found));
        EXPECT_EQ(found, product);
        ASSERT_TRUE(ProductOfUninstaller(AsciiLower(UninstallerName(product)), found));
        EXPECT_EQ(found, product);
    }
    Product found = Product::Saver;
    EXPECT_FALSE(ProductOfUninstaller("vsu1A2B.tmp", found));
    EXPECT_FALSE(ProductOfUninstaller("", found));
}

TEST(ThemeRules, TheWallpaperSuitsTheScreensWidth) {
    struct Case {
        int width;
        const char* file;
        const char* words;
    } cases[] = {{640, "vorlaks800.vpk", "800 x 600"},
                 {800, "vorlaks800.vpk", "800 x 600"},
                 {1023, "vorlaks800.vpk", "800 x 600"},
                 {1024, "vorlaks1024.vpk", "1024 x 768"},
                 {1600, "vorlaks1024.vpk", "1024 x 768"}};
    for (const Case& c : cases) {
        EXPECT_STREQ(WallpaperFor(c.width), c.file) << c.width;
        EXPECT_NE(ThemeWelcomeText("C:\\T", c.width).find(c.words), std::string::npos) << c.width;
        EXPECT_NE(WallpaperWelcomeText("C:\\W", c.width).find(c.words), std::string::npos) << c.width;
    }
    // What to do next: where to pick the theme, and no folder to choose.
    EXPECT_NE(ThemeFinishText().find("open Desktop Themes in Control Panel"), std::string::npos);
    EXPECT_NE(ThemeWelcomeText("C:\\T", 800).find("the one folder where Desktop Themes finds themes"),
              std::string::npos);
}

#ifdef VORLAKS_PACKED_DIR
// A packed picture of the build comes out as the committed bitmap, byte for
// byte (the wallpapers go the same way; e2e.themes compares those).
TEST(ThemeRules, APackedPictureBecomesItsBitmapFileAgain) {
    const std::string source = std::string(VORLAKS_SOURCE_DIR) + "/resources/setup/side.bmp";
    const std::string packedPath = std::string(VORLAKS_PACKED_DIR) + "/setup/side.vpk";
    auto read = [](const std::string& path) {
        std::string bytes;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
            std::fclose(file);
        }
        return bytes;
    };
    const std::string original = read(source);
    ASSERT_GT(original.size(), 54u);
    std::string bitmap, error;
    ASSERT_TRUE(BitmapFileOf(read(packedPath), bitmap, error)) << error;
    EXPECT_TRUE(bitmap == original);
    EXPECT_FALSE(BitmapFileOf("VPK1 cut short", bitmap, error));
    EXPECT_FALSE(error.empty());
}
#endif

}  // namespace
}  // namespace setup
