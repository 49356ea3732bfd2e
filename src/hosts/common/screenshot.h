// Screenshots: the frame on show saved as a PNG file in the player's folder.
#pragma once

#include <string>

#include "hosts/host.h"

namespace host {

// "trundlebop-YYYYMMDD-HHMMSS-NNN.png" for the local time `when`, NNN its milliseconds.
std::string ScreenshotName(const CalendarTime& when);

// Saves `frame` in `folder` (made when missing) under the name of `when`, moving NNN on
// past names already taken. True with the file's path in `path`; false with the reason in
// `error`.
bool SaveScreenshot(const Frame& frame, const std::string& folder, CalendarTime when, std::string& path,
                    std::string& error);

}  // namespace host
