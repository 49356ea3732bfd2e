// The installed game: `cmake --install` into a scratch prefix gives a tree that validates
// with the desktop tools and a program that finds its files from any folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;

int Quietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

TEST(Install, TheInstalledGameRunsFromAnyFolderAndItsDesktopFilesValidate) {
    gamerun::ScratchFolder scratch;
    const std::string prefix = scratch.Path() + "/prefix";
    ASSERT_EQ(0, Quietly("cmake --install '" TRUNDLEBOP_BUILD_DIR "' --prefix '" + prefix + "'"));

    for (const char* file :
         {"games/trundlebop", "share/trundlebop/menu.bmp", "share/trundlebop/l3bg.mid",
          "share/applications/trundlebop.desktop", "share/metainfo/io.trundlebop.Trundlebop.metainfo.xml",
          "share/man/man6/trundlebop.6.gz", "share/doc/trundlebop/copyright",
          "share/icons/hicolor/16x16/apps/trundlebop.png", "share/icons/hicolor/256x256/apps/trundlebop.png"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;
    if (gamerun::HaveCommand("desktop-file-validate")) {
        EXPECT_EQ(0, Quietly("desktop-file-validate '" + prefix + "/share/applications/trundlebop.desktop'"));
    }
    if (gamerun::HaveCommand("appstreamcli")) {
        EXPECT_EQ(0, Quietly("appstreamcli validate --no-net '" + prefix +
                             "/share/metainfo/io.trundlebop.Trundlebop.metainfo.xml'"));
    }

    // From a folder with no game files, the program finds them in ../share/trundlebop.
    const std::string elsewhere = scratch.Path() + "/elsewhere";
    fs::create_directories(elsewhere);
    const std::string trace = elsewhere + "/trace.jsonl";
    ASSERT_EQ(0,
              Quietly("cd '" + elsewhere + "' && XDG_CONFIG_HOME='" + elsewhere + "' XDG_DATA_DIRS=/nonexistent '" +
                      prefix + "/games/trundlebop' --headless --frames 40 --input /dev/null --trace '" + trace + "'"));
    std::ifstream in(trace);
    int lines = 0;
    std::string last;
    for (std::string line; std::getline(in, line); ++lines) last = line;
    EXPECT_EQ(40, lines);
    EXPECT_NE(std::string::npos, last.find("\"music\":\"menu_bgmusic.mid\"")) << "the menu plays its music: " << last;
}

}  // namespace
