// Tests of the window stand-in: the message queue's order, key state, cursor count, closing and clicks.
#include <gtest/gtest.h>

#include <vector>

#include "hosts/headless/headless_host.h"
#include "platform/link/host_link.h"
#include "platform/windows.h"
#include "support/installed_host.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool controlDown;  // GetKeyState(VK_CONTROL) as the procedure saw it
};
std::vector<Seen> seen;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back({message, wParam, lParam, GetKeyState(VK_CONTROL) < 0});
    return message == WM_CLOSE ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

class CountingHost : public host::HeadlessHost {
public:
    CountingHost() : HeadlessHost(host::HeadlessOptions{}) {}
    void SetCursorVisible(bool visible) override {
        ++cursorCalls;
        HeadlessHost::SetCursorVisible(visible);
    }
    int cursorCalls = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        window_ = MakeWindow("TESTCLASS", CS_DBLCLKS);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override {
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        MSG msg;
        for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        }
    }
    static HWND MakeWindow(const char* className, UINT style) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = style;
        wc.lpfnWndProc = RecordingProcedure;
        wc.lpszClassName = className;
        RegisterClassExA(&wc);
        return CreateWindowExA(0, className, "Test", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                               nullptr);
    }
    static MSG Take() {
        MSG msg{};
        EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        return msg;
    }
    CountingHost host_;
    gametest::InstalledHost installed_{host_};
    HWND window_ = nullptr;
};

TEST_F(WindowTest, CreateSendsCreateBeforeReturning) {
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(WM_CREATE, seen[0].message);
    EXPECT_TRUE(host_.WindowOpen());
    EXPECT_EQ("Test", host_.WindowTitle());
    EXPECT_EQ(window_, platform::MainWindow());
}

TEST_F(WindowTest, OneMessagePerPeekAndQuitAfterTheQueue) {
    PostQuitMessage(5);  // posted first, still comes out last
    ASSERT_TRUE(PostMessageA(window_, 0x400, 1, 0));
    ASSERT_TRUE(PostMessageA(window_, 0x400, 2, 0));
    MSG peeked{};
    ASSERT_TRUE(PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(1u, peeked.wParam);
    MSG first = Take();
    EXPECT_EQ(0x400u, first.message);
    EXPECT_EQ(1u, first.wParam);
    EXPECT_EQ(window_, first.hwnd);
    DispatchMessageA(&first);
    ASSERT_EQ(2u, seen.size());  // only the first went to the window
    EXPECT_EQ(1u, seen[1].wParam);
    EXPECT_EQ(2u, Take().wParam);
    const MSG quit = Take();
    EXPECT_EQ(WM_QUIT, quit.message);
    EXPECT_EQ(5u, quit.wParam);
    EXPECT_EQ(nullptr, quit.hwnd);  // addressed to no window: it is never dispatched
    MSG none{};
    EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, DeliveredQuitComesBeforeQueuedMessages) {
    PostMessageA(window_, 0x400, 1, 0);
    PostMessageA(window_, 0x400, 2, 0);
    platform::Link().DeliverQuit(3);
    const MSG quit = Take();
    EXPECT_EQ(WM_QUIT, quit.message);
    EXPECT_EQ(3u, quit.wParam);
    EXPECT_EQ(1u, Take().wParam);
    EXPECT_EQ(2u, Take().wParam);
}

TEST_F(WindowTest, KeyStateFollowsMessagesAsTheyAreTaken) {
    platform::Link().DeliverKey(VK_CONTROL, 0x1D, true);
    platform::Link().DeliverKey('3', 0x04, true);
    platform::Link().DeliverKey(VK_CONTROL, 0x1D, false);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "posting a key must not change the state yet";
    MSG msg = Take();
    EXPECT_EQ(WM_KEYDOWN, msg.message);
    EXPECT_EQ(static_cast<WPARAM>(VK_CONTROL), msg.wParam);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    msg = Take();
    DispatchMessageA(&msg);
    EXPECT_TRUE(seen.back().controlDown) << "the up message is still queued";
    EXPECT_EQ(static_cast<WPARAM>('3'), seen.back().wParam);
    msg = Take();
    EXPECT_EQ(WM_KEYUP, msg.message);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(WindowTest, CursorShowsWhileTheCountIsNotNegative) {
    // Bring the count to 0 whatever it was.
    for (int c = ShowCursor(TRUE); c != 0;) c = ShowCursor(c > 0 ? FALSE : TRUE);
    ASSERT_TRUE(host_.CursorVisible());
    const int before = host_.cursorCalls;
    EXPECT_EQ(1, ShowCursor(TRUE));
    EXPECT_EQ(0, ShowCursor(FALSE));
    EXPECT_EQ(before, host_.cursorCalls);
    EXPECT_EQ(-1, ShowCursor(FALSE));
    EXPECT_FALSE(host_.CursorVisible());
    EXPECT_EQ(-2, ShowCursor(FALSE));
    EXPECT_EQ(-1, ShowCursor(TRUE));
    EXPECT_EQ(before + 1, host_.cursorCalls);  // told once, on crossing below zero
    EXPECT_EQ(0, ShowCursor(TRUE));
    EXPECT_TRUE(host_.CursorVisible());
    EXPECT_EQ(before + 2, host_.cursorCalls);
}

TEST_F(WindowTest, CloseGoesThroughDefWindowProcToDestroy) {
    EXPECT_EQ(0, DefWindowProcA(window_, WM_KEYDOWN, 'Z', 0));
    EXPECT_EQ(window_, platform::MainWindow()) << "only WM_CLOSE destroys";
    platform::Link().DeliverClose();
    const MSG close = Take();
    ASSERT_EQ(WM_CLOSE, close.message);
    DispatchMessageA(&close);
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(WM_CLOSE, seen[1].message);
    EXPECT_EQ(WM_DESTROY, seen[2].message);  // sent within the dispatch
    EXPECT_EQ(nullptr, platform::MainWindow());
    EXPECT_FALSE(host_.WindowOpen());
    EXPECT_FALSE(PostMessageA(window_, 0x400, 0, 0));
}

TEST_F(WindowTest, ClicksCarryXInTheLowWordAndYInTheHighWord) {
    platform::Link().DeliverClick(470, 201, false);
    MSG msg = Take();
    EXPECT_EQ(WM_LBUTTONDOWN, msg.message);
    EXPECT_EQ(470, LOWORD(msg.lParam));
    EXPECT_EQ(201, HIWORD(msg.lParam));
    EXPECT_EQ(WM_LBUTTONUP, Take().message);
    platform::Link().DeliverClick(639, 40000, true);
    msg = Take();
    EXPECT_EQ(WM_LBUTTONDBLCLK, msg.message);
    EXPECT_EQ(639, LOWORD(msg.lParam));
    EXPECT_EQ(40000, HIWORD(msg.lParam));
    Take();

    // A class without CS_DBLCLKS gets a plain press for the second click.
    DestroyWindow(window_);
    window_ = MakeWindow("PLAINCLASS", 0);
    ASSERT_NE(nullptr, window_);
    platform::Link().DeliverClick(10, 20, true);
    EXPECT_EQ(WM_LBUTTONDOWN, Take().message);
}

}  // namespace
