// Levels 2 and 3 played by their timedemo scripts, compared with what the game showed and did
// when the expectations in tests/data/frame_cost were written: a digest of every pass's trace
// record and of the frames at chosen passes. Work left out to make frames cheaper must leave
// both alone. After a deliberate change of behaviour or art, rewrite them with
// TRUNDLEBOP_UPDATE_GOLDEN=1.
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

const std::string kFolder = std::string(TRUNDLEBOP_TEST_DATA) + "/frame_cost/";
const std::string kBench = std::string(TRUNDLEBOP_TEST_DATA) + "/../../bench/";

// 64-bit FNV-1a over bytes.
struct Digest {
    std::uint64_t hash = 1469598103934665603ull;
    void Add(std::uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    void Add(const std::string& text) {
        for (char c : text) Add(static_cast<std::uint8_t>(c));
    }
    std::string Hex() const {
        char text[24];
        std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }
};

std::string RecordDigest(const gamerun::TraceRecord& record) {
    Digest d;
    for (const auto& member : record.fields) d.Add(member.first + "=" + member.second + " ");
    return d.Hex();
}

std::string FrameDigest(const std::string& pngPath) {
    gamerun::Picture picture;
    if (!gamerun::ReadPng(pngPath, picture)) return "unreadable";
    Digest d;
    for (std::uint32_t rgb : picture.rgb)
        for (int shift = 0; shift < 24; shift += 8) d.Add(static_cast<std::uint8_t>(rgb >> shift));
    return std::to_string(picture.width) + "x" + std::to_string(picture.height) + " " + d.Hex();
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Plays bench/<name>.txt for `frames` passes and checks every pass's record and the frames
// at `shots` against tests/data/frame_cost/<name>.expect.
void CompareRun(const std::string& name, int frames, const std::vector<int>& shots) {
    gamerun::RunRequest request;
    request.script = ReadText(kBench + name + ".txt");
    ASSERT_FALSE(request.script.empty()) << "no script " << kBench << name << ".txt";
    request.frames = frames;
    request.shots = shots;
    const gamerun::RunResult run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    ASSERT_TRUE(run.traceWellFormed);

    std::vector<std::string> got;
    for (const gamerun::TraceRecord& record : run.trace)
        got.push_back("pass " + record.Raw("pass") + " " + RecordDigest(record));
    for (const auto& shot : run.shots)
        got.push_back("frame " + std::to_string(shot.first) + " " + FrameDigest(shot.second));

    const std::string path = kFolder + name + ".expect";
    const char* update = std::getenv("TRUNDLEBOP_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream file(path, std::ios::trunc);
        for (const std::string& line : got) file << line << "\n";
        GTEST_SKIP() << "expectations rewritten: " << path;
    }
    const std::vector<std::string> want = Lines(ReadText(path));
    ASSERT_FALSE(want.empty()) << "no stored expectation " << path;
    ASSERT_EQ(want.size(), got.size()) << "the run took a different number of passes";
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(want[i], got[i]) << "first difference (line " << i + 1 << " of " << path << ")";
}

std::vector<int> EveryNth(int first, int last, int step, std::vector<int> extra) {
    for (int pass = first; pass <= last; pass += step) extra.push_back(pass);
    return extra;
}

TEST(FrameCostGolden, Level2Girders) {
    // Around pass 860 the walk comes back to the first page: for one frame the background
    // stands three pixels right of the screen's edge and the collision page shows beside it.
    CompareRun("level2_girders", 970, EveryNth(10, 970, 60, {858, 859, 860, 861, 862}));
}

TEST(FrameCostGolden, Level3Rooms) {
    // The hero walks into the lower room at pass 55 and back into the upper one at pass 310.
    CompareRun("level3_rooms", 670, EveryNth(10, 670, 40, {54, 55, 56, 309, 310, 311}));
}

}  // namespace
