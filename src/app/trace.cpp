// The game's record of each pass for the trace file of scripted runs: the screen state,
// and the state of each level, as the game holds it.
#include "app/trace.h"

#include <string>

#include "app/screens.h"
#include "platform/diagnostics.h"

void WritePassTrace() {
    if (!TraceEnabled()) return;
    std::string fields;
    fields += "\"screen\":" + std::to_string(ScreenId);
    fields += ",\"cursor\":" + std::to_string(menuCursor);
    fields += ",\"level\":" + std::to_string(currentLevel);
    fields += std::string(",\"cursorShown\":") + (cursorShown ? "true" : "false");
    fields += ",\"music\":null";
    fields += ",\"sounds\":{}";
    WriteTraceRecord(fields);
}
