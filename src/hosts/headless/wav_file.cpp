// The headless run's sound file, written straight to the file (no buffer that could hold
// bytes the disk never took), its header filled in from what the file holds.
#include "hosts/headless/wav_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "hosts/host.h"

namespace host {
namespace {

constexpr int kHeaderBytes = 44;
constexpr std::uint64_t kMostData = 0xFFFFFFFFull - (kHeaderBytes - 8);
constexpr std::uint32_t kFrameBytes = 4;  // 16-bit stereo

void PutLe16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(std::uint8_t* at, std::uint32_t value) {
    PutLe16(at, value & 0xFFFF);
    PutLe16(at + 2, value >> 16);
}

void MakeHeader(std::uint8_t* h, std::uint32_t dataBytes) {
    constexpr std::uint32_t channels = 2, bytesPerSample = 2;
    std::copy_n("RIFF", 4, h);
    PutLe32(h + 4, dataBytes + (kHeaderBytes - 8));
    std::copy_n("WAVEfmt ", 8, h + 8);
    PutLe32(h + 16, 16);
    PutLe16(h + 20, 1);  // PCM
    PutLe16(h + 22, channels);
    PutLe32(h + 24, kMixRate);
    PutLe32(h + 28, kMixRate * channels * bytesPerSample);
    PutLe16(h + 32, channels * bytesPerSample);
    PutLe16(h + 34, bytesPerSample * 8);
    std::copy_n("data", 4, h + 36);
    PutLe32(h + 40, dataBytes);
}

// Writes all of `size` bytes at `offset`; how many the file took.
std::size_t WriteAt(int fd, const std::uint8_t* bytes, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::pwrite(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<std::size_t>(wrote);
    }
    return done;
}

std::string Reason() {
    return errno == 0 ? std::string("the disk took no more") : std::strerror(errno);
}

}  // namespace

WavFile::~WavFile() {
    std::string ignored;
    if (IsOpen()) Close(ignored);
}

bool WavFile::Open(const std::string& path, std::string& error) {
    path_ = path;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    std::uint8_t header[kHeaderBytes];
    MakeHeader(header, 0);
    errno = 0;
    if (fd_ < 0 || WriteAt(fd_, header, sizeof header, 0) != sizeof header) {
        error = "cannot write the sound " + path + ": " + Reason();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        return false;
    }
    dataBytes_ = 0;
    failed_ = false;
    return true;
}

bool WavFile::Write(const std::int16_t* stereo, int frames, std::string& error) {
    if (!IsOpen() || failed_ || frames <= 0) return !failed_;
    const std::size_t size = static_cast<std::size_t>(frames) * kFrameBytes;
    if (dataBytes_ + size > kMostData) {
        failed_ = true;
        error = "the sound " + path_ + " has reached the most a WAV file holds";
        return false;
    }
    bytes_.resize(size);
    for (std::size_t i = 0; i < size / 2; ++i) PutLe16(bytes_.data() + i * 2, static_cast<std::uint16_t>(stereo[i]));
    errno = 0;
    const std::size_t took = WriteAt(fd_, bytes_.data(), size, static_cast<off_t>(kHeaderBytes + dataBytes_));
    dataBytes_ += took;
    if (took == size) return true;
    failed_ = true;
    error = "cannot write the sound " + path_ + ": " + Reason();
    return false;
}

bool WavFile::Close(std::string& error) {
    if (!IsOpen()) return true;
    // A frame cut in two by a full disk is left out, so the header counts whole frames and
    // the file ends where they do; shortening a file takes no space.
    dataBytes_ -= dataBytes_ % kFrameBytes;
    std::uint8_t header[kHeaderBytes];
    MakeHeader(header, static_cast<std::uint32_t>(dataBytes_));
    errno = 0;
    bool ok = ::ftruncate(fd_, static_cast<off_t>(kHeaderBytes + dataBytes_)) == 0 &&
              WriteAt(fd_, header, sizeof header, 0) == sizeof header;
    if (!ok) error = "cannot write the sound " + path_ + ": " + Reason();
    if (::close(fd_) != 0 && ok) {
        ok = false;
        error = "cannot write the sound " + path_ + ": " + Reason();
    }
    fd_ = -1;
    return ok;
}

}  // namespace host
