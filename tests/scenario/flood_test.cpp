// Input that outruns the game, through the whole program: the game takes one message a pass,
// yet a close from the window after ten thousand queued key messages ends it at once.
#include <gtest/gtest.h>

#include <string>

#include "support/run_game.h"

namespace {

TEST(Flood, ACloseAfterTenThousandQueuedKeysEndsTheGameInAFewPasses) {
    std::string script;
    for (int i = 0; i < 5000; ++i) script += "2 down Z\n2 up Z\n";
    script += "3 close\n";
    const gamerun::RunResult run = gamerun::PlayTraced(script, 600);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_LE(run.LastPass(), 5) << "the close waited behind the keys";
}

}  // namespace
