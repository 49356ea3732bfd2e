// Writes sound effects as .wav files in the one layout the game plays: 8-bit unsigned mono at 22050 Hz.
#pragma once

#include <string>
#include <vector>

constexpr int kSoundRate = 22050;

// Samples are floats in -1..1. The writer rounds them to 8-bit unsigned (128 is silence) and puts
// "fmt " as the first chunk, since the game takes whatever chunk comes first as the format.
// Returns false (and says why) when a sample would clip or the file cannot be written.
bool WriteWav8(const std::string& path, const std::vector<float>& samples);
