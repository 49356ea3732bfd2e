// Whole runs compared with stored expectations: a script in, the trace and a digest of
// chosen frames out, checked line by line against tests/data/golden. After a deliberate
// change of behaviour or art, regenerate them with TRUNDLEBOP_UPDATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_game.h"

namespace {

const std::string kGoldenFolder = std::string(TRUNDLEBOP_TEST_DATA) + "/golden/";

bool Updating() {
    const char* flag = std::getenv("TRUNDLEBOP_UPDATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::trunc);
    for (const std::string& line : lines) file << line << "\n";
}

// A 64-bit FNV-1a digest of a frame's pixels: any changed pixel changes it.
std::string FrameDigest(const std::string& pngPath) {
    gamerun::Picture picture;
    if (!gamerun::ReadPng(pngPath, picture)) return "unreadable";
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint32_t rgb : picture.rgb)
        for (int shift = 0; shift < 24; shift += 8) {
            hash ^= (rgb >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    char text[64];
    std::snprintf(text, sizeof(text), "%dx%d %016llx", picture.width, picture.height,
                  static_cast<unsigned long long>(hash));
    return text;
}

void CompareWithGolden(const std::string& name, const std::string& script, int frames, const std::vector<int>& shots) {
    gamerun::RunRequest request;
    request.script = script;
    request.frames = frames;
    request.shots = shots;
    const gamerun::RunResult run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;

    // Each record as its members in name order, so a line names what differs.
    std::vector<std::string> trace;
    for (const gamerun::TraceRecord& record : run.trace) {
        std::string line;
        for (const auto& member : record.fields) line += member.first + "=" + member.second + " ";
        trace.push_back(line);
    }
    std::vector<std::string> digests;
    for (const auto& shot : run.shots) digests.push_back(std::to_string(shot.first) + " " + FrameDigest(shot.second));

    const std::string tracePath = kGoldenFolder + name + ".trace";
    const std::string framesPath = kGoldenFolder + name + ".frames";
    if (Updating()) {
        WriteLines(tracePath, trace);
        WriteLines(framesPath, digests);
        GTEST_SKIP() << "expectations rewritten: " << tracePath << ", " << framesPath;
    }
    const std::vector<std::string> expectedTrace = gamerun::ReadLines(tracePath);
    const std::vector<std::string> expectedFrames = gamerun::ReadLines(framesPath);
    ASSERT_FALSE(expectedTrace.empty()) << "no stored expectation " << tracePath;
    ASSERT_EQ(expectedTrace.size(), trace.size()) << "the run took a different number of passes";
    for (std::size_t i = 0; i < trace.size(); ++i)
        ASSERT_EQ(expectedTrace[i], trace[i]) << "trace differs first at pass " << i + 1;
    ASSERT_EQ(expectedFrames.size(), digests.size());
    for (std::size_t i = 0; i < digests.size(); ++i) EXPECT_EQ(expectedFrames[i], digests[i]) << "frame " << shots[i];
}

TEST(Golden, MenuWalk) {
    // Down to HELP, Enter it, Escape back, Ctrl+3, click START (level 3, still black),
    // Escape to the menu, Q to quit.
    const std::string script =
        "2 tap Down\n4 tap Enter\n6 tap Escape\n8 down Ctrl\n9 tap 3\n11 up Ctrl\n"
        "13 click 470 185\n15 tap Escape\n17 tap Q\n";
    CompareWithGolden("menu_walk", script, 40, {1, 3, 5, 7, 10, 14, 16});
}

TEST(Golden, StreetRide) {
    std::ifstream file(std::string(TRUNDLEBOP_TEST_DATA) + "/../../bench/level1_ride.txt");
    std::stringstream script;
    script << file.rdbuf();
    ASSERT_FALSE(script.str().empty());
    CompareWithGolden("street_ride", script.str(), 240, {3, 60, 92, 150, 240});
}

}  // namespace
