// The window, message queue, key state and cursor count stand-ins: one window class, one
// window and one thread's queue, as the game needs.
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

#include "hosts/host.h"
#include "platform/dinput.h"
#include "platform/link/host_link.h"
#include "platform/window/key_sides.h"
#include "platform/window/resources.h"
#include "platform/windows.h"

struct PlatformWindow {
    WNDPROC procedure;
    UINT classStyle;
    RECT rect;
};

struct PlatformGdiObject {
    int stockId;
};

namespace {

struct RegisteredClass {
    bool registered = false;
    std::string name;
    WNDCLASSEXA record{};
};

RegisteredClass windowClass;
PlatformWindow windowRecord{};
HWND liveWindow = nullptr;

// Like the platform's, the queue holds a bounded number of messages: what arrives while it
// is full is dropped, input included, so a flood of input costs no more than this.
constexpr std::size_t kMostQueuedMessages = 10000;
std::deque<MSG> queue;
// Messages are numbered as they are queued; the front of the queue has this number.
std::uint64_t frontNumber = 0;
// For each virtual key, 1 + the number of its key-repeat message still waiting, when that
// is the last message of the key queued; 0 otherwise. A repeat arriving then is folded
// into it, as the platform folds a held key's repeats: a held key adds one message to
// the queue however long it is held.
std::uint64_t waitingRepeat[256] = {};
constexpr LPARAM kMostRepeats = 0xFFFF;  // the repeat count's 16 bits of lParam
// A close from the window is sent on the platform, not posted: it reaches the window
// procedure ahead of whatever input is queued, and a full queue never drops it.
bool closeSent = false;
bool quitPosted = false;
int quitCode = 0;
bool quitForced = false;
int forcedQuitCode = 0;

// GetKeyState's view: bit 0x80 set while down, as of the key messages already taken.
BYTE messageKeyState[256] = {};
int cursorCount = 0;

PlatformGdiObject stockObjects[8] = {{0}, {1}, {2}, {3}, {4}, {5}, {6}, {7}};

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// Queues a message for the window; false when there is no window or the queue is full.
bool Post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!liveWindow || queue.size() >= kMostQueuedMessages) return false;
    MSG msg{};
    msg.hwnd = liveWindow;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = host::Current().Milliseconds();
    if (IsKeyMessage(message)) waitingRepeat[wParam & 0xFF] = 0;
    queue.push_back(msg);
    return true;
}

// Queues a key-repeat WM_KEYDOWN, or adds one to the repeat count of the key's repeat
// still waiting in the queue.
void PostRepeat(WPARAM virtualKey, LPARAM lParam) {
    const std::uint64_t waiting = waitingRepeat[virtualKey & 0xFF];
    if (waiting != 0) {
        MSG& msg = queue[static_cast<std::size_t>(waiting - 1 - frontNumber)];
        const LPARAM count = msg.lParam & kMostRepeats;
        if (count < kMostRepeats) msg.lParam = (msg.lParam & ~kMostRepeats) | (count + 1);
        return;
    }
    if (Post(WM_KEYDOWN, virtualKey, lParam)) waitingRepeat[virtualKey & 0xFF] = frontNumber + queue.size();
}

// Takes the front message off the queue.
void PopFront() {
    const MSG& msg = queue.front();
    if (IsKeyMessage(msg.message) && waitingRepeat[msg.wParam & 0xFF] == frontNumber + 1)
        waitingRepeat[msg.wParam & 0xFF] = 0;
    queue.pop_front();
    ++frontNumber;
}

void ClearQueue() {
    frontNumber += queue.size();
    queue.clear();
    for (std::uint64_t& waiting : waitingRepeat) waiting = 0;
}

void NoteKeyTaken(const MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (!down && msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP) return;
    const int key = static_cast<int>(msg.wParam & 0xFF);
    messageKeyState[key] = down ? 0x80 : 0;
    // A modifier keeps each side apart and is held while either side is.
    if (const int side = platform::SidedModifierKey(key, msg.lParam)) {
        messageKeyState[side] = down ? 0x80 : 0;
        messageKeyState[key] = messageKeyState[side & ~1] | messageKeyState[side | 1];
    }
}

