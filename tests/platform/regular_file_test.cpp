// Game files are regular files: a named pipe or a folder in place of one is refused at once
// by every loader, where opening it would wait for a writer that never comes.
#include "platform/files/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "audio/music.h"
#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "platform/mmsystem.h"
#include "platform/windows.h"
#include "support/run_game.h"

namespace {

// A scratch folder holding "pipe" (a named pipe nobody writes to), "folder" and "plain".
class GameFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, ::mkfifo(Path("pipe").c_str(), 0600)) << std::strerror(errno);
        ASSERT_EQ(0, ::mkdir(Path("folder").c_str(), 0700));
        std::ofstream(Path("plain")) << "0 0 0 0\n";
    }
    std::string Path(const std::string& name) const { return scratch_.Path() + "/" + name; }
    gamerun::ScratchFolder scratch_;
};

TEST_F(GameFileTest, OnlyRegularFilesOpen) {
    errno = 0;
    EXPECT_EQ(-1, platform::OpenRegularFile(Path("pipe").c_str()));
    EXPECT_EQ(EINVAL, errno);
    EXPECT_EQ(-1, platform::OpenRegularFile(Path("folder").c_str()));
    EXPECT_EQ(-1, platform::OpenRegularFile(Path("missing").c_str()));
    EXPECT_EQ(-1, platform::OpenRegularFile(""));
    EXPECT_EQ(nullptr, platform::OpenRegularFileStream(Path("pipe").c_str()));
    const int fd = platform::OpenRegularFile(Path("plain").c_str());
    ASSERT_GE(fd, 0);
    char first = 0;
    EXPECT_EQ(1, ::read(fd, &first, 1)) << "a regular file reads as usual";
    EXPECT_EQ('0', first);
    ::close(fd);
    std::FILE* stream = platform::OpenRegularFileStream(Path("plain").c_str());
    ASSERT_NE(nullptr, stream);
    std::fclose(stream);
}

TEST_F(GameFileTest, EveryLoaderRefusesANamedPipe) {
    OFSTRUCT info;
    EXPECT_EQ(HFILE_ERROR, OpenFile(Path("pipe").c_str(), &info, OF_READ));
    std::string pipe = Path("pipe");
    EXPECT_EQ(nullptr, mmioOpenA(pipe.data(), nullptr, MMIO_READ));
    BitmapFile picture{};
    EXPECT_EQ(0, LoadBitmapFile(&picture, Path("pipe").c_str()));
    PALETTEENTRY entries[256];
    EXPECT_EQ(0, ReadPaletteFile(Path("pipe").c_str(), entries));
    EXPECT_EQ(1, ReadPaletteFile(Path("plain").c_str(), entries));
}

TEST_F(GameFileTest, MusicLoaderRefusesANamedPipe) {
    char previous[4096];
    ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
    ASSERT_EQ(0, chdir(scratch_.Path().c_str()));
    ASSERT_EQ(1, InitMusic());
    EXPECT_EQ(-1, LoadMidi("pipe"));
    EXPECT_EQ(-1, LoadMidi("folder"));
    ShutdownMusic();
    ASSERT_EQ(0, chdir(previous));
}

}  // namespace
