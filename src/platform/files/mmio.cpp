// The multimedia file stand-in: RIFF files read through a small buffer, chunk headers found
// and skipped without ever trusting a size to stay inside the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <set>
#include <vector>

#include "platform/mmsystem.h"

struct PlatformMmioFile {
    int fd = -1;
    std::uint64_t size = 0;      // what we treat as the end of the file
    std::uint64_t position = 0;  // may lie past `size` after a seek; reads there give 0
    std::vector<char> cache;     // MMIO_ALLOCBUF: the last stretch read from the file
    std::uint64_t cacheStart = 0;
    std::size_t cacheLength = 0;
};

namespace {

// Positions are LONG to the caller, so nothing past 2 GiB is visible.
constexpr std::uint64_t kLargestFile = 0x7FFFFFFFu;
constexpr std::size_t kCacheBytes = 8192;

// Every handle we gave out and have not closed, so a stale or made-up one is refused.
std::mutex& OpenFilesLock() {
    static std::mutex lock;
    return lock;
}
std::set<HMMIO>& OpenFiles() {
    static std::set<HMMIO> files;
    return files;
}

bool Known(HMMIO file) {
    if (!file) return false;
    std::lock_guard<std::mutex> hold(OpenFilesLock());
    return OpenFiles().count(file) != 0;
}

// Reads at `at` straight from the file, retrying short reads; the count read or -1.
long long ReadAt(int fd, std::uint64_t at, char* into, std::size_t count) {
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::pread(fd, into + total, count - total, static_cast<off_t>(at + total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return total > 0 ? static_cast<long long>(total) : -1;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(total);
}

// Reads up to `count` bytes at the position, stopping at the end of the file; the count
// read (the position moves by it) or -1.
long long ReadBytes(PlatformMmioFile& f, char* into, std::uint64_t count) {
    if (f.position >= f.size) return 0;
    count = std::min(count, f.size - f.position);
    std::uint64_t done = 0;
    while (done < count) {
        const std::uint64_t at = f.position + done;
        if (f.cache.empty() || count - done >= f.cache.size()) {
            const long long got = ReadAt(f.fd, at, into + done, static_cast<std::size_t>(count - done));
            if (got < 0) return done > 0 ? static_cast<long long>(done) : -1;
            done += static_cast<std::uint64_t>(got);
            break;
        }
        if (at < f.cacheStart || at >= f.cacheStart + f.cacheLength) {
            const long long got = ReadAt(f.fd, at, f.cache.data(), f.cache.size());
            f.cacheStart = at;
            f.cacheLength = got > 0 ? static_cast<std::size_t>(got) : 0;
            if (got <= 0) {
                if (got < 0 && done == 0) return -1;
                break;
            }
        }
        const std::uint64_t offset = at - f.cacheStart;
        const std::uint64_t take = std::min<std::uint64_t>(count - done, f.cacheLength - offset);
        std::memcpy(into + done, f.cache.data() + offset, static_cast<std::size_t>(take));
        done += take;
    }
    f.position += done;
    return static_cast<long long>(done);
}

std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The header of the chunk at `at`, if all of it lies before `end`: id and size, and for
// RIFF and LIST chunks the type too.
bool ReadHeader(PlatformMmioFile& f, std::uint64_t at, std::uint64_t end, MMCKINFO* chunk) {
    if (at + 8 > end) return false;
    unsigned char header[12];
    f.position = at;
    if (ReadBytes(f, reinterpret_cast<char*>(header), 8) != 8) return false;
    chunk->ckid = Le32(header);
    chunk->cksize = Le32(header + 4);
    chunk->fccType = 0;
    chunk->dwFlags = 0;
    chunk->dwDataOffset = static_cast<DWORD>(at + 8);
    if (chunk->ckid == FOURCC_RIFF || chunk->ckid == FOURCC_LIST) {
        if (at + 12 > end || ReadBytes(f, reinterpret_cast<char*>(header + 8), 4) != 4) return false;
        chunk->fccType = Le32(header + 8);
    }
    return true;
}

// Where the chunk ends, its pad byte included: sizes are counted in 64 bits, so a size
// near 2^32 does not wrap round to an earlier place.
std::uint64_t ChunkEnd(const MMCKINFO& chunk) {
    const std::uint64_t size = chunk.cksize;
    return static_cast<std::uint64_t>(chunk.dwDataOffset) + size + (size & 1u);
}

}  // namespace

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags) {
    auto fail = [info](MMRESULT reason) -> HMMIO {
        if (info) info->wErrorRet = reason;
        return nullptr;
    };
    if (info) info->wErrorRet = MMSYSERR_NOERROR;
    // Reading is all we offer: writing, creating, parsing names and deleting are refused.
    const DWORD known = MMIO_ALLOCBUF;
    if ((flags & ~known) != MMIO_READ) return fail(MMSYSERR_INVALFLAG);
    if (!fileName || fileName[0] == '\0') return fail(MMIOERR_FILENOTFOUND);
    // Without waiting: a named pipe in place of the file is refused below, not waited on.
    const int fd = ::open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return fail(errno == EACCES ? MMIOERR_ACCESSDENIED : MMIOERR_FILENOTFOUND);
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        ::close(fd);
        return fail(MMIOERR_CANNOTOPEN);
    }
    auto* file = new (std::nothrow) PlatformMmioFile();
    if (!file) {
        ::close(fd);
        return fail(MMIOERR_OUTOFMEMORY);
    }
    file->fd = fd;
    file->size = std::min<std::uint64_t>(static_cast<std::uint64_t>(facts.st_size), kLargestFile);
    if (flags & MMIO_ALLOCBUF) file->cache.resize(kCacheBytes);
    if (info) info->dwFlags = flags;
    std::lock_guard<std::mutex> hold(OpenFilesLock());
    OpenFiles().insert(file);
    return file;
}

