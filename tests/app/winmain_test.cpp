// Tests of the program's entry: the game's window, the main loop's order of messages and
// frames, its exit codes, and the frame clock's wait.
#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "hosts/headless/headless_host.h"
#include "platform/link/host_link.h"
#include "platform/window/resources.h"
#include "support/installed_host.h"
#include "support/loop_host.h"

namespace {

using gametest::LoopHost;

host::HeadlessOptions Scripted(const char* script) {
    host::HeadlessOptions o;
    std::string error;
    EXPECT_TRUE(host::ParseScript(script, o.script, error)) << error;
    return o;
}

int RunWinMain() {
    char commandLine[1] = {'\0'};
    return WinMain(nullptr, nullptr, commandLine, SW_SHOW);
}

TEST(MainLoop, EachPassDispatchesOneMessageThenRunsItsFrame) {
    LoopHost loop(Scripted("2 down S\n3 down Escape\n3 down Down\n"));
    loop.quitAtPass = 6;
    loop.quitCode = 7;
    {
        gametest::InstalledHost installed(loop);
        EXPECT_EQ(7, RunWinMain()) << "the exit code is the quit message's wParam";
    }
    // Pass 2's frame already shows play; pass 3 and 4 each take one of the two keys; the
    // quit pass runs no frame.
    const std::vector<std::vector<int>> expected = {{1, -1, 0}, {2, 0, 0}, {3, -1, 0}, {4, -1, 1}, {5, -1, 1}};
    ASSERT_EQ(expected.size(), loop.frames.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i][0], loop.frames[i].pass);
        EXPECT_EQ(expected[i][1], loop.frames[i].screen) << "pass " << expected[i][0];
        EXPECT_EQ(expected[i][2], loop.frames[i].cursor) << "pass " << expected[i][0];
    }
    for (std::size_t p = 1; p < loop.passStarts.size(); ++p) {
        const std::uint32_t period = loop.passStarts[p] - loop.passStarts[p - 1];
        EXPECT_GE(period, 30u);
        EXPECT_LE(period, 34u);
    }
}

TEST(MainLoop, FailedClassRegistrationMakesNoWindowAndExitsZero) {
    WNDCLASSEXA taken{};
    taken.cbSize = sizeof(taken);
    taken.lpfnWndProc = WindowProcedure;
    taken.lpszClassName = kMainWindowClass;
    // A class left by an earlier test in this process would do, but make our own.
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    UnregisterClassA(kMainWindowClass, nullptr);
    ASSERT_NE(0, RegisterClassExA(&taken));
    LoopHost loop(host::HeadlessOptions{});
    loop.quitAtPass = 3;  // in case it went on anyway
    {
        gametest::InstalledHost installed(loop);
        EXPECT_EQ(0, RunWinMain());
    }
    EXPECT_FALSE(loop.WindowOpen());
    EXPECT_TRUE(loop.frames.empty());
}

// Notes what the window it opens looks like.
class WindowHost : public host::HeadlessHost {
public:
    WindowHost() : HeadlessHost(host::HeadlessOptions{}) {}
    void OpenWindow(const char* title, int w, int h, const host::Picture* i, const host::Picture* c) override {
        HeadlessHost::OpenWindow(title, w, h, i, c);
        width = w;
        height = h;
        icon = i;
        cursor = c;
    }
    int width = 0, height = 0;
    const host::Picture* icon = nullptr;
    const host::Picture* cursor = nullptr;
};

TEST(MainWindow, OpensAtScreenSizeWithTheHeroIconAndTheHandCursor) {
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    UnregisterClassA(kMainWindowClass, nullptr);
    WindowHost window;
    gametest::InstalledHost installed(window);
    const HWND made = CreateMainWindow(nullptr);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(made, mainWindow);
    EXPECT_EQ(made, platform::MainWindow());
    EXPECT_TRUE(window.WindowOpen());
    EXPECT_EQ("Trundlebop", window.WindowTitle());
    EXPECT_EQ(640, window.width);
    EXPECT_EQ(480, window.height);
    EXPECT_EQ(platform::FindIconImage(platform::kHeroIconResource, 32), window.icon);
    EXPECT_EQ(platform::FindCursorImage(platform::kHandCursorResource), window.cursor);
    // The game's own procedure answers the window: closing it ends the game.
    platform::Link().DeliverClose();
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_QUIT, msg.message);
    EXPECT_FALSE(window.WindowOpen());
    UnregisterClassA(kMainWindowClass, nullptr);
}

TEST(FrameClock, WaitIsRightAcrossTheTickWrap) {
    for (const std::uint32_t start : {0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFE2u}) {
        for (const std::uint32_t step : {1u, 7u}) {
            host::HeadlessOptions o;
            o.millisecondsPerReading = step;
            LoopHost clock(o);
            clock.SetClock(start);
            std::uint32_t after = 0;
            {
                gametest::InstalledHost installed(clock);
                EXPECT_EQ(start, StartFrameClock());
                EXPECT_EQ(start, frameStartTick);
                EXPECT_NO_THROW(after = WaitFrameClock(30));
            }
            EXPECT_GE(after - start, 30u) << std::hex << start << " step " << step;
            EXPECT_LE(after - start, 30u + 2 * step) << std::hex << start << " step " << step;
        }
    }
}

}  // namespace
