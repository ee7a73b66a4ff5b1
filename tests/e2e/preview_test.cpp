// The preview start ("/p" and "/P" with a window handle): the still becomes
// a child of the preview area, fills it, and the program ends with it.
// (Wine on the test machines does not draw a child window whose parent
// belongs to another process, so the still's pixels are not compared here.)
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

// The preview area: a window of this test's own, either a top-level window
// or, as in Display Properties, a child of a dialog-like top-level window.
struct Host {
    HWND area = nullptr;
    HWND topLevel = nullptr;
};

Host MakeHost(int width, int height, bool insideAWindow) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "PreviewHost";
    RegisterClassA(&wc);
    Host host;
    if (insideAWindow) {
        host.topLevel = CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, "#32770",
                                        "Display Properties",
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 30, 30,
                                        width + 120, height + 160, nullptr, nullptr, GetModuleHandleA(nullptr),
                                        nullptr);
        host.area = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 55, 40, width,
                                    height, host.topLevel, nullptr, GetModuleHandleA(nullptr), nullptr);
    } else {
        host.area = host.topLevel =
            CreateWindowExA(WS_EX_TOPMOST, "PreviewHost", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    UpdateWindow(host.topLevel);
    return host;
}

HWND ChildOfProcess(HWND host, DWORD processId) {
    for (HWND child = GetWindow(host, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(child, &owner);
        if (owner == processId) return child;
    }
    return nullptr;
}

TEST(Preview, StillFillsTheAreaAtItsDesignSizeAndEndsWithIt) {
    struct Case { const char* form; int width; int height; bool insideAWindow; };
    // Display Properties' own size, a larger area than the still, a tiny one;
    // the area on its own and, as Display Properties has it, inside a window.
    const Case cases[] = {{"/p %d", 152, 112, false}, {"/P:%d", 240, 200, false}, {"/p %d", 40, 30, false},
                          {"/p %d", 152, 112, true},  {"/p %d", 240, 200, true}};
    std::string folder = FreshFolder("Preview");
    std::string saver = InstallSaver(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        SCOPED_TRACE(c.width);
        SCOPED_TRACE(c.insideAWindow ? "inside a window" : "on its own");
        Host host = MakeHost(c.width, c.height, c.insideAWindow);
        char arguments[64];
        wsprintfA(arguments, c.form, static_cast<int>(reinterpret_cast<INT_PTR>(host.area)));
        Process process;
        ASSERT_TRUE(process.Start(saver, arguments, folder));
        HWND child = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                child = ChildOfProcess(host.area, process.Id());
                return child != nullptr && IsWindowVisible(child);
            },
            10000))
            << "no preview window in the area";
        // It must stay so, not only be so for a moment, while the host
        // answers its messages as Display Properties does.
        WaitUntil([] { return false; }, 500);
        EXPECT_EQ(GetAncestor(child, GA_PARENT), host.area);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_TRUE(style & WS_POPUP) << "the window keeps the style bits it had";
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, host.area, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, c.width);
        EXPECT_EQ(rect.bottom, c.height);

        // The picture box sits one pixel up and left of the corner at the
        // window's design size (2310 x 1785 twips), whatever the area's size:
        // the still inside it is cut off, never scaled.
        HWND picture = GetWindow(child, GW_CHILD);
        ASSERT_NE(picture, nullptr);
        GetWindowRect(picture, &rect);
        MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, -1);
        EXPECT_EQ(rect.top, -1);
        EXPECT_EQ(rect.right - rect.left, 154);
        EXPECT_EQ(rect.bottom - rect.top, 119);

        // Display Properties closing: the area goes, and the program with it.
        DestroyWindow(host.topLevel);
        EXPECT_TRUE(process.WaitForExit(5000).has_value()) << "the program outlived its preview area";
    }
}

TEST(Preview, AreaThatIsAlreadyGoneEndsTheProgram) {
    std::string folder = FreshFolder("PreviewGone");
    std::string saver = InstallSaver(folder);
    Host host = MakeHost(152, 112, true);
    int gone = static_cast<int>(reinterpret_cast<INT_PTR>(host.area));
    DestroyWindow(host.topLevel);
    char arguments[64];
    wsprintfA(arguments, "/p %d", gone);
    EXPECT_EQ(RunToEnd(saver, arguments, 10000), 0u) << "the program kept running without a preview area";
}

}  // namespace
}  // namespace e2e