bool SameClassName(LPCSTR a, LPCSTR b) {
    return a && b && std::strcmp(a, b) == 0;
}

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* record) {
    if (!record || !record->lpfnWndProc || !record->lpszClassName || record->lpszClassName[0] == '\0') return 0;
    if (windowClass.registered && windowClass.name == record->lpszClassName) return 0;  // already there
    windowClass.registered = true;
    windowClass.name = record->lpszClassName;
    windowClass.record = *record;
    windowClass.record.lpszClassName = windowClass.name.c_str();
    return 0xC001;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    if (!windowClass.registered || !SameClassName(className, windowClass.name.c_str()) || liveWindow) return FALSE;
    windowClass = RegisteredClass{};
    return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int x, int y, int width, int height, HWND,
                     HMENU, HINSTANCE, LPVOID) {
    if (!windowClass.registered || !SameClassName(className, windowClass.name.c_str())) return nullptr;
    if (liveWindow) return nullptr;  // the game has one window
    windowRecord.procedure = windowClass.record.lpfnWndProc;
    windowRecord.classStyle = windowClass.record.style;
    windowRecord.rect = RECT{x, y, x + width, y + height};
    liveWindow = &windowRecord;
    host::Current().OpenWindow(windowName ? windowName : "", width, height, windowClass.record.hIcon,
                               windowClass.record.hCursor);
    windowRecord.procedure(liveWindow, WM_CREATE, 0, 0);
    return liveWindow;
}

BOOL DestroyWindow(HWND window) {
    if (!window || window != liveWindow) return FALSE;
    window->procedure(window, WM_DESTROY, 0, 0);
    liveWindow = nullptr;
    // Messages still queued for the window are dropped with it; a posted quit stays.
    ClearQueue();
    closeSent = false;
    host::Current().CloseWindow();
    return TRUE;
}

BOOL PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT removeFlags) {
    host::Current().PumpInput();
    if (!msg) return FALSE;
    if (quitForced) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(forcedQuitCode);
        if (removeFlags & PM_REMOVE) quitForced = false;
        return TRUE;
    }
    if (closeSent && liveWindow) {
        *msg = MSG{};
        msg->hwnd = liveWindow;
        msg->message = WM_CLOSE;
        msg->time = host::Current().Milliseconds();
        if (removeFlags & PM_REMOVE) closeSent = false;
        return TRUE;
    }
    if (!queue.empty()) {
        *msg = queue.front();
        if (removeFlags & PM_REMOVE) {
            PopFront();
            NoteKeyTaken(*msg);
        }
        return TRUE;
    }
    // As on the real platform, the quit request comes out once nothing else is waiting.
    if (quitPosted) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(quitCode);
        if (removeFlags & PM_REMOVE) quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    // The game has no use for character messages; posting them would only make a burst
    // of key presses take more passes to drain. Key messages count as translated.
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd || msg->hwnd != liveWindow) return 0;
    return msg->hwnd->procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window || window != liveWindow) return FALSE;
    return Post(message, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    if (!window || !paint) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return nullptr;  // nothing is ever painted through it
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*) {
    return window ? TRUE : FALSE;
}

SHORT GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    return (messageKeyState[virtualKey] & 0x80) ? static_cast<SHORT>(0xFF80) : 0;
}

int ShowCursor(BOOL show) {
    const bool wasVisible = cursorCount >= 0;
    cursorCount += show ? 1 : -1;
    const bool visible = cursorCount >= 0;
    if (visible != wasVisible) host::Current().SetCursorVisible(visible);
    return cursorCount;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    if (!window || window != liveWindow || !rect) return FALSE;
    *rect = window->rect;
    return TRUE;
}

HGDIOBJ GetStockObject(int object) {
    if (object < 0 || object >= 8) return nullptr;
    return &stockObjects[object];
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    return platform::FindIconImage(id, 32);
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
    const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    return platform::FindCursorImage(id);
}

namespace platform {

void HostLink::DeliverKey(int virtualKey, int scanCode, bool down, bool repeat) {
    // Escape leaves a level and, on the menu, ends the game: a held Escape says it once.
    if (down && repeat && virtualKey == VK_ESCAPE) return;
    if (scanCode > 0 && scanCode < 256) SetSystemKeyState(scanCode, down);
    if (virtualKey <= 0 || virtualKey > 255) return;
    // lParam as the platform forms it: repeat count 1, the scan code, the previous state
    // (down for a repeat and for every release) and the transition bit for a release.
    LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16);
    if (down && repeat) lParam |= static_cast<LPARAM>(1) << 30;
    if (!down) lParam |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    if (down && repeat)
        PostRepeat(static_cast<WPARAM>(virtualKey), lParam);
    else
        Post(down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), lParam);
}

void HostLink::DeliverClick(int x, int y, bool doubleClick) {
    const LPARAM where = MAKELPARAM(x, y);
    const bool classTakesDoubleClicks = liveWindow && (liveWindow->classStyle & CS_DBLCLKS);
    Post(doubleClick && classTakesDoubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0x0001, where);
    Post(WM_LBUTTONUP, 0, where);
}

void HostLink::DeliverClose() {
    if (liveWindow) closeSent = true;
}

void HostLink::DeliverQuit(int exitCode) {
    quitForced = true;
    forcedQuitCode = exitCode;
}

HWND MainWindow() {
    return liveWindow;
}

}  // namespace platform
