// The headless run's sound file: a RIFF/WAVE file of 16-bit stereo at the mix rate whose
// header always tells what the file holds, also when the disk fills up part way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class WavFile {
public:
    WavFile() = default;
    ~WavFile();
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    // Creates (or empties) the file and writes the header of an empty sound. False, with
    // the reason in `error`, when that fails.
    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return fd_ >= 0; }
    // Appends `frames` stereo frames. The bytes the file took are counted, however few;
    // false, with the reason in `error`, once a write fails or the file would pass what
    // a WAV header can count. Nothing more is written after a failure.
    bool Write(const std::int16_t* stereo, int frames, std::string& error);
    // Cuts what the file took to whole frames, writes the header's sizes from that and
    // closes it. False, with the reason in `error`, when that fails.
    bool Close(std::string& error);
    // The bytes of sound the file holds.
    std::uint64_t DataBytes() const { return dataBytes_; }

private:
    int fd_ = -1;
    std::string path_;
    std::uint64_t dataBytes_ = 0;
    bool failed_ = false;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace host
