// Which SoundFont the music plays with, and what the player is told when none can play.
#pragma once

#include <string>
#include <vector>

#include "platform/dmusic.h"

// The SoundFonts tried in order: the player's choice alone when there is one (--soundfont or
// "soundfont =" in the settings file), else Debian's default-GM.sf2, then TimGM6mb.sf2.
std::vector<std::string> SoundFontCandidates(const std::string& chosen);

// The one line the player reads when no SoundFont of `candidates` loads: `unloadable` is the
// first that is there but was refused or not loaded (empty when none is there), `why` why
// our reader refused it (empty when the synthesizer did).
std::string NoSoundFontAdvice(const std::string& chosen, const std::vector<std::string>& candidates,
                              const std::string& unloadable, const std::string& why);

// The one line the player reads when a SoundFont was passed over or none loads.
std::string SoundFontNews(const std::string& chosen, const std::vector<std::string>& candidates,
                          const platform::SoundFontOutcome& outcome);

// Hands the music the SoundFonts to try for `chosen`, with the advice to print when none loads.
void ChooseSoundFont(const std::string& chosen);
