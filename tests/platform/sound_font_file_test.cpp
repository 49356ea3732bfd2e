// Our SoundFont reader: a whole font passes and the synthesizer plays it; every kind of
// damage is refused with its reason, a font cut short at any byte is refused, and a named
// pipe is refused without waiting for a writer. Debian's own font passes when it is there.
// The music passes a damaged font over for the next, and the libraries beneath it keep
// their messages off the terminal.
#include "platform/dmusic/sound_font_file.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "audio/music.h"
#include "platform/dmusic.h"
#include "support/run_game.h"
#include "support/sf2_builder.h"
#include "support/wav_builder.h"

namespace {

using gametest::Sf2File;
using gametest::Sf2Font;
using gametest::Sf2Sample;

std::string Why(const std::string& bytes) {
    std::string why;
    const bool taken =
        platform::CheckSoundFontBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), why);
    EXPECT_EQ(taken, why.empty()) << "a refusal always says why: " << why;
    return taken ? "taken" : why;
}

Sf2Font WithSample(Sf2Sample sample) {
    Sf2Font font;
    font.samples.push_back(sample);  // the second sample is the damaged one
    return font;
}

TEST(SoundFontFile, AWholeFontIsTakenAndTheSynthesizerPlaysIt) {
    const std::string bytes = Sf2File(Sf2Font{});
    EXPECT_EQ("taken", Why(bytes));
    const gamerun::ScratchFolder folder;
    const std::string path = gametest::WriteFile(folder.Path() + "/tone.sf2", bytes);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = new_fluid_synth(settings);
    ASSERT_NE(FLUID_FAILED, fluid_synth_sfload(synth, path.c_str(), 1)) << "the builder's font is a real one";
    fluid_synth_noteon(synth, 0, 60, 100);
    float left[4096] = {}, right[4096] = {};
    fluid_synth_write_float(synth, 4096, left, 0, 1, right, 0, 1);
    float loudest = 0;
    for (float s : left) loudest = std::max(loudest, std::abs(s));
    EXPECT_GT(loudest, 0.01f);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

TEST(SoundFontFile, EachKindOfDamageIsRefusedWithItsReason) {
    Sf2Sample fast, silent, backwards, beyond, looseLoop;
    fast.rate = 0xFFFFFFFF;
    silent.rate = 0;
    backwards.start = 1500;
    backwards.end = 100;
    beyond.end = 5000;
    beyond.loopEnd = 4000;
    looseLoop.loopEnd = 2500;
    EXPECT_EQ("has sample 2 at a rate of 4294967295 Hz", Why(Sf2File(WithSample(fast))));
    EXPECT_EQ("has sample 2 at a rate of 0 Hz", Why(Sf2File(WithSample(silent))));
    EXPECT_EQ("has sample 2 ending before it starts", Why(Sf2File(WithSample(backwards))));
    EXPECT_EQ("has sample 2 ending past the sample data", Why(Sf2File(WithSample(beyond))));
    EXPECT_EQ("has sample 2 looping outside itself", Why(Sf2File(WithSample(looseLoop))));
    Sf2Font pointsPast;
    pointsPast.sampleIndexOverride = 7;
    EXPECT_EQ("has presets or instruments that point past their lists", Why(Sf2File(pointsPast)));

    const std::string whole = Sf2File(Sf2Font{});
    EXPECT_EQ("is not a SoundFont", Why("RIFF" + gametest::Le32(4) + "WAVE"));
    std::string lying = whole;
    std::memcpy(&lying[4], "\xF0\xFF\xFF\x7F", 4);  // the RIFF claims 2 GB
    EXPECT_EQ("is cut short", Why(lying));
    lying = whole;
    const std::size_t shdrSize = gametest::Sf2SampleHeaderAt(Sf2Font{}, 0) - 4;
    std::memcpy(&lying[shdrSize], "\xFF\xFF\xFF\x0F", 4);  // the sample headers claim 256 MB
    EXPECT_NE("taken", Why(lying));
    // A font of ten thousand empty chunks is no font, however fast they are read.
    std::string chunks;
    for (int i = 0; i < 10000; ++i) chunks += "junk" + gametest::Le32(0);
    EXPECT_EQ("has a chunk that runs past the end of the file, or too many chunks",
              Why("RIFF" + gametest::Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "sfbk" + chunks));
    // Cut short anywhere, a font is refused: no chunk may reach past the end.
    for (std::size_t size = 0; size < whole.size(); ++size)
        ASSERT_NE("taken", Why(whole.substr(0, size))) << "cut to " << size << " bytes";
}

TEST(SoundFontFile, APipeOrAFolderIsRefusedWithoutWaitingAndAMissingFileIsMissing) {
    const gamerun::ScratchFolder folder;
    const std::string pipe = folder.Path() + "/font.sf2";
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    std::string why;
    bool missing = true;
    EXPECT_FALSE(platform::CheckSoundFontFile(pipe, why, missing));  // a wait here never ends
    EXPECT_EQ("is not a regular file", why);
    EXPECT_FALSE(missing);
    EXPECT_FALSE(platform::CheckSoundFontFile(folder.Path(), why, missing));
    EXPECT_EQ("is not a regular file", why);
    EXPECT_FALSE(platform::CheckSoundFontFile(folder.Path() + "/none.sf2", why, missing));
    EXPECT_TRUE(missing);
    const std::string good = gametest::WriteFile(folder.Path() + "/good.sf2", Sf2File(Sf2Font{}));
    EXPECT_TRUE(platform::CheckSoundFontFile(good, why, missing)) << why;
}

TEST(SoundFontFile, DebiansFontIsTaken) {
    const char* const path = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (access(path, R_OK) != 0) GTEST_SKIP() << "no " << path << " (timgm6mb-soundfont)";
    std::string why;
    bool missing = false;
    EXPECT_TRUE(platform::CheckSoundFontFile(path, why, missing)) << why;
}

// GLib's logging call, as the synthesizer's font readers reach it.
extern "C" void g_log(const char* domain, int level, const char* format, ...);
constexpr int kGlibCritical = 1 << 3;

TEST(SoundFontChoice, ADamagedFontIsPassedOverForTheNextAndNoLibraryWritesToTheTerminal) {
    const gamerun::ScratchFolder folder;
    Sf2Font damaged = WithSample(Sf2Sample{});
    damaged.samples[1].start = 1900;  // after its end: silence, were it let through
    damaged.samples[1].end = 10;
    const std::string bad = gametest::WriteFile(folder.Path() + "/bad.sf2", Sf2File(damaged));
    const std::string good = gametest::WriteFile(folder.Path() + "/good.sf2", Sf2File(Sf2Font{}));
    std::vector<platform::SoundFontOutcome> told;
    platform::ChooseSoundFonts({folder.Path() + "/none.sf2", bad, good},
                               [&](const platform::SoundFontOutcome& outcome) { told.push_back(outcome); });
    testing::internal::CaptureStderr();
    ASSERT_EQ(1, InitMusic());
    g_log("libInstPatch", kGlibCritical, "a complaint of the font reader's");
    const std::string terminal = testing::internal::GetCapturedStderr();
    ShutdownMusic();
    EXPECT_EQ("", terminal);
    ASSERT_EQ(1u, told.size());
    EXPECT_EQ(good, told[0].loaded);
    EXPECT_EQ(bad, told[0].passedOver);
    EXPECT_EQ("has sample 2 ending before it starts", told[0].why);
}

}  // namespace
