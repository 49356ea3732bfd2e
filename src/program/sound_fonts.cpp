// The SoundFont search and the advice printed when the music cannot play.
#include "program/sound_fonts.h"

#include <cstdio>

#include "platform/dmusic.h"

namespace {

// General MIDI SoundFonts from Debian's packages, tried in this order.
const char* const kDebianSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

const char kNameOne[] = "name one with --soundfont FILE or \"soundfont = FILE\" in the settings file";

}  // namespace

std::vector<std::string> SoundFontCandidates(const std::string& chosen) {
    if (!chosen.empty()) return {chosen};
    return {std::begin(kDebianSoundFonts), std::end(kDebianSoundFonts)};
}

std::string NoSoundFontAdvice(const std::string& chosen, const std::vector<std::string>& candidates,
                              const std::string& unloadable, const std::string& why) {
    const std::string refused = why.empty() ? " could not be loaded" : " is refused: it " + why;
    if (!chosen.empty()) {
        return "the SoundFont " + chosen + (unloadable.empty() ? " is not there" : refused) +
               "; playing without music (" + kNameOne + ", or leave it out for Debian's own)";
    }
    if (!unloadable.empty()) {
        return "the SoundFont " + unloadable + refused + "; playing without music (reinstall it with " +
               "\"sudo apt-get install --reinstall timgm6mb-soundfont\", or " + kNameOne + ")";
    }
    std::string tried;
    for (size_t i = 0; i < candidates.size(); ++i) tried += (i == 0 ? "" : " or ") + candidates[i];
    return "no SoundFont found at " + tried + "; playing without music (install one with " +
           "\"sudo apt-get install timgm6mb-soundfont\", or " + kNameOne + ")";
}

std::string SoundFontNews(const std::string& chosen, const std::vector<std::string>& candidates,
                          const platform::SoundFontOutcome& outcome) {
    if (outcome.loaded.empty()) return NoSoundFontAdvice(chosen, candidates, outcome.passedOver, outcome.why);
    return "the SoundFont " + outcome.passedOver +
           (outcome.why.empty() ? " could not be loaded" : " is refused: it " + outcome.why) +
           "; the music plays with " + outcome.loaded;
}

void ChooseSoundFont([[maybe_unused]] const std::string& chosen) {
#ifdef __EMSCRIPTEN__
    // The web build's program run outside the page has no synthesizer: its music is silent
    // whatever SoundFont is installed, and installing one would change nothing.
    platform::ChooseSoundFonts({}, [](const platform::SoundFontOutcome&) {
        std::fprintf(stderr, "trundlebop: the music is silent outside the page (no synthesizer in this build)\n");
    });
#else
    const std::vector<std::string> candidates = SoundFontCandidates(chosen);
    platform::ChooseSoundFonts(candidates, [chosen, candidates](const platform::SoundFontOutcome& outcome) {
        std::fprintf(stderr, "trundlebop: %s\n", SoundFontNews(chosen, candidates, outcome).c_str());
    });
#endif
}
