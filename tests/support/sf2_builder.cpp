// Builds small SoundFont files: RIFF "sfbk" with its INFO, sample data and preset data lists.
#include "support/sf2_builder.h"

#include <cmath>

#include "support/wav_builder.h"

namespace gametest {
namespace {

std::string Chunk(const std::string& id, const std::string& body) {
    return WavChunk(id, body);  // RIFF chunks are the same in both formats
}

std::string List(const std::string& type, const std::string& chunks) {
    return Chunk("LIST", type + chunks);
}

std::string Name(const std::string& name) {
    std::string padded = name.substr(0, 19);
    padded.resize(20, '\0');
    return padded;
}

std::string Generator(std::uint16_t oper, std::uint16_t amount) {
    return Le16(oper) + Le16(amount);
}

std::string Bag(std::uint16_t generator, std::uint16_t modulator) {
    return Le16(generator) + Le16(modulator);
}

std::string SampleData(std::uint32_t frames) {
    std::string data;
    for (std::uint32_t i = 0; i < frames; ++i)
        data += Le16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.0628))));
    return data;
}

std::string SampleHeaders(const Sf2Font& font) {
    std::string shdr;
    for (std::size_t i = 0; i < font.samples.size(); ++i) {
        const Sf2Sample& s = font.samples[i];
        shdr += Name("tone" + std::to_string(i)) + Le32(s.start) + Le32(s.end) + Le32(s.loopStart) + Le32(s.loopEnd) +
                Le32(s.rate) + std::string(1, '\x3C') + std::string(1, '\0') + Le16(0) + Le16(1);
    }
    return shdr + Name("EOS") + std::string(26, '\0');
}

std::string Info() {
    return List("INFO", Chunk("ifil", Le16(2) + Le16(1)) + Chunk("isng", std::string("EMU8000\0", 8)) +
                            Chunk("INAM", std::string("Test font\0", 10)));
}

std::string SampleList(const Sf2Font& font) {
    return List("sdta", Chunk("smpl", SampleData(font.sampleFrames)));
}

// Everything of the preset data before the sample headers, with its list's header.
std::string PresetDataHead(const Sf2Font& font) {
    const auto zones = static_cast<std::uint16_t>(font.samples.size());
    const std::string phdr = Name("Tone") + Le16(0) + Le16(0) + Le16(0) + std::string(12, '\0') + Name("EOP") +
                             Le16(0) + Le16(0) + Le16(1) + std::string(12, '\0');
    const std::string pbag = Bag(0, 0) + Bag(1, 0);
    const std::string pgen = Generator(41, 0) + Generator(0, 0);
    const std::string inst = Name("Tone") + Le16(0) + Name("EOI") + Le16(zones);
    std::string ibag, igen;
    for (std::uint16_t z = 0; z < zones; ++z) {
        ibag += Bag(static_cast<std::uint16_t>(3 * z), 0);
        const auto low = static_cast<std::uint8_t>(z == 0 ? 0 : 60 + z);
        const auto high = static_cast<std::uint8_t>(z + 1 == zones ? 127 : 60 + z);
        const std::uint16_t sample =
            font.sampleIndexOverride >= 0 && z == 0 ? static_cast<std::uint16_t>(font.sampleIndexOverride) : z;
        igen += Generator(43, static_cast<std::uint16_t>(low | (high << 8))) + Generator(54, 1) + Generator(53, sample);
    }
    ibag += Bag(static_cast<std::uint16_t>(3 * zones), 0);
    igen += Generator(0, 0);
    return Chunk("phdr", phdr) + Chunk("pbag", pbag) + Chunk("pmod", std::string(10, '\0')) + Chunk("pgen", pgen) +
           Chunk("inst", inst) + Chunk("ibag", ibag) + Chunk("imod", std::string(10, '\0')) + Chunk("igen", igen);
}

}  // namespace

std::string Sf2File(const Sf2Font& font) {
    const std::string body =
        "sfbk" + Info() + SampleList(font) + List("pdta", PresetDataHead(font) + Chunk("shdr", SampleHeaders(font)));
    return "RIFF" + Le32(static_cast<std::uint32_t>(body.size())) + body;
}

std::size_t Sf2SampleHeaderAt(const Sf2Font& font, std::size_t sample) {
    const std::size_t before = 12 + Info().size() + SampleList(font).size() + 12 + PresetDataHead(font).size() + 8;
    return before + 46 * sample;
}

}  // namespace gametest
