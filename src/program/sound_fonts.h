// Which SoundFont the music plays with, and what the player is told when none can play.
#pragma once

#include <string>
#include <vector>

// The SoundFonts tried in order: the player's choice alone when there is one (--soundfont or
// "soundfont =" in the settings file), else Debian's default-GM.sf2, then TimGM6mb.sf2.
std::vector<std::string> SoundFontCandidates(const std::string& chosen);

// The one line the player reads when no SoundFont of `candidates` loads: `unloadable` is the
// first that could be read but not loaded, empty when none could even be read.
std::string NoSoundFontAdvice(const std::string& chosen, const std::vector<std::string>& candidates,
                              const std::string& unloadable);

// Hands the music the SoundFonts to try for `chosen`, with the advice to print when none loads.
void ChooseSoundFont(const std::string& chosen);
