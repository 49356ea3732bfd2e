// The in-process game fixture: the whole game on the headless host, on the play screen.
// Level tests drive it frame by frame with the keyboard set directly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gfx/sprite.h"
#include "hosts/headless/headless_host.h"
#include "support/installed_host.h"

namespace gametest {

class GameFixture : public ::testing::Test {
protected:
    // Window, InitGame, no key held, keyboard reads working, Play showing level 1.
    // Level fixtures call it first and return when HasFatalFailure().
    void SetUp() override;
    void TearDown() override;

    // One pass's frame, as the main loop runs it.
    void Frame();
    // The system keyboard's key, as the next ReadKeyboard sees it.
    static void Hold(int scanCode, bool down = true);
    static void ReleaseAllKeys();
    // One frame with exactly these keys held, released again after it.
    void FrameWith(const std::vector<int>& keys);
    // Fills the sprite's current picture with one 16-bit colour, so that it shows whatever
    // the art; false when the picture cannot be locked.
    static bool PaintCurrentFrame(Sprite& sprite, std::uint16_t colour);
    // A pixel of the last presented frame, 0xRRGGBB.
    std::uint32_t Pixel(int x, int y) const;

    std::unique_ptr<host::HeadlessHost> headless_;
    std::optional<InstalledHost> installed_;
};

}  // namespace gametest
