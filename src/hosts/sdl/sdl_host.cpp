// The SDL host: window, letterboxed presentation, keyboard, mouse and pads, sound, clocks and cursor.
#include "hosts/sdl/sdl_host.h"

#include <SDL.h>
#include <sys/prctl.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "hosts/sdl/paced_clock.h"
#include "hosts/sdl/pass_sound.h"
#include "hosts/sdl/sdl_keymap.h"
#include "hosts/sdl/sdl_note.h"
#include "hosts/sdl/sdl_pads.h"
#include "hosts/sdl/sdl_renderer.h"
#include "hosts/sdl/sdl_sound.h"

namespace host {
namespace {

// Lends a picture's pixels to SDL as a surface without copying them; the window icon
// and the cursor take their own copies, so the surface may go right after.
SDL_Surface* SurfaceOf(const Picture& image) {
    if (image.width <= 0 || image.height <= 0) return nullptr;
    if (image.argb.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return nullptr;
    }
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(image.argb.data()), image.width, image.height,
                                              32, image.width * 4, SDL_PIXELFORMAT_ARGB8888);
}

std::int64_t MonotonicMicroseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

void SleepMicroseconds(std::int64_t microseconds) {
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

Uint32 TextureFormatFor(PixelLayout layout) {
    switch (layout) {
        case PixelLayout::Rgb565:
            return SDL_PIXELFORMAT_RGB565;
        case PixelLayout::Rgb555:
            return SDL_PIXELFORMAT_RGB555;
        case PixelLayout::Indexed8:
            return SDL_PIXELFORMAT_RGB888;  // we expand through the palette
    }
    return SDL_PIXELFORMAT_RGB888;
}

class SdlHost final : public Host {
public:
    explicit SdlHost(const SdlOptions& options)
        : options_(options), fullscreen_(options.fullscreen),
          controls_(options.controls, [this](int virtualKey, int scanCode, bool down, bool repeat) {
              if (options_.recorder) options_.recorder->Key(passesStarted_, virtualKey, scanCode, down, repeat);
              platform_->DeliverKey(virtualKey, scanCode, down, repeat);
          }) {
        if (options_.scale < 1) options_.scale = 1;
        // The clock sleeps to the start of each millisecond while the frame clock waits;
        // the least timer slack wakes it close to that start.
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        audioDevice_ = sdl::OpenSoundDevice(&SdlHost::PullSound, this);
        if (options_.controls.bindings.padEnabled && !options_.demo)
            pads_ = std::make_unique<sdl::Pads>(controls_.Input());
        Report();
    }

    ~SdlHost() override {
        if (audioDevice_ != 0) {
            SDL_CloseAudioDevice(audioDevice_);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        pads_.reset();
        CloseWindow();
        if (cursor_) SDL_FreeCursor(cursor_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void Connect(Platform& platform) override {
        platform_ = &platform;
        controls_.Connect(platform);
    }

    void OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) override {
        CloseWindow();
        logicalWidth_ = width > 0 ? width : 640;
        logicalHeight_ = height > 0 ? height : 480;
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");

        if (fullscreen_) {
            // The window is made as large as the desktop from the start: a full-screen
            // window made at the game's size keeps that size on an X display with no
            // window manager while the picture is drawn for the whole desktop.
            const SDL_Rect desktop = DesktopBounds(0);
            window_ = SDL_CreateWindow(title ? title : "", desktop.x, desktop.y, desktop.w, desktop.h,
                                       SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | kHighDpi);
        } else {
            const int scale = WindowScale(0);
            window_ = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       logicalWidth_ * scale, logicalHeight_ * scale, SDL_WINDOW_RESIZABLE | kHighDpi);
        }
        if (!window_) {
            std::fprintf(stderr, "Trundlebop: the window could not open: %s\n", SDL_GetError());
            return;
        }

        renderer_ = sdl::CreateRenderer(window_);
        slowPresents_ = 0;
        if (!renderer_) {
            std::fprintf(stderr, "Trundlebop: nothing can draw in the window: %s\n", SDL_GetError());
            return;
        }
        // Scaled to fit with its proportions kept (or by the largest whole multiple that fits),
        // black bars where the display's shape differs. The renderer works in the window's
        // real pixels and turns mouse positions back into the picture's.
        SDL_RenderSetLogicalSize(renderer_, logicalWidth_, logicalHeight_);
        SDL_RenderSetIntegerScale(renderer_, options_.integerScale ? SDL_TRUE : SDL_FALSE);

        if (icon) {
            if (SDL_Surface* surface = SurfaceOf(*icon)) {
                SDL_SetWindowIcon(window_, surface);
                SDL_FreeSurface(surface);
            }
        }
        UseCursor(cursor);
        SDL_ShowCursor(cursorVisible_ ? SDL_ENABLE : SDL_DISABLE);
        // The game reads keys, never typed text.
        SDL_StopTextInput();
        Redraw();
        // The sound starts with the window and plays until the host goes.
        if (audioDevice_ != 0) SDL_PauseAudioDevice(audioDevice_, 0);
    }

    void CloseWindow() override {
        note_.Forget();
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        textureFilled_ = false;
        heldByHost_.fill(false);
    }

    void Present(const Frame& frame) override {
        if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
        controls_.FrameShown(frame, Calendar());
        if (!renderer_) return;
        if (!EnsureTexture(frame)) return;
        if (frame.layout == PixelLayout::Indexed8) {
            if (!frame.palette) return;
            std::array<std::uint32_t, 256> colours;
            for (int i = 0; i < 256; ++i) {
                const std::uint8_t* entry = frame.palette + i * 4;
                colours[i] = 0xFF000000u | (std::uint32_t{entry[0]} << 16) | (std::uint32_t{entry[1]} << 8) |
                             std::uint32_t{entry[2]};
            }
            staging_.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
            const auto* rows = static_cast<const std::uint8_t*>(frame.pixels);
            for (int y = 0; y < frame.height; ++y) {
                const std::uint8_t* in = rows + static_cast<std::ptrdiff_t>(y) * frame.pitch;
                std::uint32_t* out = staging_.data() + static_cast<std::size_t>(y) * frame.width;
                for (int x = 0; x < frame.width; ++x) out[x] = colours[in[x]];
            }
            SDL_UpdateTexture(texture_, nullptr, staging_.data(), frame.width * 4);
        } else {
            // 16-bit pictures go up as they are; SDL turns them into the display's format.
            SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitch);
        }
        textureFilled_ = true;
        Redraw();
    }

    void PumpInput() override {
        // The frame clock started from the reading just before.
        clock_.PassStarted(sdl::PassSound::kPassMilliseconds);
        // A pass that never said its work was done has its sound mixed as the next starts.
        MixPassSound();
        ++passesStarted_;
        passSound_.PassStarted();
        if (options_.demo) {
            const std::vector<ScriptEvent>& demo = *options_.demo;
            while (nextDemoEvent_ < demo.size() && demo[nextDemoEvent_].pass <= passesStarted_)
                DeliverScriptEvent(demo[nextDemoEvent_++], controls_, *platform_);
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (pads_ && pads_->Handle(event)) continue;
            switch (event.type) {
                case SDL_QUIT:  // the window's close button, or the program asked to stop
                    Close();
                    break;
                case SDL_KEYDOWN:
                case SDL_KEYUP:
                    OnKey(event.key);
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    OnButton(event.button);
                    break;
                case SDL_WINDOWEVENT:
                    if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                        event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                        Redraw();
                    }
                    break;
                case SDL_RENDER_DEVICE_RESET:
                    // The textures went with the device; the next picture makes a new one.
                    note_.Forget();
                    if (texture_) SDL_DestroyTexture(texture_);
                    texture_ = nullptr;
                    textureFilled_ = false;
                    break;
                default:
                    break;
            }
        }
        mixDue_ = true;
        passWorkDone_ = false;
        ReportSound();
    }

    std::uint32_t Milliseconds() override {
        // The first reading after the pass's trace point is the frame clock's wait: the
        // pass's work is done and nothing the game does before the next pass starts touches
        // its sound, so mixing it now gives the statuses a mix at the next pass start would,
        // and the device has it most of a pass sooner.
        if (passWorkDone_) {
            MixPassSound();
            clock_.PassWorkDone();
        }
        return clock_.Read();
    }

    double PreciseMilliseconds() override { return RealMilliseconds(); }

    CalendarTime Calendar() override {
        const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
        const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
        CalendarTime time;
        time.seconds = ms / 1000;
        time.milliseconds = static_cast<std::uint16_t>(ms % 1000);
        return time;
    }

    void SetCursorVisible(bool visible) override {
        cursorVisible_ = visible;
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }

    // Play keeps no trace of its own; the program's wrapper writes one when asked. The game
    // asks once a pass, when the pass's work is done and only its trace record (if any) and
    // the frame clock's wait are left.
    bool TraceWanted() override {
        passWorkDone_ = true;
        return false;
    }
    void TraceRecord(const std::string& fields) override { (void)fields; }

    bool HasSoundDevice() override { return audioDevice_ != 0; }

private:
    // Pictures in the window's real pixels on displays that have more than its size says.
    static constexpr Uint32 kHighDpi = SDL_WINDOW_ALLOW_HIGHDPI;

    // SDL's audio thread plays out the sound the passes mixed.
    static void SDLCALL PullSound(void* host, Uint8* stream, int bytes) {
        static_cast<SdlHost*>(host)->passSound_.Play(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
    }

    void MixPassSound() {
        if (!mixDue_) return;
        mixDue_ = false;
        passWorkDone_ = false;
        passSound_.MixPass(*platform_);
    }

    void ReportSound() {
        if (!options_.sound) return;
        const sdl::LatencyFigures figures = passSound_.Latency();
        options_.sound->device = audioDevice_ != 0;
        options_.sound->medianMs = figures.medianMs;
        options_.sound->latestMs = figures.latestMs;
        options_.sound->underruns = figures.underruns;
    }

    void Report() const {
        if (!options_.state) return;
        options_.state->fullscreen = fullscreen_;
        options_.state->volumes = controls_.CurrentVolumes();
    }

    // The desktop in its own units (on a hi-DPI display, fewer than its pixels).
    static SDL_Rect DesktopBounds(int display) {
        SDL_Rect bounds{0, 0, 640, 480};
        SDL_GetDisplayBounds(display, &bounds);
        return bounds;
    }

    // The normal window's scale: as asked, made smaller until the window fits the desktop.
    int WindowScale(int display) const {
        SDL_Rect usable{0, 0, 0, 0};
        if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return options_.scale;
        int scale = options_.scale;
        while (scale > 1 && (logicalWidth_ * scale > usable.w || logicalHeight_ * scale > usable.h)) --scale;
        return scale;
    }

    void UseCursor(const Picture* cursor) {
        SDL_Cursor* made = nullptr;
        if (cursor) {
            if (SDL_Surface* surface = SurfaceOf(*cursor)) {
                made = SDL_CreateColorCursor(surface, cursor->hotX, cursor->hotY);
                SDL_FreeSurface(surface);
            }
        }
        SDL_SetCursor(made ? made : SDL_GetDefaultCursor());
        if (cursor_) SDL_FreeCursor(cursor_);
        cursor_ = made;
    }

    bool EnsureTexture(const Frame& frame) {
        const Uint32 format = TextureFormatFor(frame.layout);
        if (texture_ && format == textureFormat_ && frame.width == textureWidth_ && frame.height == textureHeight_) {
            return true;
        }
        if (texture_) SDL_DestroyTexture(texture_);
        textureFilled_ = false;
        texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
        if (!texture_) {
            std::fprintf(stderr, "Trundlebop: the picture cannot be shown: %s\n", SDL_GetError());
            return false;
        }
        textureFormat_ = format;
        textureWidth_ = frame.width;
        textureHeight_ = frame.height;
        return true;
    }

    // Shows the last picture again, centred between black bars.
    void Redraw() {
        if (!renderer_) return;
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        if (texture_ && textureFilled_) SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        note_.Draw(renderer_, SDL_GetTicks());
        const auto before = std::chrono::steady_clock::now();
        SDL_RenderPresent(renderer_);
        // A present that waits for the refresh must leave the pass enough of its 30 ms; on a
        // display too slow for that, presents stop waiting (and may tear) rather than make
        // the game run slow.
        const auto waited = std::chrono::steady_clock::now() - before;
        if (waited > std::chrono::milliseconds(kMostPresentWaitMs) && ++slowPresents_ == kSlowPresentsTolerated)
            SDL_RenderSetVSync(renderer_, 0);
    }

    void ToggleFullscreen() {
        if (!window_) return;
        int display = SDL_GetWindowDisplayIndex(window_);
        if (display < 0) display = 0;
        fullscreen_ = !fullscreen_;
        if (fullscreen_) {
            const SDL_Rect desktop = DesktopBounds(display);
            SDL_SetWindowBordered(window_, SDL_FALSE);
            SDL_SetWindowResizable(window_, SDL_FALSE);
            SDL_SetWindowPosition(window_, desktop.x, desktop.y);
            SDL_SetWindowSize(window_, desktop.w, desktop.h);
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            const int scale = WindowScale(display);
            SDL_SetWindowFullscreen(window_, 0);
            SDL_SetWindowBordered(window_, SDL_TRUE);
            SDL_SetWindowResizable(window_, SDL_TRUE);
            SDL_SetWindowSize(window_, logicalWidth_ * scale, logicalHeight_ * scale);
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                  SDL_WINDOWPOS_CENTERED_DISPLAY(display));
        }
        Report();
        Redraw();
    }

    void OnKey(const SDL_KeyboardEvent& key) {
        const SDL_Scancode position = key.keysym.scancode;
        if (position < 0 || position >= SDL_NUM_SCANCODES) return;
        const bool down = key.state == SDL_PRESSED;
        const bool alt = (key.keysym.mod & KMOD_ALT) != 0;

        // Alt+Enter and Alt+F4 belong to the host: the game sees neither the press, nor
        // its repeats, nor its release. A key already down when Alt joined it stays the
        // game's, so the game never misses a release.
        if (down && !key.repeat && alt) {
            if (position == SDL_SCANCODE_RETURN || position == SDL_SCANCODE_KP_ENTER) {
                heldByHost_[position] = true;
                ToggleFullscreen();
                return;
            }
            if (position == SDL_SCANCODE_F4) {
                heldByHost_[position] = true;
                Close();
                return;
            }
        }
        if (heldByHost_[position]) {
            if (!down) heldByHost_[position] = false;
            return;
        }
        // In a demo the keyboard does not play: Escape only closes the window.
        if (options_.demo) {
            if (down && !key.repeat && position == SDL_SCANCODE_ESCAPE) Close();
            return;
        }

        // A held key repeats as further key-down messages marked as repeats, so a held
        // arrow keeps moving the menu's highlight; the key state simply stays down.
        const sdl::KeyCodes codes = sdl::MapKey(key.keysym);
        if (codes.virtualKey == 0 && codes.scanCode == 0) return;
        if (controls_.Key(codes.virtualKey, codes.scanCode, down, key.repeat != 0) ==
            Controls::Outcome::VolumeChanged) {
            note_.Show(renderer_, controls_.Note(), SDL_GetTicks());
            Report();
        }
    }

    // The window's close button, Alt+F4, or Escape in a demo.
    void Close() {
        if (options_.recorder) options_.recorder->Close(passesStarted_);
        platform_->DeliverClose();
    }

    void OnButton(const SDL_MouseButtonEvent& button) {
        if (button.button != SDL_BUTTON_LEFT) return;
        // The renderer has already turned window pixels into picture coordinates; a
        // press on the black bars is outside the picture and goes nowhere.
        if (button.x < 0 || button.y < 0 || button.x >= logicalWidth_ || button.y >= logicalHeight_) return;
        // Quick presses pair up: the second of each pair is the double click, and a third
        // starts over as a single one.
        const bool doubleClick = button.clicks >= 2 && button.clicks % 2 == 0;
        if (options_.demo) return;
        if (options_.recorder) options_.recorder->Click(passesStarted_, button.x, button.y, doubleClick);
        platform_->DeliverClick(button.x, button.y, doubleClick);
    }

    SdlOptions options_;
    bool fullscreen_;
    Platform* platform_ = &Unconnected();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    Uint32 textureFormat_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool textureFilled_ = false;  // the texture holds a picture worth showing again
    int logicalWidth_ = 640;
    int logicalHeight_ = 480;
    std::vector<std::uint32_t> staging_;  // an 8-bit picture expanded through its palette

    SDL_Cursor* cursor_ = nullptr;
    bool cursorVisible_ = true;

    sdl::PacedClock clock_{MonotonicMicroseconds, SleepMicroseconds};
    sdl::PassSound passSound_;
    int passesStarted_ = 0;
    bool mixDue_ = false;        // the sound of the pass under way is still to be mixed
    bool passWorkDone_ = false;  // the pass under way has done its work
    std::size_t nextDemoEvent_ = 0;
    static constexpr int kMostPresentWaitMs = 20;
    static constexpr int kSlowPresentsTolerated = 3;
    int slowPresents_ = 0;

    SDL_AudioDeviceID audioDevice_ = 0;  // 0: no sound

    Controls controls_;
    std::unique_ptr<sdl::Pads> pads_;  // none when the player turned pads off
    sdl::NoteOverlay note_;

    // Keys whose press the host kept for itself (Alt+Enter, Alt+F4) until they come up.
    std::array<bool, SDL_NUM_SCANCODES> heldByHost_{};
};

}  // namespace

std::unique_ptr<Host> MakeSdlHost(const SdlOptions& options) {
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Trundlebop: the display could not start: %s\n", SDL_GetError());
        return nullptr;
    }
    // With no display at all SDL settles for a driver that shows nothing; the game would
    // then run where nobody can see it. Those drivers are only for whoever names them.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !(asked && *asked)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr, "Trundlebop: the display could not start: no display was found\n");
        return nullptr;
    }
    return std::make_unique<SdlHost>(options);
}

}  // namespace host