MMRESULT mmioClose(HMMIO file, UINT) {
    {
        std::lock_guard<std::mutex> hold(OpenFilesLock());
        if (!file || OpenFiles().erase(file) == 0) return MMSYSERR_INVALHANDLE;
    }
    const bool closed = ::close(file->fd) == 0;
    delete file;
    return closed ? MMSYSERR_NOERROR : MMIOERR_CANNOTCLOSE;
}

LONG mmioRead(HMMIO file, char* buffer, LONG count) {
    if (!Known(file) || count < 0 || (!buffer && count > 0)) return -1;
    return static_cast<LONG>(ReadBytes(*file, buffer, static_cast<std::uint64_t>(count)));
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
    if (!Known(file)) return -1;
    std::int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = static_cast<std::int64_t>(file->position);
    } else if (origin == SEEK_END) {
        base = static_cast<std::int64_t>(file->size);
    } else if (origin != SEEK_SET) {
        return -1;
    }
    const std::int64_t target = base + offset;
    if (target < 0 || target > static_cast<std::int64_t>(kLargestFile)) return -1;
    file->position = static_cast<std::uint64_t>(target);
    return static_cast<LONG>(target);
}

MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
    if (!Known(file)) return MMSYSERR_INVALHANDLE;
    if (!chunk) return MMSYSERR_INVALPARAM;
    const UINT search = flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST);
    if (search != flags || (search & (search - 1)) != 0) return MMSYSERR_INVALFLAG;

    PlatformMmioFile& f = *file;
    // A search never leaves the parent, nor the file whatever the parent's size says.
    std::uint64_t end = f.size;
    if (parent) end = std::min(end, static_cast<std::uint64_t>(parent->dwDataOffset) + parent->cksize);
    const std::uint64_t start = f.position;
    const FOURCC wantedId = chunk->ckid;
    const FOURCC wantedType = chunk->fccType;

    MMCKINFO found{};
    std::uint64_t at = start;
    // Every step moves on by at least a header's 8 bytes, so the walk ends at `end`.
    while (ReadHeader(f, at, end, &found)) {
        bool match = true;
        if (search == MMIO_FINDCHUNK) match = found.ckid == wantedId;
        // A type of 0 asks for the first RIFF (or LIST) chunk of any type.
        if (search == MMIO_FINDRIFF)
            match = found.ckid == FOURCC_RIFF && (wantedType == 0 || found.fccType == wantedType);
        if (search == MMIO_FINDLIST)
            match = found.ckid == FOURCC_LIST && (wantedType == 0 || found.fccType == wantedType);
        if (match) {
            *chunk = found;
            const bool typed = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
            f.position = static_cast<std::uint64_t>(found.dwDataOffset) + (typed ? 4 : 0);
            return MMSYSERR_NOERROR;
        }
        if (search == 0) break;
        at = ChunkEnd(found);
    }
    f.position = start;
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT) {
    if (!Known(file)) return MMSYSERR_INVALHANDLE;
    if (!chunk) return MMSYSERR_INVALPARAM;
    // A chunk that claims to run past the end of the file stops at the end.
    file->position = std::min(ChunkEnd(*chunk), file->size);
    return MMSYSERR_NOERROR;
}
