// The program's watch on the host: every call reaches the host it wraps, answers included;
// pass starts are kept for --stats alone, so a long run without it holds nothing more at its
// millionth pass than at its first.
#include "program/watched_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hosts/headless/headless_host.h"

namespace {

// A host whose every answer is its own, and which notes every call it gets.
class Answering final : public host::Host {
public:
    void Connect(host::Platform& given) override { platform = &given; }
    void OpenWindow(const char* title, int, int, const host::Picture*, const host::Picture*) override {
        calls.push_back(std::string("open ") + title);
    }
    void CloseWindow() override { calls.push_back("close"); }
    void Present(const host::Frame&) override { calls.push_back("present"); }
    void PumpInput() override { calls.push_back("pump"); }
    std::uint32_t Milliseconds() override { return 4321; }
    double PreciseMilliseconds() override { return 98.25; }
    host::CalendarTime Calendar() override { return host::CalendarTime{777, 8}; }
    void SetCursorVisible(bool visible) override { calls.push_back(visible ? "cursor on" : "cursor off"); }
    bool TraceWanted() override { return true; }
    void TraceRecord(const std::string& fields) override { calls.push_back("trace " + fields); }
    bool HasSoundDevice() override { return soundDevice; }

    host::Platform* platform = nullptr;
    std::vector<std::string> calls;
    bool soundDevice = false;
};

TEST(WatchedHost, PassesEveryCallAndEveryAnswerThrough) {
    Answering inner;
    WatchedHost watched(inner, false);
    watched.Connect(host::Unconnected());
    EXPECT_EQ(&host::Unconnected(), inner.platform) << "the wrapped host hears of its platform";
    EXPECT_FALSE(watched.HasSoundDevice()) << "no device below means no device above";
    inner.soundDevice = true;
    EXPECT_TRUE(watched.HasSoundDevice());
    EXPECT_EQ(4321u, watched.Milliseconds());
    EXPECT_EQ(98.25, watched.PreciseMilliseconds());
    EXPECT_EQ(777, watched.Calendar().seconds);
    EXPECT_EQ(8, watched.Calendar().milliseconds);
    EXPECT_TRUE(watched.TraceWanted());
    const std::uint16_t pixel = 0;
    watched.OpenWindow("Trundlebop", 640, 480, nullptr, nullptr);
    watched.PumpInput();
    watched.Present(host::Frame{&pixel, 1, 1, 2, host::PixelLayout::Rgb565, nullptr});
    watched.SetCursorVisible(false);
    watched.TraceRecord("\"screen\":1");
    watched.CloseWindow();
    const std::vector<std::string> expected = {"open Trundlebop",    "pump", "present", "cursor off",
                                               "trace \"screen\":1", "close"};
    EXPECT_EQ(expected, inner.calls);
}

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
