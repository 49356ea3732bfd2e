// The window stand-in under pressure: a flood of input against the bounded queue, a held
// key's repeats folded into one waiting message, a close that overtakes a full queue, and
// the two sides of the modifier keys kept apart.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hosts/headless/headless_host.h"
#include "platform/link/host_link.h"
#include "platform/windows.h"
#include "support/installed_host.h"

namespace {

LRESULT CALLBACK QuietProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CLOSE ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

class WindowLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        Drain();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = QuietProcedure;
        wc.lpszClassName = "LIMITSCLASS";
        RegisterClassExA(&wc);
        window_ =
            CreateWindowExA(0, "LIMITSCLASS", "Limits", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override {
        // Every key let go again, so the key state starts clear for the next test.
        for (int scan : {0x1D, 0x9D, 0x2A, 0x36, 0x38, 0xB8}) {
            const int vk = scan == 0x1D || scan == 0x9D   ? VK_CONTROL
                           : scan == 0x2A || scan == 0x36 ? VK_SHIFT
                                                          : VK_MENU;
            platform::Link().DeliverKey(vk, scan, false);
        }
        Drain();
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        UnregisterClassA("LIMITSCLASS", nullptr);
    }
    // Takes every queued message; how many there were.
    static int Drain() {
        MSG msg;
        int taken = 0;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) ++taken;
        return taken;
    }
    // Delivers one key change and takes its message, as the main loop would.
    static void Key(int virtualKey, int scanCode, bool down) {
        platform::Link().DeliverKey(virtualKey, scanCode, down);
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    }
    static bool Held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

    host::HeadlessHost host_{host::HeadlessOptions{}};
    gametest::InstalledHost installed_{host_};
    HWND window_ = nullptr;
};

TEST_F(WindowLimitsTest, AFloodOfInputStopsAtTheQueueBoundAndTheRestIsDropped) {
    for (int i = 0; i < 30000; ++i) platform::Link().DeliverKey('A', 0x1E, i % 2 == 0);
    EXPECT_EQ(10000, Drain()) << "the queue holds 10000 messages and drops what comes while it is full";
    // Once there is room again, input is queued as before, in order.
    PostMessageA(window_, 0x400, 7, 0);
    platform::Link().DeliverKey('B', 0x30, true);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(0x400u, msg.message);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>('B'), msg.wParam);
    // The keyboard device's state is not a queue: it follows every key change.
    platform::Link().DeliverKey('A', 0x1E, false);
    Drain();
}

TEST_F(WindowLimitsTest, AHeldKeyNeverGrowsTheQueue) {
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, true);
    for (int i = 0; i < 100000; ++i) platform::Link().DeliverKey(VK_RIGHT, 0x4D, true, true);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(1, msg.lParam & 0xFFFF) << "the press itself";
    // While the press was waiting, the repeats went on; they wait as one message still.
    for (int i = 0; i < 3; ++i) platform::Link().DeliverKey(VK_RIGHT, 0x4D, true, true);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), msg.message);
    EXPECT_EQ(0xFFFF, msg.lParam & 0xFFFF) << "the repeat count stops at what its 16 bits hold";
    EXPECT_NE(0, msg.lParam & (1 << 30)) << "a repeat: the key was down before";
    EXPECT_EQ(0, Drain());
    // Once taken, the next repeat is a message of its own; a release and a new press start afresh.
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, true, true);
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, true, true);
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, false);
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, true);
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, true, true);
    platform::Link().DeliverKey(VK_LEFT, 0x4B, true, true);
    std::vector<std::pair<UINT, LPARAM>> taken;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back({msg.message, msg.lParam & 0xFFFF});
    const std::vector<std::pair<UINT, LPARAM>> expected = {
        {WM_KEYDOWN, 2}, {WM_KEYUP, 1}, {WM_KEYDOWN, 1}, {WM_KEYDOWN, 1}, {WM_KEYDOWN, 1}};
    EXPECT_EQ(expected, taken);
    platform::Link().DeliverKey(VK_RIGHT, 0x4D, false);
    Drain();
}

TEST_F(WindowLimitsTest, ACloseFromTheWindowOvertakesAFullQueue) {
    for (int i = 0; i < 10000; ++i) platform::Link().DeliverKey('A', 0x1E, i % 2 == 0);
    EXPECT_FALSE(PostMessageA(window_, 0x400, 0, 0)) << "the game's own post fails on a full queue";
    platform::Link().DeliverClose();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_CLOSE), msg.message);
    EXPECT_EQ(window_, msg.hwnd);
}

TEST_F(WindowLimitsTest, CtrlStaysHeldWhileEitherSideIsDown) {
    Key(VK_CONTROL, 0x1D, true);   // left
    Key(VK_CONTROL, 0x9D, true);   // right
    Key(VK_CONTROL, 0x9D, false);  // right let go: the left is still down
    EXPECT_TRUE(Held(VK_CONTROL));
    EXPECT_TRUE(Held(VK_LCONTROL));
    EXPECT_FALSE(Held(VK_RCONTROL));
    Key(VK_CONTROL, 0x9D, true);
    Key(VK_CONTROL, 0x1D, false);  // and the other way round
    EXPECT_TRUE(Held(VK_CONTROL));
    EXPECT_FALSE(Held(VK_LCONTROL));
    EXPECT_TRUE(Held(VK_RCONTROL));
    Key(VK_CONTROL, 0x9D, false);
    EXPECT_FALSE(Held(VK_CONTROL));
    EXPECT_FALSE(Held(VK_RCONTROL));
}

TEST_F(WindowLimitsTest, ShiftAndAltKeepTheirSidesApartToo) {
    Key(VK_SHIFT, 0x2A, true);
    Key(VK_SHIFT, 0x36, true);
    Key(VK_SHIFT, 0x2A, false);
    EXPECT_TRUE(Held(VK_SHIFT));
    EXPECT_TRUE(Held(VK_RSHIFT));
    EXPECT_FALSE(Held(VK_LSHIFT));
    Key(VK_MENU, 0xB8, true);
    Key(VK_MENU, 0x38, true);
    Key(VK_MENU, 0xB8, false);
    EXPECT_TRUE(Held(VK_MENU));
    EXPECT_TRUE(Held(VK_LMENU));
    // The platform's extended-key bit marks the right side as well as our scan code does.
    PostMessageA(window_, WM_KEYUP, VK_MENU, (0x38 << 16) | (1 << 24) | 1);
    PostMessageA(window_, WM_KEYUP, VK_MENU, (0x38 << 16) | 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(Held(VK_MENU)) << "the right Alt was already up; the left is still down";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(Held(VK_MENU));
    EXPECT_FALSE(Held(VK_LMENU));
}

}  // namespace
