// The error file opened by name: written afresh with its opening line, then reopened for
// appending, so that every message lands at the end whoever else writes to the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/text.h"
#include "support/run_game.h"

namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Works in a scratch folder, so that file names stay short enough for the opening line.
class NamedErrorFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        here_ = std::filesystem::current_path();
        std::filesystem::current_path(scratch_.Path());
    }
    void TearDown() override {
        CloseErrorFile();
        std::filesystem::current_path(here_);
    }
    static std::string Path(const std::string& name) { return name; }
    gamerun::ScratchFolder scratch_;
    std::filesystem::path here_;
};

TEST_F(NamedErrorFileTest, OpeningWritesTheFileAfreshWithItsOpeningLine) {
    const std::string path = Path("errors.txt");
    std::ofstream(path) << "left from an earlier run\n";
    ASSERT_EQ(1, OpenErrorFile(path.c_str(), nullptr));
    const std::string opened = Contents(path);
    EXPECT_EQ(0u, opened.find("\nOpening Error Output File (" + path + ") on ")) << opened;
    EXPECT_EQ(std::string::npos, opened.find("earlier run")) << "the old contents are gone";
    EXPECT_EQ('\n', opened.back());
    EXPECT_EQ(1, LogMessage("first %d", 1));
    EXPECT_EQ(opened + "first 1", Contents(path)) << "each message is on the file at once";
    EXPECT_EQ(1, CloseErrorFile());
    EXPECT_EQ(opened + "first 1\nClosing Error Output File.", Contents(path));
    EXPECT_EQ(0, LogMessage("after closing"));
}

TEST_F(NamedErrorFileTest, MessagesAreAppendedAfterWhatOthersWrote) {
    const std::string path = Path("shared.txt");
    ASSERT_EQ(1, OpenErrorFile(path.c_str(), nullptr));
    std::ofstream(path, std::ios::app) << "[another writer]";
    EXPECT_EQ(1, LogMessage("mine"));
    const std::string text = Contents(path);
    EXPECT_NE(std::string::npos, text.find("[another writer]mine")) << text;
}

TEST_F(NamedErrorFileTest, AFileThatCannotBeMadeIsRefused) {
    EXPECT_EQ(0, OpenErrorFile(Path("no/such/folder/errors.txt").c_str(), nullptr));
    EXPECT_EQ(0, LogMessage("nowhere to go"));
    EXPECT_EQ(0, OpenErrorFile(nullptr, nullptr));
}

}  // namespace
