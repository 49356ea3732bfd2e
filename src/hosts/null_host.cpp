// The null host: every call does nothing but keep time.
#include "hosts/null_host.h"

#include <chrono>

namespace host {

void NullHost::OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) {
    (void)title, (void)width, (void)height, (void)icon, (void)cursor;
}

void NullHost::Present(const Frame& frame) {
    (void)frame;
}

std::uint32_t NullHost::Milliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

CalendarTime NullHost::Calendar() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return CalendarTime{ms / 1000, static_cast<std::uint16_t>(ms % 1000)};
}

}  // namespace host
