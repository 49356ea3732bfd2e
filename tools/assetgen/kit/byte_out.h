// Little-endian byte packing and whole-file output shared by the .bmp, .wav and .mid writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v);
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v);
// Appends the first four characters of tag, as in "RIFF" or "fmt ".
void PutTag(std::vector<std::uint8_t>& out, const char* tag);

// Writes the bytes as the whole file. Returns false (and says why) when that fails.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
