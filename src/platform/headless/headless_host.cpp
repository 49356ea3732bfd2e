// The headless host: virtual clock, scripted input, trace file and frame captures.
#include "platform/headless/headless_host.h"

#include <cstdio>
#include <utility>

#include "platform/headless/png_writer.h"

namespace host {

std::vector<std::uint32_t> FrameToRgb(const Frame& frame) {
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(frame.width) * frame.height);
    const auto* bytes = static_cast<const std::uint8_t*>(frame.pixels);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = bytes + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::uint32_t* out = rgb.data() + static_cast<std::size_t>(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) {
            std::uint32_t r = 0, g = 0, b = 0;
            if (frame.layout == PixelLayout::Indexed8) {
                const std::uint8_t* entry = frame.palette ? frame.palette + row[x] * 4 : nullptr;
                if (entry) {
                    r = entry[0];
                    g = entry[1];
                    b = entry[2];
                }
            } else {
                const std::uint32_t p = static_cast<std::uint32_t>(row[x * 2] | (row[x * 2 + 1] << 8));
                if (frame.layout == PixelLayout::Rgb565) {
                    r = (p >> 11) & 31;
                    g = (p >> 5) & 63;
                    b = p & 31;
                    r = (r << 3) | (r >> 2);
                    g = (g << 2) | (g >> 4);
                } else {
                    r = (p >> 10) & 31;
                    g = (p >> 5) & 31;
                    b = p & 31;
                    r = (r << 3) | (r >> 2);
                    g = (g << 3) | (g >> 2);
                }
                b = (b << 3) | (b >> 2);
            }
            out[x] = (r << 16) | (g << 8) | b;
        }
    }
    return rgb;
}

HeadlessHost::HeadlessHost(HeadlessOptions options) : options_(std::move(options)), tick_(options_.startTick) {
    if (!options_.tracePath.empty()) {
        trace_ = std::fopen(options_.tracePath.c_str(), "w");
        if (!trace_) {
            std::fprintf(stderr, "trundlebop: cannot write the trace %s\n", options_.tracePath.c_str());
            outputsOk_ = false;
        }
    }
}

HeadlessHost::~HeadlessHost() {
    if (trace_) std::fclose(trace_);
}

void HeadlessHost::OpenWindow(const char* title, int, int, HICON, HCURSOR) {
    windowOpen_ = true;
    windowTitle_ = title ? title : "";
}

void HeadlessHost::CloseWindow() {
    windowOpen_ = false;
}

void HeadlessHost::Present(const Frame& frame) {
    ++framesPresented_;
    const auto shot = options_.shots.find(pass_);
    if (shot == options_.shots.end() && !options_.keepLastFrame) return;
    std::vector<std::uint32_t> rgb = FrameToRgb(frame);
    if (shot != options_.shots.end() && !WritePng(shot->second, rgb, frame.width, frame.height)) {
        std::fprintf(stderr, "trundlebop: cannot write the capture %s\n", shot->second.c_str());
        outputsOk_ = false;
    }
    if (options_.keepLastFrame) {
        lastFrame_ = std::move(rgb);
        lastWidth_ = frame.width;
        lastHeight_ = frame.height;
    }
}

void HeadlessHost::PumpInput() {
    ++pass_;
    if (options_.maxPasses > 0 && pass_ > options_.maxPasses) {
        DeliverQuit(0);
        return;
    }
    while (nextEvent_ < options_.script.size() && options_.script[nextEvent_].pass <= pass_) {
        const ScriptEvent& event = options_.script[nextEvent_++];
        switch (event.kind) {
            case ScriptEvent::Kind::KeyDown:
                DeliverKey(event.virtualKey, event.scanCode, true);
                break;
            case ScriptEvent::Kind::KeyUp:
                DeliverKey(event.virtualKey, event.scanCode, false);
                break;
            case ScriptEvent::Kind::Click:
                DeliverClick(event.x, event.y, false);
                break;
            case ScriptEvent::Kind::Close:
                DeliverClose();
                break;
        }
    }
}

// Time moves only when the clock is read: each reading is a fixed step after the last
// (one millisecond; a whole frame period in a timedemo, so that the frame clock never waits).
std::uint32_t HeadlessHost::Milliseconds() {
    const std::uint32_t now = tick_;
    tick_ += options_.millisecondsPerReading;
    return now;
}

CalendarTime HeadlessHost::Calendar() {
    return CalendarTime{options_.calendarSeconds, 0};
}

void HeadlessHost::SetCursorVisible(bool visible) {
    cursorVisible_ = visible;
}

bool HeadlessHost::TraceWanted() {
    return trace_ != nullptr;
}

void HeadlessHost::TraceRecord(const std::string& fields) {
    if (!trace_) return;
    if (fields.empty())
        std::fprintf(trace_, "{\"pass\":%d}\n", pass_);
    else
        std::fprintf(trace_, "{\"pass\":%d,%s}\n", pass_, fields.c_str());
    if (std::fflush(trace_) != 0) outputsOk_ = false;
}

}  // namespace host
