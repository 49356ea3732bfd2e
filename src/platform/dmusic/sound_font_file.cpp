// Our own reader of SoundFont files: the RIFF chunks, the preset data's records and their
// indices, and every sample's rate and points.
#include "platform/dmusic/sound_font_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/files/regular_file.h"

namespace platform {
namespace {

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Named(const std::uint8_t* p, const char* name) {
    return std::memcmp(p, name, 4) == 0;
}

// A chunk's body: where it starts in the font and how many bytes it holds.
struct Span {
    std::uint64_t at = 0;
    std::uint64_t size = 0;
    bool found = false;
};

// The preset-data chunks, in the order the format keeps them, and each one's record size.
struct RecordKind {
    const char* name;
    std::size_t bytes;
};
constexpr RecordKind kKinds[] = {{"phdr", 38}, {"pbag", 4},  {"pmod", 10}, {"pgen", 4}, {"inst", 22},
                                 {"ibag", 4},  {"imod", 10}, {"igen", 4},  {"shdr", 46}};
enum Kind { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr, kKindCount };

// The records of one preset-data chunk, read from the chunk's bytes.
struct Records {
    const std::uint8_t* data = nullptr;
    std::size_t count = 0;
    std::size_t bytes = 0;
    const std::uint8_t* At(std::size_t i) const { return data + i * bytes; }
};

constexpr int kInstrumentGenerator = 41;  // a preset zone's instrument
constexpr int kSampleGenerator = 53;      // an instrument zone's sample
constexpr std::uint16_t kRomSample = 0x8000;

// A font holds three lists at its top and one or two chunks of samples; more chunks than
// this are never a SoundFont, and walking a vast file of tiny chunks would take minutes.
constexpr int kMostChunks = 256;

// Walks the chunks inside [from, to): calls `each` with every chunk's name and body until
// it answers false. False when a chunk's header or body runs past `to`, or there are more
// than kMostChunks.
template <typename Each>
bool WalkChunks(const FontBytesAt& bytesAt, std::uint64_t from, std::uint64_t to, Each each) {
    std::uint64_t at = from;
    for (int chunks = 0; at + 8 <= to; ++chunks) {
        std::uint8_t header[8];
        if (chunks == kMostChunks || !bytesAt(at, header, sizeof header)) return false;
        const std::uint64_t size = Le32(header + 4);
        if (size > to - at - 8) return false;
        if (!each(header, Span{at + 8, size, true})) return true;
        at += 8 + size + (size & 1);  // bodies of odd size are padded to even
    }
    return true;
}

// A zone list's indices (the bags of presets or instruments, the generators and modulators
// of bags) never go back and never point past the list they index; the last record of each
// chunk is the one that closes the list before it.
bool IndicesHold(const Records& owners, std::size_t offset, std::size_t indexed) {
    std::uint16_t previous = 0;
    for (std::size_t i = 0; i < owners.count; ++i) {
        const std::uint16_t index = Le16(owners.At(i) + offset);
        if (index < previous || index >= indexed) return false;
        previous = index;
    }
    return true;
}

// Each generator of `kind` (instrument or sample) names one of the `count` records it
// refers to, the closing one left out.
bool GeneratorsHold(const Records& generators, int kind, std::size_t count) {
    for (std::size_t i = 0; i < generators.count; ++i)
        if (Le16(generators.At(i)) == kind && Le16(generators.At(i) + 2) + 1u >= count) return false;
    return true;
}

bool SamplesHold(const Records& samples, std::uint64_t sampleWords, std::string& why) {
    for (std::size_t i = 0; i + 1 < samples.count; ++i) {
        const std::uint8_t* s = samples.At(i);
        const std::uint32_t start = Le32(s + 20), end = Le32(s + 24);
        const std::uint32_t loopStart = Le32(s + 28), loopEnd = Le32(s + 32), rate = Le32(s + 36);
        const std::string which = "has sample " + std::to_string(i + 1);
        if (rate < kLowestSampleRate || rate > kHighestSampleRate) {
            why = which + " at a rate of " + std::to_string(rate) + " Hz";
            return false;
        }
        if (Le16(s + 44) & kRomSample) continue;  // its points lie in a sound card's memory
        if (start >= end) {
            why = which + " ending before it starts";
            return false;
        }
        if (end > sampleWords) {
            why = which + " ending past the sample data";
            return false;
        }
        if (loopStart < start || loopEnd > end || loopStart > loopEnd) {
            why = which + " looping outside itself";
            return false;
        }
    }
    return true;
}

bool PresetDataHolds(const std::vector<std::uint8_t>& pdta, std::uint64_t sampleWords, std::string& why) {
    Records records[kKindCount];
    bool found[kKindCount] = {};
    std::size_t at = 0;
    while (at + 8 <= pdta.size()) {
        const std::uint8_t* header = pdta.data() + at;
        const std::size_t size = Le32(header + 4);
        if (size > pdta.size() - at - 8) {
            why = "has preset data that runs past its chunk";
            return false;
        }
        for (int k = 0; k < kKindCount; ++k) {
            if (!Named(header, kKinds[k].name) || found[k]) continue;
            if (size % kKinds[k].bytes != 0) {
                why = std::string("has a ") + kKinds[k].name + " chunk that is not whole records";
                return false;
            }
            found[k] = true;
            records[k] = Records{header + 8, size / kKinds[k].bytes, kKinds[k].bytes};
        }
        at += 8 + size + (size & 1);
    }
    for (int k = 0; k < kKindCount; ++k) {
        // Every list ends with a closing record; presets, instruments and samples have at
        // least one record before it.
        const std::size_t least = (k == kPhdr || k == kInst || k == kShdr) ? 2 : 1;
        if (!found[k] || records[k].count < least) {
            why = std::string("has no ") + kKinds[k].name + " records";
            return false;
        }
    }
    const bool indicesHold =
        IndicesHold(records[kPhdr], 24, records[kPbag].count) && IndicesHold(records[kPbag], 0, records[kPgen].count) &&
        IndicesHold(records[kPbag], 2, records[kPmod].count) && IndicesHold(records[kInst], 20, records[kIbag].count) &&
        IndicesHold(records[kIbag], 0, records[kIgen].count) && IndicesHold(records[kIbag], 2, records[kImod].count) &&
        GeneratorsHold(records[kPgen], kInstrumentGenerator, records[kInst].count) &&
        GeneratorsHold(records[kIgen], kSampleGenerator, records[kShdr].count);
    if (!indicesHold) {
        why = "has presets or instruments that point past their lists";
        return false;
    }
    return SamplesHold(records[kShdr], sampleWords, why);
}

}  // namespace

bool CheckSoundFont(std::uint64_t size, const FontBytesAt& bytesAt, std::string& why) {
    std::uint8_t head[12];
    if (size < sizeof head || !bytesAt(0, head, sizeof head) || !Named(head, "RIFF") || !Named(head + 8, "sfbk")) {
        why = "is not a SoundFont";
        return false;
    }
    const std::uint64_t riffEnd = 8 + static_cast<std::uint64_t>(Le32(head + 4));
    if (riffEnd > size) {
        why = "is cut short";
        return false;
    }
    Span sdta, pdta;
    const bool walked = WalkChunks(bytesAt, 12, riffEnd, [&](const std::uint8_t* header, const Span& body) {
        std::uint8_t type[4];
        if (!Named(header, "LIST") || body.size < 4 || !bytesAt(body.at, type, 4)) return true;
        if (Named(type, "sdta") && !sdta.found) sdta = Span{body.at + 4, body.size - 4, true};
        if (Named(type, "pdta") && !pdta.found) pdta = Span{body.at + 4, body.size - 4, true};
        return true;
    });
    if (!walked) {
        why = "has a chunk that runs past the end of the file, or too many chunks";
        return false;
    }
    Span smpl;
    if (sdta.found &&
        !WalkChunks(bytesAt, sdta.at, sdta.at + sdta.size, [&](const std::uint8_t* header, const Span& body) {
            if (Named(header, "smpl")) smpl = body;
            return !smpl.found;
        })) {
        why = "has sample data that runs past its chunk";
        return false;
    }
    if (!smpl.found || smpl.size < 2) {
        why = "holds no sample data";
        return false;
    }
    if (!pdta.found) {
        why = "holds no preset data";
        return false;
    }
    if (pdta.size > kMostPresetDataBytes) {
        why = "has more preset data than any SoundFont holds";
        return false;
    }
    std::vector<std::uint8_t> presetData(static_cast<std::size_t>(pdta.size));
    if (!presetData.empty() && !bytesAt(pdta.at, presetData.data(), presetData.size())) {
        why = "cannot be read";
        return false;
    }
    return PresetDataHolds(presetData, smpl.size / 2, why);
}

bool CheckSoundFontBytes(const std::uint8_t* data, std::size_t size, std::string& why) {
    return CheckSoundFont(
        size,
        [data, size](std::uint64_t offset, void* into, std::size_t count) {
            if (offset > size || count > size - offset) return false;
            if (count > 0) std::memcpy(into, data + offset, count);
            return true;
        },
        why);
}

bool CheckSoundFontFile(const std::string& path, std::string& why, bool& missing) {
    missing = false;
    const int fd = OpenRegularFile(path.c_str());
    if (fd < 0) {
        missing = errno == ENOENT;
        why = errno == EINVAL ? "is not a regular file" : std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    struct stat facts {};
    bool ok = ::fstat(fd, &facts) == 0;
    if (!ok) why = std::string("cannot be read: ") + std::strerror(errno);
    ok = ok && CheckSoundFont(
                   static_cast<std::uint64_t>(facts.st_size),
                   [fd](std::uint64_t offset, void* into, std::size_t count) {
                       auto* out = static_cast<std::uint8_t*>(into);
                       while (count > 0) {
                           const ssize_t got = ::pread(fd, out, count, static_cast<off_t>(offset));
                           if (got < 0 && errno == EINTR) continue;
                           if (got <= 0) return false;
                           out += got;
                           offset += static_cast<std::uint64_t>(got);
                           count -= static_cast<std::size_t>(got);
                       }
                       return true;
                   },
                   why);
    ::close(fd);
    return ok;
}

}  // namespace platform
