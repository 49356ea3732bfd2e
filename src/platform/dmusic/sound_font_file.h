// Our own reader of SoundFont files: checks a font's structure before the synthesizer is
// handed it, so that a damaged font is refused in one line instead of playing silence or
// burning the processor on impossible samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Sample rates a sample may have, in Hz: no real instrument is recorded outside these.
constexpr std::uint32_t kLowestSampleRate = 400;
constexpr std::uint32_t kHighestSampleRate = 192000;
// The most preset data (the instruments' description, not their samples) we read: the
// largest General MIDI fonts hold a few hundred kilobytes of it.
constexpr std::uint32_t kMostPresetDataBytes = 16u << 20;

// Reads `count` bytes at `offset` of the font into `into`; false when not all of them can
// be read.
using FontBytesAt = std::function<bool(std::uint64_t offset, void* into, std::size_t count)>;

// Checks the structure of a font of `size` bytes. False, with the reason in `why` (a short
// phrase that follows the font's name), when it is not a RIFF "sfbk" file, a chunk runs
// past its parent or the file, a list holds more chunks than any font has, the sample data or one of the nine
// preset-data chunks is missing or not a whole number of records, an index of a preset, instrument or zone points past
// what there is, or a sample has a rate outside kLowestSampleRate to kHighestSampleRate, does not start before it ends,
// ends past the sample data, or has a loop outside itself.
bool CheckSoundFont(std::uint64_t size, const FontBytesAt& bytesAt, std::string& why);

// The same for a font held in memory.
bool CheckSoundFontBytes(const std::uint8_t* data, std::size_t size, std::string& why);

// The same for the file at `path`, opened without waiting: a named pipe or a device is
// refused as not a regular file. `missing` is set when there is no such file.
bool CheckSoundFontFile(const std::string& path, std::string& why, bool& missing);

}  // namespace platform
