// Tests of the error file (its opening and closing lines, what it keeps of a message, the
// standard streams it may be given) and of drawing text on a surface.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "gfx/display.h"
#include "gfx/text.h"
#include "hosts/headless/headless_host.h"
#include "support/installed_host.h"
#include "support/loop_host.h"
#include "support/patterns.h"

namespace {

using gametest::LoopHost;

class ErrorFileTest : public ::testing::Test {
protected:
    void TearDown() override { CloseErrorFile(); }
    // Runs `body` with a standard stream's descriptor pointed at a scratch file; returns what it got.
    static std::string Captured(std::FILE* stream, void (*body)(std::FILE*)) {
        const int fd = fileno(stream);
        std::fflush(stream);
        std::FILE* sink = std::tmpfile();
        const int saved = dup(fd);
        dup2(fileno(sink), fd);
        body(stream);
        std::fflush(stream);
        const bool stillOpen = fcntl(fd, F_GETFD) != -1;
        dup2(saved, fd);
        close(saved);
        std::string text;
        std::rewind(sink);
        for (int c; (c = std::fgetc(sink)) != EOF;) text += static_cast<char>(c);
        std::fclose(sink);
        return stillOpen ? text : "(closed)";
    }
};

TEST_F(ErrorFileTest, LogMessageWritesOnlyWhileOpen) {
    EXPECT_EQ(0, LogMessage("\nnobody hears %d", 1));
    std::FILE* log = std::tmpfile();
    ASSERT_EQ(1, OpenErrorFile("err.log", log));
    const long opened = std::ftell(log);
    const char* volatile noFormat = nullptr;
    EXPECT_EQ(0, LogMessage(noFormat));
    EXPECT_EQ(opened, std::ftell(log));
    EXPECT_EQ(1, LogMessage("|100%% and %%d|"));
    const std::string longText(200, 'x');
    EXPECT_EQ(1, LogMessage("%s", longText.c_str()));
    std::string text;
    std::fseek(log, opened, SEEK_SET);
    for (int c; (c = std::fgetc(log)) != EOF;) text += static_cast<char>(c);
    EXPECT_EQ("|100% and %d|" + std::string(79, 'x'), text);
}

TEST_F(ErrorFileTest, OpeningLineCarriesTheTimeStamp) {
    setenv("TZ", "UTC", 1);
    tzset();
    LoopHost clock(host::HeadlessOptions{});
    clock.calendarSeconds = 1000864000;  // Wed Sep 19 01:46:40 2001
    clock.calendarMs = 7;
    gametest::InstalledHost installed(clock);
    std::FILE* log = std::tmpfile();
    ASSERT_EQ(1, OpenErrorFile("err.log", log));
    std::string text;
    std::rewind(log);
    for (int c; (c = std::fgetc(log)) != EOF;) text += static_cast<char>(c);
    EXPECT_EQ("\nOpening Error Output File (err.log) on Wed Sep 19 01:46:40.7, 2001\n\n", text);
    CloseErrorFile();

    clock.calendarMs = 123;
    clock.calendarSeconds = 1234567890;
    const std::string line = Captured(stdout, [](std::FILE* out) {
        OpenErrorFile("out", out);
        CloseErrorFile();
        EXPECT_EQ(0, CloseErrorFile());
    });
    const std::string form =
        "\nOpening Error Output File \\(out\\) on [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
        "[0-9]{2}:[0-9]{2}:[0-9]{2}\\.123, [0-9]{4}\n\n\nClosing Error Output File\\.";
    EXPECT_TRUE(gametest::MatchesWhole(line, form)) << line;
}

TEST_F(ErrorFileTest, ClosingLeavesTheStandardStreamsOpen) {
    for (std::FILE* standard : {stdout, stderr}) {
        const std::string text = Captured(standard, [](std::FILE* s) {
            ASSERT_EQ(1, OpenErrorFile("std", s));
            EXPECT_EQ(1, LogMessage("\nmiddle"));
            EXPECT_EQ(1, CloseErrorFile());
        });
        EXPECT_NE(std::string::npos, text.find("\nmiddle\nClosing Error Output File.")) << text;
        EXPECT_EQ(0, CloseErrorFile());
        EXPECT_NE(EOF, std::fflush(standard));
    }
}

TEST(Text, EmptyTextDrawsNothingAndSucceeds) {
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 0));
    FillSurface(backSurface, 0x1234, nullptr);
    EXPECT_EQ(1, DrawString("", 0, 0, 0xFFFFFF, backSurface));
    EXPECT_EQ(0, DrawString("X", 0, 0, 0xFFFFFF, nullptr));
    WORD* pixels = LockBackSurface();
    ASSERT_NE(nullptr, pixels);
    int changed = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) changed += pixels[y * (backPitch / 2) + x] != 0x1234;
    EXPECT_EQ(0, changed);
    UnlockBackSurface();
    ShutdownDisplay();
}

}  // namespace
