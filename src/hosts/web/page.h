// The web host's calls into the page's script (web/page.js), which holds the canvas, the
// events of the keyboard, pointer, pads and touch controls, the audio worklet and the
// browser's storage. Only the web host calls these.
#pragma once

#include <cstdint>
#include <string>

namespace host::web::page {

enum class EventKind { None = 0, Key = 1, Click = 2, PadButton = 3, Stick = 4, PadGone = 5, Level = 6, Close = 7 };

struct Event {
    EventKind kind = EventKind::None;
    int a = 0, b = 0, c = 0;  // Key: down, repeat; Click: x, y, double; pad: pad, button or x, down or y; Level: n
    std::string position;     // Key: KeyboardEvent.code
    std::string meaning;      // Key: KeyboardEvent.key
};

// The next event the page queued since the last call; kind None when there is none. The
// page polls its pads here too.
Event NextEvent();
void OpenCanvas(const char* title, int width, int height);
// Shows `rgba` (width x height, 4 bytes a pixel) on the canvas.
void ShowPicture(const std::uint8_t* rgba, int width, int height);
// Lays a 0xAARRGGBB picture over the canvas at (x, y) in game pixels for `milliseconds`.
void ShowNote(const std::uint32_t* argb, int width, int height, int x, int y, int milliseconds);
void SetCursorVisible(bool visible);
// Hands one pass of interleaved stereo 16-bit sound at the mix rate to the audio worklet.
void PlaySound(const std::int16_t* stereo, int frames);
// A pass began (for the page's measure of the pass period).
void PassBegins();
// The game's state after a pass, as a trace record (JSON fields), for the page's tests.
void Trace(const std::string& fields);
// The page's clock in milliseconds with their fraction.
double Now();
// The browser runs for about `milliseconds` (a timer), or for one turn of its event loop.
void Wait(double milliseconds);
void Yield();
// Offers the file at `path` (in the program's file system) to the player as a download.
void Download(const char* path, const char* name);
// Keeps a setting in the browser's storage under its settings-file key.
void StoreSetting(const char* key, const char* value);
// The settings kept in the browser's storage, as the text of a settings file.
std::string StoredSettings();

}  // namespace host::web::page
