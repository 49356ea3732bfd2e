// Builds .wav files for the tests, chunk by chunk, so that a test can put chunks in any
// order, give them any format or make their sizes lie.
#pragma once

#include <cstdint>
#include <string>

namespace gametest {

// The little-endian bytes of a number, as the file's headers hold it.
std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);

// A chunk: its four-character id, its size and its body, padded to an even length.
std::string WavChunk(const std::string& id, const std::string& body);
// A "fmt " chunk of the given format tag (1 is PCM), channels, rate and bits per sample.
std::string WavFormat(int tag, int channels, int rate, int bits);
// The RIFF WAVE file around the chunks given.
std::string WavFile(const std::string& chunks);
// A PCM file: its format chunk, then `data` as its data chunk.
std::string PcmWav(int channels, int rate, int bits, const std::string& data);

// Writes the bytes as the whole file and returns its path.
std::string WriteFile(const std::string& path, const std::string& bytes);

}  // namespace gametest
