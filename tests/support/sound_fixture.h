// A fixture for tests of the sound-effect module: the module needs the game's window and
// its sound device, made here as the game makes them, and every sound is deleted after.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/installed_host.h"
#include "support/run_game.h"

namespace gametest {

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Mixes `frames` stereo frames at the mix rate; the loudest sample heard.
    static int Mix(int frames);
    // A path for a file of this name in the test's own folder.
    std::string Path(const std::string& name) const { return scratch_.Path() + "/" + name; }

    gamerun::ScratchFolder scratch_;
    // A device the test mixes by hand (Mix), installed for the test's life.
    HandMixedHost host_;
    InstalledHost installed_{host_};
};

}  // namespace gametest
