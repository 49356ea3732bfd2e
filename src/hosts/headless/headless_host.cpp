// The headless host: virtual clock, scripted input, trace file, frame captures and sound file.
#include "hosts/headless/headless_host.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "hosts/common/frame_pixels.h"
#include "hosts/common/png_writer.h"

namespace host {
namespace {

// The headless mix runs in pieces of at most this many frames.
constexpr int kMixPieceFrames = 4096;

}  // namespace

HeadlessHost::HeadlessHost(HeadlessOptions options)
    : options_(std::move(options)),
      controls_(options_.controls, [this](int virtualKey, int scanCode, bool down,
                                          bool repeat) { platform_->DeliverKey(virtualKey, scanCode, down, repeat); }),
      clock_(static_cast<std::uint64_t>(options_.startTick) << kClockFractionBits), mixedTick_(options_.startTick) {
    if (!options_.tracePath.empty()) {
        trace_ = std::fopen(options_.tracePath.c_str(), "w");
        if (!trace_) {
            std::fprintf(stderr, "trundlebop: cannot write the trace %s\n", options_.tracePath.c_str());
            outputsOk_ = false;
        }
    }
    std::string error;
    if (!options_.audioOutPath.empty() && !audio_.Open(options_.audioOutPath, error)) {
        std::fprintf(stderr, "trundlebop: %s\n", error.c_str());
        outputsOk_ = false;
    }
}

void HeadlessHost::Connect(Platform& platform) {
    platform_ = &platform;
    controls_.Connect(platform);
}

HeadlessHost::~HeadlessHost() {
    if (trace_ && std::fclose(trace_) != 0) {
        trace_ = nullptr;
        TraceFailed();
    }
    FinishAudio();
}

void HeadlessHost::TraceFailed() {
    std::fprintf(stderr, "trundlebop: cannot write the trace %s: %s\n", options_.tracePath.c_str(),
                 std::strerror(errno));
    outputsOk_ = false;
    if (trace_) std::fclose(trace_);
    trace_ = nullptr;
}

void HeadlessHost::FinishOutputs() {
    FinishAudio();
    for (const auto& [pass, file] : options_.shots) {
        if (shotsTaken_.count(pass)) continue;
        std::fprintf(stderr, "trundlebop: no capture %s: the run presented no frame at pass %d\n", file.c_str(), pass);
        outputsOk_ = false;
    }
}

void HeadlessHost::FinishAudio() {
    std::string error;
    if (audio_.IsOpen() && !audio_.Close(error)) {
        std::fprintf(stderr, "trundlebop: %s\n", error.c_str());
        outputsOk_ = false;
    }
}

// Every pass mixes the sound of the virtual time since the one before (or, when the
// options say so, a fixed stretch each pass), whether or not it is kept: the voices move on
// as they would on a sound card, and a sound played once ends when its samples have gone
// by. Frames are counted in thousandths so that no millisecond's share of a frame is lost:
// after T milliseconds exactly T * rate / 1000 frames (rounded down) have been mixed.
void HeadlessHost::MixPassSound() {
    const std::int32_t elapsed = static_cast<std::int32_t>(Now() - mixedTick_);
    mixedTick_ = Now();
    std::uint64_t milliseconds = 0;
    if (options_.mixMillisecondsEachPass > 0) {
        if (pass_ == 0) return;  // no pass has ended yet
        milliseconds = options_.mixMillisecondsEachPass;
    } else {
        if (elapsed <= 0) return;  // a clock set back by a test: nothing to play
        milliseconds = static_cast<std::uint64_t>(elapsed);
    }
    const std::uint64_t thousandths = milliseconds * kMixRate + mixRemainder_;
    std::uint64_t frames = thousandths / 1000;
    mixRemainder_ = static_cast<std::uint32_t>(thousandths % 1000);
    if (mixBuffer_.empty()) mixBuffer_.resize(kMixPieceFrames * 2);
    while (frames > 0) {
        const int piece = static_cast<int>(std::min<std::uint64_t>(frames, kMixPieceFrames));
        platform_->MixAudio(mixBuffer_.data(), piece, kMixRate);
        if (audio_.IsOpen()) WriteAudio(mixBuffer_.data(), piece);
        framesMixed_ += static_cast<std::uint64_t>(piece);
        frames -= static_cast<std::uint64_t>(piece);
    }
}

void HeadlessHost::WriteAudio(const std::int16_t* stereo, int frames) {
    std::string error;
    if (audio_.Write(stereo, frames, error)) return;
    // The file keeps the whole frames it took, its header telling just those, and nothing
    // more goes into it.
    std::string closing;
    audio_.Close(closing);
    std::fprintf(stderr, "trundlebop: %s; it keeps the first %.1f seconds\n", error.c_str(),
                 static_cast<double>(audio_.DataBytes()) / (4.0 * kMixRate));
    outputsOk_ = false;
}

void HeadlessHost::OpenWindow(const char* title, int, int, const Picture*, const Picture*) {
    windowOpen_ = true;
    windowTitle_ = title ? title : "";
}

void HeadlessHost::CloseWindow() {
    windowOpen_ = false;
}

void HeadlessHost::Present(const Frame& frame) {
    ++framesPresented_;
    controls_.FrameShown(frame, Calendar());
    const auto shot = options_.shots.find(pass_);
    if (shot == options_.shots.end() && !options_.keepLastFrame) return;
    std::vector<std::uint32_t> rgb = FrameToRgb(frame);
    if (shot != options_.shots.end()) shotsTaken_.insert(pass_);
    std::string error;
    if (shot != options_.shots.end() && !WritePng(shot->second, rgb, frame.width, frame.height, error)) {
        std::fprintf(stderr, "trundlebop: no capture: %s\n", error.c_str());
        outputsOk_ = false;
    }
    if (options_.keepLastFrame) {
        lastFrame_ = std::move(rgb);
        lastWidth_ = frame.width;
        lastHeight_ = frame.height;
    }
}

void HeadlessHost::PumpInput() {
    MixPassSound();
    ++pass_;
    if (options_.maxPasses > 0 && pass_ > options_.maxPasses) {
        platform_->DeliverQuit(0);
        return;
    }
    while (nextEvent_ < options_.script.size() && options_.script[nextEvent_].pass <= pass_) {
        DeliverScriptEvent(options_.script[nextEvent_++], controls_, *platform_);
    }
}

// Time moves only when the clock is read: each reading is a fixed step after the last.
// The frame clock reads once at the start of a pass, then until its 30 ms are up, then
// once more; with steps of a 64th of a millisecond the wait ends on the first reading of
// its 30th millisecond and the two readings after it fall in the same millisecond, so
// every pass starts exactly 30 ms after the one before.
std::uint32_t HeadlessHost::Milliseconds() {
    const std::uint32_t now = Now();
    const std::uint64_t step = options_.millisecondsPerReading == 0
                                   ? 1
                                   : static_cast<std::uint64_t>(options_.millisecondsPerReading) << kClockFractionBits;
    clock_ += step;
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
    if (std::fflush(trace_) != 0 || std::ferror(trace_)) TraceFailed();
}

}  // namespace host
