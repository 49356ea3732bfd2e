// Tests of the program's entry: the main loop's order of messages and frames, its exit
// codes, and the frame clock's wait.
#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
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
    host::Install(&loop);
    EXPECT_EQ(7, RunWinMain()) << "the exit code is the quit message's wParam";
    host::Install(nullptr);
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
    taken.lpszClassName = "WINCLASS1";
    // A class left by an earlier test in this process would do, but make our own.
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    UnregisterClassA("WINCLASS1", nullptr);
    ASSERT_NE(0, RegisterClassExA(&taken));
    LoopHost loop(host::HeadlessOptions{});
    loop.quitAtPass = 3;  // in case it went on anyway
    host::Install(&loop);
    EXPECT_EQ(0, RunWinMain());
    host::Install(nullptr);
    EXPECT_FALSE(loop.WindowOpen());
    EXPECT_TRUE(loop.frames.empty());
}

TEST(FrameClock, WaitIsRightAcrossTheTickWrap) {
    for (const std::uint32_t start : {0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFE2u}) {
        for (const std::uint32_t step : {1u, 7u}) {
            host::HeadlessOptions o;
            o.millisecondsPerReading = step;
            LoopHost clock(o);
            clock.SetClock(start);
            host::Install(&clock);
            EXPECT_EQ(start, StartFrameClock());
            EXPECT_EQ(start, frameStartTick);
            std::uint32_t after = 0;
            EXPECT_NO_THROW(after = WaitFrameClock(30));
            host::Install(nullptr);
            EXPECT_GE(after - start, 30u) << std::hex << start << " step " << step;
            EXPECT_LE(after - start, 30u + 2 * step) << std::hex << start << " step " << step;
        }
    }
}

}  // namespace
