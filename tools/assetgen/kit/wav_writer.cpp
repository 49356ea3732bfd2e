// Writes sound effects as .wav files in the one layout the game plays: 8-bit unsigned mono at 22050 Hz.
#include "kit/wav_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "kit/byte_out.h"

bool WriteWav8(const std::string& path, const std::vector<float>& samples) {
    const std::uint32_t n = static_cast<std::uint32_t>(samples.size());
    std::vector<std::uint8_t> out;
    out.reserve(44 + n + 1);
    PutTag(out, "RIFF");
    Put32(out, 36 + n + (n & 1));  // the data chunk is padded to an even length
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kSoundRate);
    Put32(out, kSoundRate);  // bytes per second
    Put16(out, 1);           // block align
    Put16(out, 8);           // bits per sample
    PutTag(out, "data");
    Put32(out, n);
    for (float s : samples) {
        const long v = std::lround(128.0f + s * 127.0f);
        if (v < 1 || v > 255) {
            std::fprintf(stderr, "assetgen: %s: a sample of %.3f would clip\n", path.c_str(), static_cast<double>(s));
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(v));
    }
    if (n & 1) out.push_back(128);
    return WriteBytes(path, out);
}
