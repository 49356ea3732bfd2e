// Builds small SoundFont files for the tests: one preset, one instrument and its samples,
// each sample's rate and points as the test gives them, so that a test can make a whole
// font or damage exactly one thing in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gametest {

// One sample: its points count 16-bit sample frames from the start of the sample data.
struct Sf2Sample {
    std::uint32_t start = 0;
    std::uint32_t end = 2000;
    std::uint32_t loopStart = 200;
    std::uint32_t loopEnd = 1800;
    std::uint32_t rate = 22050;
};

struct Sf2Font {
    // A preset (bank 0, program 0) plays one instrument whose zones play these samples,
    // the first over the low keys and the next ones above.
    std::vector<Sf2Sample> samples = {Sf2Sample{}};
    // Sample frames of sample data: a tone, which the samples' points cut up.
    std::uint32_t sampleFrames = 2048;
    // The instrument zone's sample index is written as this when it is not -1.
    int sampleIndexOverride = -1;
};

// The bytes of a SoundFont file holding `font`; the chunk sizes are those of what it holds.
std::string Sf2File(const Sf2Font& font);

// Where in Sf2File(font) the given sample's header starts (its name; its points follow).
std::size_t Sf2SampleHeaderAt(const Sf2Font& font, std::size_t sample);

}  // namespace gametest
