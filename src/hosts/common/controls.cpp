// The volume and screenshot keys, and the bindings for the rest.
#include "hosts/common/controls.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "hosts/common/screenshot.h"
#include "hosts/key_codes.h"

namespace host {
namespace {

constexpr int kVolumeStep = 10;

}  // namespace

bool operator==(const Volumes& a, const Volumes& b) {
    return a.music == b.music && a.effects == b.effects && a.mute == b.mute;
}

Controls::Controls(ControlOptions options, InputMap::Sink sink)
    : input_(std::move(options.bindings), std::move(sink)), volumes_(options.volumes),
      screenshotFolder_(std::move(options.screenshotFolder)) {
    volumes_.music = std::clamp(volumes_.music, 0, 100);
    volumes_.effects = std::clamp(volumes_.effects, 0, 100);
}

void Controls::Connect(Platform& platform) {
    platform_ = &platform;
    ApplyVolumes();
}

void Controls::ApplyVolumes() const {
    const float music = volumes_.mute ? 0.0f : static_cast<float>(volumes_.music) / 100.0f;
    const float effects = volumes_.mute ? 0.0f : static_cast<float>(volumes_.effects) / 100.0f;
    platform_->SetMixVolumes(music, effects);
}

void Controls::StepVolume(int& volume, int step, const char* name) {
    volume = std::clamp(volume + step, 0, 100);
    note_.text = std::string(name) + " " + std::to_string(volume) + (volumes_.mute ? " MUTED" : "");
    note_.level = volume / kVolumeStep;
}

Controls::Outcome Controls::Key(int virtualKey, int scanCode, bool down, bool repeat) {
    const bool hostKey = (virtualKey >= VK_F5 && virtualKey <= VK_F9) || virtualKey == VK_F12;
    if (!hostKey || input_.Bound(virtualKey)) {
        input_.Key(virtualKey, scanCode, down, repeat);
        return Outcome::ToGame;
    }
    if (!down) return Outcome::Kept;
    // Held volume keys keep stepping; a held mute or screenshot key does it once.
    switch (virtualKey) {
        case VK_F5:
            StepVolume(volumes_.music, -kVolumeStep, "MUSIC");
            break;
        case VK_F6:
            StepVolume(volumes_.music, kVolumeStep, "MUSIC");
            break;
        case VK_F7:
            StepVolume(volumes_.effects, -kVolumeStep, "EFFECTS");
            break;
        case VK_F8:
            StepVolume(volumes_.effects, kVolumeStep, "EFFECTS");
            break;
        case VK_F9:
            if (repeat) return Outcome::Kept;
            volumes_.mute = !volumes_.mute;
            note_.text = volumes_.mute ? "SOUND MUTED" : "SOUND ON";
            note_.level = -1;
            break;
        default:  // F12
            if (repeat) return Outcome::Kept;
            screenshotPending_ = true;
            return Outcome::ScreenshotAsked;
    }
    ApplyVolumes();
    return Outcome::VolumeChanged;
}

void Controls::FrameShown(const Frame& frame, CalendarTime when) {
    if (!screenshotPending_) return;
    screenshotPending_ = false;
    std::string path, error;
    if (SaveScreenshot(frame, screenshotFolder_, when, path, error)) {
        std::printf("trundlebop: screenshot saved as %s\n", path.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "trundlebop: no screenshot: %s\n", error.c_str());
    }
}

}  // namespace host
