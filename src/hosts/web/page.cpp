// The web host's calls into the page's script, as JavaScript the program carries.
#include "hosts/web/page.h"

#include <emscripten.h>

#include <cstdlib>

namespace host::web::page {
namespace {

// clang-format off
EM_JS(int, JsNextEvent, (int* numbers), {
    const e = Module.trundlebopPage.nextEvent();
    if (!e) return 0;
    HEAP32[(numbers >> 2) + 0] = e.a | 0;
    HEAP32[(numbers >> 2) + 1] = e.b | 0;
    HEAP32[(numbers >> 2) + 2] = e.c | 0;
    Module.trundlebopPage.lastText = [e.position || "", e.meaning || ""];
    return e.kind;
});
EM_JS(char*, JsEventText, (int which), {
    const text = Module.trundlebopPage.lastText[which];
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
EM_JS(void, JsOpenCanvas, (const char* title, int width, int height), {
    Module.trundlebopPage.openCanvas(UTF8ToString(title), width, height);
});
EM_JS(void, JsShowPicture, (const std::uint8_t* rgba, int width, int height), {
    Module.trundlebopPage.showPicture(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
EM_JS(void, JsShowNote, (const std::uint32_t* argb, int width, int height, int x, int y, int ms), {
    Module.trundlebopPage.showNote(HEAPU32.slice(argb >> 2, (argb >> 2) + width * height), width, height, x, y, ms);
});
EM_JS(void, JsSetCursorVisible, (int visible), { Module.trundlebopPage.setCursorVisible(visible !== 0); });
EM_JS(void, JsPlaySound, (const std::int16_t* stereo, int frames), {
    Module.trundlebopPage.playSound(HEAP16.slice(stereo >> 1, (stereo >> 1) + frames * 2));
});
EM_JS(void, JsPassBegins, (), { Module.trundlebopPage.passBegins(); });
EM_JS(void, JsTrace, (const char* fields), { Module.trundlebopPage.trace(UTF8ToString(fields)); });
EM_JS(double, JsNow, (), { return performance.now(); });
EM_ASYNC_JS(void, JsWait, (double ms), { await new Promise(resolve => setTimeout(resolve, ms)); });
EM_ASYNC_JS(void, JsYield, (), { await Module.trundlebopPage.yieldToBrowser(); });
EM_JS(void, JsDownload, (const char* path, const char* name), {
    Module.trundlebopPage.download(FS.readFile(UTF8ToString(path)), UTF8ToString(name));
});
EM_JS(void, JsStoreSetting, (const char* key, const char* value), {
    Module.trundlebopPage.storeSetting(UTF8ToString(key), UTF8ToString(value));
});
EM_JS(char*, JsStoredSettings, (), {
    const text = Module.trundlebopPage.storedSettings();
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
// clang-format on

std::string Take(char* text) {
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

}  // namespace

Event NextEvent() {
    int numbers[3] = {};
    Event event;
    event.kind = static_cast<EventKind>(JsNextEvent(numbers));
    event.a = numbers[0];
    event.b = numbers[1];
    event.c = numbers[2];
    if (event.kind == EventKind::Key) {
        event.position = Take(JsEventText(0));
        event.meaning = Take(JsEventText(1));
    }
    return event;
}

void OpenCanvas(const char* title, int width, int height) {
    JsOpenCanvas(title, width, height);
}
void ShowPicture(const std::uint8_t* rgba, int width, int height) {
    JsShowPicture(rgba, width, height);
}
void ShowNote(const std::uint32_t* argb, int width, int height, int x, int y, int milliseconds) {
    JsShowNote(argb, width, height, x, y, milliseconds);
}
void SetCursorVisible(bool visible) {
    JsSetCursorVisible(visible ? 1 : 0);
}
void PlaySound(const std::int16_t* stereo, int frames) {
    JsPlaySound(stereo, frames);
}
void PassBegins() {
    JsPassBegins();
}
void Trace(const std::string& fields) {
    JsTrace(fields.c_str());
}
double Now() {
    return JsNow();
}
void Wait(double milliseconds) {
    JsWait(milliseconds);
}
void Yield() {
    JsYield();
}
void Download(const char* path, const char* name) {
    JsDownload(path, name);
}
void StoreSetting(const char* key, const char* value) {
    JsStoreSetting(key, value);
}
std::string StoredSettings() {
    return Take(JsStoredSettings());
}

}  // namespace host::web::page
