// A small reader for the standard MIDI files the asset generator writes, strict enough to catch a
// wrong chunk length, a broken variable-length number or a missing status byte.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace midiread {

struct Event {
    std::uint32_t tick;               // absolute
    std::vector<std::uint8_t> bytes;  // status byte first; meta events as FF type length data
};

struct Track {
    std::vector<Event> events;
};

struct File {
    int format = -1, division = 0;
    std::vector<Track> tracks;
};

inline std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A variable-length number at pos: seven bits a byte, most significant first, high bit on all but
// the last; at most four bytes.
inline std::uint32_t VarLen(const std::vector<std::uint8_t>& b, std::size_t& pos, std::size_t end) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end) throw std::runtime_error("variable-length number runs off the chunk");
        const std::uint8_t byte = b[pos++];
        v = (v << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return v;
    }
    throw std::runtime_error("variable-length number longer than four bytes");
}

inline std::uint32_t Big(const std::vector<std::uint8_t>& b, std::size_t pos, int count) {
    std::uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = (v << 8) | b.at(pos + i);
    return v;
}

// Reads every chunk; each track must end with exactly one end-of-track event as its last bytes.
// Channel events must carry their own status byte (the writer uses no running status).
inline File Parse(const std::vector<std::uint8_t>& b) {
    File f;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Big(b, 4, 4) != 6)
        throw std::runtime_error("no MThd header of 6 bytes");
    f.format = static_cast<int>(Big(b, 8, 2));
    const std::uint32_t trackCount = Big(b, 10, 2);
    f.division = static_cast<int>(Big(b, 12, 2));
    std::size_t pos = 14;
    for (std::uint32_t t = 0; t < trackCount; ++t) {
        if (pos + 8 > b.size() || std::string(b.begin() + pos, b.begin() + pos + 4) != "MTrk")
            throw std::runtime_error("track chunk missing");
        const std::size_t length = Big(b, pos + 4, 4);
        pos += 8;
        const std::size_t end = pos + length;
        if (end > b.size()) throw std::runtime_error("track chunk runs past the file");
        Track track;
        std::uint32_t now = 0;
        bool ended = false;
        while (pos < end) {
            if (ended) throw std::runtime_error("bytes after the end of the track");
            now += VarLen(b, pos, end);
            if (pos >= end) throw std::runtime_error("event cut off");
            const std::uint8_t status = b[pos];
            if (!(status & 0x80)) throw std::runtime_error("event without a status byte");
            Event e{now, {}};
            std::size_t size = 0;
            if (status == 0xFF) {
                std::size_t lengthPos = pos + 2;
                const std::uint32_t dataLength = VarLen(b, lengthPos, end);
                size = lengthPos - pos + dataLength;
                ended = b.at(pos + 1) == 0x2F;
            } else {
                const int kind = status & 0xF0;
                size = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
            }
            if (pos + size > end) throw std::runtime_error("event runs past the chunk");
            e.bytes.assign(b.begin() + pos, b.begin() + pos + size);
            pos += size;
            track.events.push_back(e);
        }
        if (!ended) throw std::runtime_error("track without an end");
        f.tracks.push_back(track);
    }
    if (pos != b.size()) throw std::runtime_error("bytes after the last track");
    return f;
}

}  // namespace midiread
