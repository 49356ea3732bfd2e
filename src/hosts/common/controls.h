// The player's controls every host shares: the volume keys (F5/F6 music down/up, F7/F8
// effects down/up, F9 mute), the screenshot key (F12), and the key and pad bindings through
// which everything else reaches the game.
#pragma once

#include <string>

#include "hosts/common/input_map.h"
#include "hosts/host.h"

namespace host {

// The player's volumes, 0 to 100, linear in amplitude: 50 is half as loud.
struct Volumes {
    int music = 100;
    int effects = 100;
    bool mute = false;
};
bool operator==(const Volumes& a, const Volumes& b);

struct ControlOptions {
    Bindings bindings;
    Volumes volumes;
    std::string screenshotFolder;  // where F12 saves
};

// The short note a host may show over the picture when a volume changes.
struct VolumeNote {
    std::string text;  // e.g. "MUSIC 70", "EFFECTS 0", "SOUND MUTED"
    int level = -1;    // 0 to 10 for a bar under the text, -1 for none
};

class Controls {
public:
    // Keys for the game go to `sink`; the volumes go to the platform once connected.
    Controls(ControlOptions options, InputMap::Sink sink);

    // Called by the host as it is connected: sets the platform's mix to the volumes at once,
    // and to each change after.
    void Connect(Platform& platform);

    enum class Outcome { ToGame, VolumeChanged, ScreenshotAsked, Kept };
    // A keyboard key: the volume and screenshot keys stay with the host (unless bound to a
    // game key); the rest go to the game through the bindings.
    Outcome Key(int virtualKey, int scanCode, bool down, bool repeat);
    InputMap& Input() { return input_; }

    const Volumes& CurrentVolumes() const { return volumes_; }
    const VolumeNote& Note() const { return note_; }

    // Called with each frame the host shows: the first after F12 is saved, and its path
    // printed on stdout (or why not on stderr).
    void FrameShown(const Frame& frame, CalendarTime when);
    bool ScreenshotPending() const { return screenshotPending_; }

private:
    void ApplyVolumes() const;
    void StepVolume(int& volume, int step, const char* name);

    InputMap input_;
    Platform* platform_ = &Unconnected();
    Volumes volumes_;
    std::string screenshotFolder_;
    VolumeNote note_;
    bool screenshotPending_ = false;
};

}  // namespace host
