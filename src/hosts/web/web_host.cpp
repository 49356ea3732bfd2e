// The web host: the page's canvas, input and sound behind the seam.
#include "hosts/web/web_host.h"

#include <dirent.h>
#include <unistd.h>

#include <ctime>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "hosts/common/note_picture.h"
#include "hosts/key_codes.h"
#include "hosts/web/canvas_pixels.h"
#include "hosts/web/page.h"
#include "hosts/web/web_clock.h"
#include "hosts/web/web_keymap.h"

namespace host {
namespace {

namespace page = web::page;

constexpr int kPassMilliseconds = 30;
constexpr int kPassFrames = kMixRate * kPassMilliseconds / 1000;
constexpr int kNoteMilliseconds = 1500;
constexpr int kNoteInset = 16;
constexpr int kPictureWidth = 640;

class WebHost final : public Host {
public:
    explicit WebHost(WebOptions options)
        : options_(std::move(options)),
          clock_([] { return page::Now(); }, [](double ms) { page::Wait(ms); }, [] { page::Yield(); }),
          controls_(options_.controls, [this](int virtualKey, int scanCode, bool down, bool repeat) {
              if (options_.recorder) options_.recorder->Key(passesStarted_, virtualKey, scanCode, down, repeat);
              platform_->DeliverKey(virtualKey, scanCode, down, repeat);
          }) {}

    void Connect(Platform& platform) override {
        platform_ = &platform;
        controls_.Connect(platform);
    }
    void OpenWindow(const char* title, int width, int height, const Picture* /*icon*/,
                    const Picture* /*cursor*/) override {
        page::OpenCanvas(title ? title : "", width, height);
    }
    void CloseWindow() override {}

    void Present(const Frame& frame) override {
        if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
        page::ShowPicture(canvasPixels_.Convert(frame), frame.width, frame.height);
        if (controls_.ScreenshotPending()) {
            controls_.FrameShown(frame, Calendar());
            OfferScreenshots();
        }
        clock_.FrameShown();
    }

    void PumpInput() override {
        clock_.PassBegins();
        page::PassBegins();
        if (passesStarted_++ > 0) {
            platform_->MixAudio(sound_.data(), kPassFrames, kMixRate);
            page::PlaySound(sound_.data(), kPassFrames);
        }
        while (!levelKeys_.empty() && levelKeys_.front().pass <= passesStarted_) {
            const LevelKey key = levelKeys_.front();
            levelKeys_.pop_front();
            controls_.Key(key.virtualKey, key.scanCode, key.down, false);
        }
        for (page::Event event = page::NextEvent(); event.kind != page::EventKind::None; event = page::NextEvent())
            Handle(event);
    }

    std::uint32_t Milliseconds() override { return clock_.Read(); }
    double PreciseMilliseconds() override { return clock_.Precise(); }
    CalendarTime Calendar() override {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return CalendarTime{static_cast<std::int64_t>(now.tv_sec), static_cast<std::uint16_t>(now.tv_nsec / 1000000)};
    }
    void SetCursorVisible(bool visible) override { page::SetCursorVisible(visible); }
    // The page keeps the last pass's record, so its tests can see where the game is.
    bool TraceWanted() override { return true; }
    void TraceRecord(const std::string& fields) override {
        page::Trace("{\"pass\":" + std::to_string(passesStarted_) + (fields.empty() ? "" : ",") + fields + "}");
    }
    bool HasSoundDevice() override { return true; }

private:
    struct LevelKey {
        int pass;
        int virtualKey;
        int scanCode;
        bool down;
    };

    void Handle(const page::Event& event) {
        switch (event.kind) {
            case page::EventKind::Key: {
                const web::KeyCodes codes = web::MapKey(event.position.c_str(), event.meaning.c_str());
                if (codes.virtualKey == 0 && codes.scanCode == 0) return;
                if (controls_.Key(codes.virtualKey, codes.scanCode, event.a != 0, event.b != 0) ==
                    Controls::Outcome::VolumeChanged) {
                    ShowNote();
                    if (options_.volumesChanged) options_.volumesChanged(controls_.CurrentVolumes());
                }
                return;
            }
            case page::EventKind::Click:
                if (options_.recorder) options_.recorder->Click(passesStarted_, event.a, event.b, event.c != 0);
                platform_->DeliverClick(event.a, event.b, event.c != 0);
                return;
            case page::EventKind::PadButton:
                if (event.b >= 0 && event.b < kPadButtonCount && options_.controls.bindings.padEnabled)
                    controls_.Input().Pad(event.a, static_cast<PadButton>(event.b), event.c != 0);
                return;
            case page::EventKind::Stick:
                if (options_.controls.bindings.padEnabled) controls_.Input().Stick(event.a, event.b, event.c);
                return;
            case page::EventKind::PadGone:
                controls_.Input().ReleasePad(event.a);
                return;
            case page::EventKind::Level:
                SwitchLevel(event.a);
                return;
            case page::EventKind::Close:
                if (options_.recorder) options_.recorder->Close(passesStarted_);
                platform_->DeliverClose();
                return;
            case page::EventKind::None:
                return;
        }
    }

    // Ctrl+1..3, which browsers keep for switching tabs, from the page's level buttons: Ctrl
    // goes down, the digit is tapped on the next pass and Ctrl comes up after it, as a
    // player's fingers would.
    void SwitchLevel(int level) {
        if (level < 1 || level > 3) return;
        constexpr int kCtrlScan = 0x1D;
        const int digit = '0' + level;
        const int digitScan = 0x01 + level;
        const int at = passesStarted_ + 1;
        levelKeys_.push_back({at, VK_CONTROL, kCtrlScan, true});
        levelKeys_.push_back({at + 1, digit, digitScan, true});
        levelKeys_.push_back({at + 2, digit, digitScan, false});
        levelKeys_.push_back({at + 3, VK_CONTROL, kCtrlScan, false});
    }

    void ShowNote() {
        const Picture note = DrawVolumeNote(controls_.Note());
        page::ShowNote(note.argb.data(), note.width, note.height, kPictureWidth - kNoteInset - note.width, kNoteInset,
                       kNoteMilliseconds);
    }

    // The screenshots F12 saved in the program's file system, offered as downloads and let go.
    void OfferScreenshots() {
        const std::string& folder = options_.controls.screenshotFolder;
        DIR* dir = opendir(folder.c_str());
        if (!dir) return;
        std::vector<std::string> names;
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) names.push_back(name);
        }
        closedir(dir);
        for (const std::string& name : names) {
            const std::string path = folder + "/" + name;
            page::Download(path.c_str(), name.c_str());
            unlink(path.c_str());
        }
    }

    WebOptions options_;
    Platform* platform_ = &Unconnected();
    web::WebClock clock_;
    Controls controls_;
    int passesStarted_ = 0;
    std::vector<std::int16_t> sound_ = std::vector<std::int16_t>(2 * kPassFrames);
    web::CanvasPixels canvasPixels_;
    std::deque<LevelKey> levelKeys_;
};

}  // namespace

std::unique_ptr<Host> MakeWebHost(const WebOptions& options) {
    return std::make_unique<WebHost>(options);
}

}  // namespace host
