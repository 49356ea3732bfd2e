// Tests of the headless host's input scripts: the order events come out in, what a tap
// makes, comments and letter case, and the line a bad script is refused at; and of the
// recordings written as scripts when the disk fills.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

#include "hosts/common/script.h"
#include "hosts/common/session_recorder.h"
#include "hosts/key_codes.h"
#include "support/run_game.h"

namespace {

using host::ScriptEvent;

// One event as "pass kind key" or "pass click x y", for whole-script comparisons.
std::string Text(const ScriptEvent& e) {
    const std::string pass = std::to_string(e.pass);
    switch (e.kind) {
        case ScriptEvent::Kind::KeyDown:
            return pass + " down " + std::to_string(e.scanCode);
        case ScriptEvent::Kind::KeyUp:
            return pass + " up " + std::to_string(e.scanCode);
        case ScriptEvent::Kind::Click:
            return pass + " click " + std::to_string(e.x) + " " + std::to_string(e.y);
        case ScriptEvent::Kind::Close:
            return pass + " close";
        default:
            return pass + " other";
    }
    return "?";
}

std::vector<std::string> Parsed(const std::string& script) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(host::ParseScript(script, events, error)) << error;
    std::vector<std::string> text;
    for (const ScriptEvent& e : events) text.push_back(Text(e));
    return text;
}

TEST(Script, EventsComeOutByPassInFileOrderAndATapLiftsTheKeyOnePassLater) {
    const std::string a = std::to_string(DIK_A), b = std::to_string(DIK_B);
    EXPECT_EQ(
        (std::vector<std::string>{"2 down " + b, "3 down " + a, "3 click 5 6", "4 up " + a, "4 up " + b, "4 close"}),
        Parsed("3 tap A\n2 down B\n4 up B\n3 click 5 6\n4 close\n"));
    // Many events in one pass, after a later one: the letters keep their order.
    std::string script = "9 close\n";
    std::vector<std::string> expected;
    for (char c = 'A'; c <= 'Z'; ++c) {
        script += std::string("5 down ") + c + "\n";
        int virtualKey = 0, scanCode = 0;
        ASSERT_TRUE(host::LookUpKey(std::string(1, c), virtualKey, scanCode));
        expected.push_back("5 down " + std::to_string(scanCode));
    }
    expected.push_back("9 close");
    EXPECT_EQ(expected, Parsed(script));
}

TEST(Script, CommentsBlankLinesAndLetterCaseDoNotMatter) {
    EXPECT_EQ(Parsed("1 down Enter\n2 up Enter\n"), Parsed("# menu\n\n  1 DOWN enter   # choose\n2 Up ENTER\n"));
    std::vector<ScriptEvent> events(1);
    std::string error;
    ASSERT_TRUE(host::ParseScript("# nothing but a comment\n\n", events, error));
    EXPECT_TRUE(events.empty());
    ASSERT_TRUE(host::ParseScript("1 click 0 0\n1 click 65535 65535\n", events, error));
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(65535, events[1].y);
}

TEST(Script, ABadLineIsNamedAndLeavesTheEventsAsTheyWere) {
    const struct {
        const char* script;
        const char* error;
    } bad[] = {
        {"# a comment\n\n3 jump A\n", "line 3: unknown event 'jump'"},
        {"1 down Enter\n0 down Enter\n", "line 2: the pass must be a number from 1"},
        {"2x down Enter\n", "line 1: the pass must be a number from 1"},
        {"1 down Tab\n", "line 1: unknown key 'Tab'"},
        {"1 down\n", "line 1: down takes one key name"},
        {"1 tap A B\n", "line 1: tap takes one key name"},
        {"1 click 10\n", "line 1: click takes x and y from 0 to 65535"},
        {"1 click 10 65536\n", "line 1: click takes x and y from 0 to 65535"},
        {"1 click -1 5\n", "line 1: click takes x and y from 0 to 65535"},
        {"1 close now\n", "line 1: close takes nothing more"},
        {"7\n", "line 1: an event is missing"},
    };
    for (const auto& b : bad) {
        std::vector<ScriptEvent> events(2);
        events[0].pass = 99;
        std::string error;
        EXPECT_FALSE(host::ParseScript(b.script, events, error)) << b.script;
        EXPECT_EQ(b.error, error) << b.script;
        ASSERT_EQ(2u, events.size()) << b.script;
        EXPECT_EQ(99, events[0].pass) << b.script;
    }
}

TEST(SessionRecorder, ARecordingOnAFullDiskEndsAtALineEndAndReplays) {
    // The disk is full at 100 bytes: a limit on the size of the files this process writes
    // gives the same short write (root too), and its signal is ignored as the error suffices.
    gamerun::ScratchFolder scratch;
    const std::string path = scratch.Path() + "/session.txt";
    rlimit before{};
    ASSERT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &before));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = before;
    full.rlim_cur = 100;
    ASSERT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &full));
    bool ok = false;
    {
        host::SessionRecorder recorder;
        std::string error;
        EXPECT_TRUE(recorder.Open(path, 4242, error)) << error;
        for (int pass = 1; pass <= 20; ++pass) recorder.Key(pass, VK_RIGHT, DIK_RIGHT, pass % 2 == 1, false);
        recorder.Click(21, 5, 6, false);
        ok = recorder.Ok();
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok) << "the recording says it could not be written whole";

    const std::string text = gamerun::ReadFile(path);
    ASSERT_GE(text.size(), 90u);
    ASSERT_LE(text.size(), 100u);
    EXPECT_EQ('\n', text.back()) << text;
    std::vector<host::ScriptEvent> events;
    std::string error, note;
    ASSERT_TRUE(host::LoadScript(path, events, error, &note)) << error;
    EXPECT_EQ("", note);
    ASSERT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') - 1), events.size());
    EXPECT_EQ(DIK_RIGHT, events.back().scanCode);
}

}  // namespace
