// A window procedure for tests that keeps every key message the window receives.
#pragma once

#include <vector>

#include "platform/windows.h"

namespace gametest {

struct KeyMessage {
    UINT message;
    WPARAM key;
    LPARAM lParam;
};

// The key messages kept so far, oldest first; tests clear it as they start.
inline std::vector<KeyMessage> keyMessages;

inline LRESULT CALLBACK KeepKeys(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) keyMessages.push_back({message, wParam, lParam});
    return 0;
}

}  // namespace gametest
