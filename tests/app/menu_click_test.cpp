// A double click on the menu acts once: its second press arrives as WM_LBUTTONDBLCLK (the
// game's window class takes double clicks), which the menu leaves alone.
#include <gtest/gtest.h>

#include "app/screens.h"
#include "app/winmain.h"
#include "platform/link/host_link.h"
#include "support/game_fixture.h"

namespace {

class MenuClickTest : public gametest::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (HasFatalFailure()) return;
        ScreenId = kScreenMenu;
        menuCursor = 0;
    }
    // Takes and dispatches every queued message, as passes of the main loop would.
    static void TakeMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

constexpr int kHelpX = 470;
constexpr int kHelpY = 220;

TEST_F(MenuClickTest, TheSecondPressOfADoubleClickDoesNotActAgain) {
    // The first press opens help; Escape comes back before the second press arrives, so a
    // second press taken as a click would open help again.
    platform::Link().DeliverClick(kHelpX, kHelpY, false);
    TakeMessages();
    EXPECT_EQ(kScreenHelp, ScreenId);
    EXPECT_EQ(1, menuCursor);
    ScreenId = kScreenMenu;
    menuCursor = 3;
    platform::Link().DeliverClick(kHelpX, kHelpY, true);
    TakeMessages();
    EXPECT_EQ(kScreenMenu, ScreenId) << "the double click's second press acted";
    EXPECT_EQ(3, menuCursor);
}

TEST_F(MenuClickTest, ADoubleClickedItemActsOnceThroughTheWindowProcedure) {
    const LPARAM where = MAKELPARAM(kHelpX, kHelpY);
    EXPECT_EQ(0, WindowProcedure(mainWindow, WM_LBUTTONDBLCLK, 0x0001, where));
    EXPECT_EQ(kScreenMenu, ScreenId);
    EXPECT_EQ(0, WindowProcedure(mainWindow, WM_LBUTTONDOWN, 0x0001, where));
    EXPECT_EQ(kScreenHelp, ScreenId);
}

}  // namespace
