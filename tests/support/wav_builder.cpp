// Builds .wav files for the tests, chunk by chunk.
#include "support/wav_builder.h"

#include <fstream>

namespace gametest {

std::string Le16(std::uint16_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) {
    return Le16(static_cast<std::uint16_t>(value)) + Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string WavChunk(const std::string& id, const std::string& body) {
    return id + Le32(static_cast<std::uint32_t>(body.size())) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string WavFormat(int tag, int channels, int rate, int bits) {
    const int align = channels * bits / 8;
    return WavChunk("fmt ", Le16(static_cast<std::uint16_t>(tag)) + Le16(static_cast<std::uint16_t>(channels)) +
                                Le32(static_cast<std::uint32_t>(rate)) +
                                Le32(static_cast<std::uint32_t>(rate * align)) +
                                Le16(static_cast<std::uint16_t>(align)) + Le16(static_cast<std::uint16_t>(bits)));
}

std::string WavFile(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string PcmWav(int channels, int rate, int bits, const std::string& data) {
    return WavFile(WavFormat(1, channels, rate, bits) + WavChunk("data", data));
}

std::string WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace gametest
