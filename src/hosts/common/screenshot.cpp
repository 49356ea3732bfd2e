// Screenshots: naming by the local time and writing through the PNG writer.
#include "hosts/common/screenshot.h"

#include <time.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "hosts/common/frame_pixels.h"
#include "hosts/common/png_writer.h"

namespace host {

std::string ScreenshotName(const CalendarTime& when) {
    const time_t seconds = static_cast<time_t>(when.seconds);
    struct tm local {};
    localtime_r(&seconds, &local);
    char name[64];
    std::snprintf(name, sizeof name, "trundlebop-%04d%02d%02d-%02d%02d%02d-%03d.png", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(when.milliseconds % 1000));
    return name;
}

bool SaveScreenshot(const Frame& frame, const std::string& folder, CalendarTime when, std::string& path,
                    std::string& error) {
    namespace fs = std::filesystem;
    if (folder.empty()) {
        error = "no folder for screenshots (set screenshot_dir in the settings file)";
        return false;
    }
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure || !fs::is_directory(folder)) {
        error = "cannot make the folder " + folder + (failure ? ": " + failure.message() : "");
        return false;
    }
    // Two screenshots in one millisecond (or in one headless run, whose clock stands
    // still) take the next free number.
    for (int tries = 0; tries < 1000; ++tries) {
        const fs::path candidate = fs::path(folder) / ScreenshotName(when);
        when.milliseconds = static_cast<std::uint16_t>((when.milliseconds + 1) % 1000);
        if (fs::exists(candidate, failure)) continue;
        path = candidate.string();
        return WritePng(path, FrameToRgb(frame), frame.width, frame.height, error);
    }
    error = "every name for this second is taken in " + folder;
    return false;
}

}  // namespace host
