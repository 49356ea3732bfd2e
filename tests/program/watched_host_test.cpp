// The program's watch on the host: pass starts are kept for --stats alone, so a long run
// without it holds nothing more at its millionth pass than at its first.
#include "program/watched_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "hosts/headless/headless_host.h"

namespace {

TEST(WatchedHost, KeepsPassStartsOnlyWhenStatsAreAskedFor) {
    host::HeadlessHost inner(host::HeadlessOptions{});
    WatchedHost quiet(inner, false);
    WatchedHost counting(inner, true);
    const std::uint16_t pixel = 0;
    const host::Frame frame{&pixel, 1, 1, 2, host::PixelLayout::Rgb565, nullptr};
    for (int pass = 0; pass < 500; ++pass) {
        for (WatchedHost* watched : {&quiet, &counting}) {
            watched->PumpInput();
            watched->Present(frame);
        }
    }
    const std::string kept = counting.Stats().Line();
    EXPECT_NE(std::string::npos, kept.find("passes=500 ")) << kept;
    const std::string none = quiet.Stats().Line();
    EXPECT_NE(std::string::npos, none.find("passes=0 ")) << none;
    EXPECT_EQ(1000, inner.FramesPresented()) << "every call still reaches the host";
}

}  // namespace
