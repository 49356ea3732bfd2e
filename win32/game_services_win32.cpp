// The game's services on Windows: the calendar and local time from the C library, game files
// opened with fopen (a damaged one named on stderr), and, when the environment asks, a trace and
// pictures of chosen passes.
//
//   TRUNDLEBOP_TIME=S              the calendar reads S seconds, so a run can be compared with
//                                  a headless run given --time S
//   TRUNDLEBOP_TRACE=FILE          one JSON object a line per pass, as the headless host writes
//   TRUNDLEBOP_CAPTURE=DIR         with TRUNDLEBOP_CAPTURE_PASSES=P,Q,...: after each of those
//                                  passes the frame just presented is written to DIR/pass-P.bmp
//
// The game builds its pass record only when TraceEnabled() says so, once a pass after the
// frame is presented; the pass count and the pictures hang off that record, so a capture run
// builds it too. This file reads the display's surfaces for the pictures, which is why it sits
// beside the platform headers rather than in the layers of src.
#include <sys/timeb.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>

#include "common/game_services.h"
#include "gfx/display.h"

namespace {

struct RunOptions {
    bool haveTime = false;
    std::int64_t timeSeconds = 0;
    std::FILE* trace = nullptr;
    std::string captureDir;
    std::set<int> capturePasses;
    int pass = 0;
};

RunOptions ReadRunOptions() {
    RunOptions options;
    if (const char* time = std::getenv("TRUNDLEBOP_TIME")) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(time, &end, 10);
        if (end != time && *end == '\0' && errno == 0) {
            options.haveTime = true;
            options.timeSeconds = seconds;
        } else {
            std::fprintf(stderr, "trundlebop: TRUNDLEBOP_TIME=%s is not whole seconds; the clock is used\n", time);
        }
    }
    if (const char* path = std::getenv("TRUNDLEBOP_TRACE")) {
        options.trace = std::fopen(path, "w");
        if (!options.trace) std::fprintf(stderr, "trundlebop: cannot write the trace %s\n", path);
    }
    const char* dir = std::getenv("TRUNDLEBOP_CAPTURE");
    const char* passes = std::getenv("TRUNDLEBOP_CAPTURE_PASSES");
    if (dir && passes) {
        options.captureDir = dir;
        for (const char* p = passes; *p;) {
            char* end = nullptr;
            const long pass = std::strtol(p, &end, 10);
            if (end == p) break;
            if (pass > 0) options.capturePasses.insert(static_cast<int>(pass));
            p = *end == ',' ? end + 1 : end;
        }
    }
    return options;
}

RunOptions& Options() {
    static RunOptions options = ReadRunOptions();
    return options;
}

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Writes the primary surface, which holds the frame the pass just presented, as a 16-bit
// bottom-up bitmap whose colour masks are the ones the surface reports.
void CapturePass(int pass) {
    const RunOptions& options = Options();
    char path[1024];
    std::snprintf(path, sizeof(path), "%s/pass-%05d.bmp", options.captureDir.c_str(), pass);
    if (!primarySurface) {
        std::fprintf(stderr, "trundlebop: no capture %s: no display\n", path);
        return;
    }
    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof(format));
    format.dwSize = sizeof(format);
    if (FAILED(primarySurface->GetPixelFormat(&format)) || format.dwRGBBitCount != 16) {
        std::fprintf(stderr, "trundlebop: no capture %s: the display is not 16 bits a pixel\n", path);
        return;
    }
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    const HRESULT locked = primarySurface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr);
    if (FAILED(locked)) {
        std::fprintf(stderr, "trundlebop: no capture %s: Lock answered 0x%08lx\n", path,
                     static_cast<unsigned long>(locked));
        return;
    }
    const int width = static_cast<int>(desc.dwWidth);
    const int height = static_cast<int>(desc.dwHeight);
    const int rowBytes = (width * 2 + 3) & ~3;
    const std::uint32_t headerBytes = 14 + 40 + 12;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * height;
    std::uint8_t header[14 + 40 + 12] = {};
    header[0] = 'B';
    header[1] = 'M';
    PutLittleEndian(header + 2, headerBytes + imageBytes, 4);
    PutLittleEndian(header + 10, headerBytes, 4);
    PutLittleEndian(header + 14, 40, 4);
    PutLittleEndian(header + 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(header + 22, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(header + 26, 1, 2);
    PutLittleEndian(header + 28, 16, 2);
    PutLittleEndian(header + 30, 3, 4);  // the colours are given by the masks that follow
    PutLittleEndian(header + 34, imageBytes, 4);
    PutLittleEndian(header + 54, format.dwRBitMask, 4);
    PutLittleEndian(header + 58, format.dwGBitMask, 4);
    PutLittleEndian(header + 62, format.dwBBitMask, 4);
    std::FILE* file = std::fopen(path, "wb");
    bool ok = file && std::fwrite(header, 1, sizeof(header), file) == sizeof(header);
    const std::uint8_t padding[4] = {};
    for (int y = height - 1; ok && y >= 0; --y) {
        const auto* row =
            static_cast<const std::uint8_t*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
        ok = std::fwrite(row, 1, static_cast<std::size_t>(width) * 2, file) == static_cast<std::size_t>(width) * 2 &&
             std::fwrite(padding, 1, rowBytes - width * 2, file) == static_cast<std::size_t>(rowBytes - width * 2);
    }
    primarySurface->Unlock(nullptr);
    if (file && std::fclose(file) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "trundlebop: cannot write the capture %s\n", path);
}

}  // namespace

namespace services {

CalendarTime CalendarNow() {
    const RunOptions& options = Options();
    if (options.haveTime) return CalendarTime{options.timeSeconds, 0};
    __timeb64 now{};
    _ftime64(&now);
    return CalendarTime{static_cast<std::int64_t>(now.time), static_cast<std::uint16_t>(now.millitm)};
}

bool LocalTime(std::int64_t seconds, std::tm* local) {
    const __time64_t time = seconds;
    std::tm broken{};
    if (_localtime64_s(&broken, &time) != 0) return false;
    *local = broken;
    return true;
}

bool TraceEnabled() {
    const RunOptions& options = Options();
    return options.trace != nullptr || !options.capturePasses.empty();
}

void WriteTraceRecord(const std::string& fields) {
    RunOptions& options = Options();
    const int pass = ++options.pass;
    if (options.trace) {
        if (fields.empty())
            std::fprintf(options.trace, "{\"pass\":%d}\n", pass);
        else
            std::fprintf(options.trace, "{\"pass\":%d,%s}\n", pass, fields.c_str());
        std::fflush(options.trace);
    }
    if (options.capturePasses.count(pass)) CapturePass(pass);
}

std::FILE* OpenForReading(const char* path) {
    return std::fopen(path, "rb");
}

void ReportDamagedFile(const char* fileName) {
    static std::set<std::string> reported;
    if (!fileName || !reported.insert(fileName).second) return;
    std::fprintf(stderr, "trundlebop: the game file %s is damaged; the game goes on without it\n", fileName);
}

}  // namespace services
