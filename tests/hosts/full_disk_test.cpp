// What the game writes when the disk fills up part way (a file size limit stands in for a
// full disk): a screenshot is whole under its name or not there at all, with one line of
// our own; the sound file's header tells exactly what the file holds.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/common/screenshot.h"
#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;

// While it lives, no file of this process or its children may grow past `bytes`: a write
// that would is cut short, then fails with EFBIG, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit before_{};
    void (*previousSignal_)(int) = nullptr;
};

TEST(FullDisk, AScreenshotIsWholeOrNotThereAndItsFailureIsOneLineOfOurs) {
    // Noise, which no compression makes small.
    std::vector<std::uint16_t> pixels(640 * 480);
    std::uint32_t seed = 12345;
    for (std::uint16_t& p : pixels) p = static_cast<std::uint16_t>((seed = seed * 1103515245u + 12345u) >> 16);
    const host::Frame frame{pixels.data(), 640, 480, 1280, host::PixelLayout::Rgb565, nullptr};
    const gamerun::ScratchFolder folder;
    std::string path, error;
    {
        const FileSizeLimit full(64 * 1024);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(host::SaveScreenshot(frame, folder.Path(), host::CalendarTime{0, 0}, path, error));
        EXPECT_EQ("", testing::internal::GetCapturedStderr()) << "nothing of libpng's own on the terminal";
    }
    EXPECT_NE(std::string::npos, error.find("cannot write " + path + ": File too large")) << error;
    EXPECT_EQ(std::string::npos, error.find('\n'));
    EXPECT_TRUE(fs::is_empty(folder.Path())) << "neither a cut-off picture nor a temporary file is left";

    ASSERT_TRUE(host::SaveScreenshot(frame, folder.Path(), host::CalendarTime{0, 0}, path, error)) << error;
    gamerun::Picture saved;
    ASSERT_TRUE(gamerun::ReadPng(path, saved));
    EXPECT_EQ(640, saved.width);
    EXPECT_EQ(1u, static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.Path()), {})));
}

TEST(FullDisk, TheSoundFilesHeaderTellsWhatTheFileHolds) {
    const gamerun::ScratchFolder out;
    const std::string wav = out.Path() + "/mix.wav";
    gamerun::RunRequest request;
    request.args = {"--headless", "--frames", "60", "--audio-out", wav};  // 1.8 s: 317,520 bytes of sound
    gamerun::RunResult run;
    {
        const FileSizeLimit full(128 * 1024);
        run = gamerun::RunGame(request);
    }
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ(1, std::count(run.errorText.begin(), run.errorText.end(), '\n')) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("cannot write the sound " + wav + ": File too large"))
        << run.errorText;
    const std::string bytes = gamerun::ReadFile(wav);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_LE(bytes.size(), 128u * 1024);
    EXPECT_EQ(bytes.size() - 8, gamerun::LittleEndian(bytes, 4, 4)) << "the RIFF size";
    EXPECT_EQ(bytes.size() - 44, gamerun::LittleEndian(bytes, 40, 4)) << "the data size";
    EXPECT_EQ(0u, (bytes.size() - 44) % 4) << "whole stereo frames";
}

}  // namespace
