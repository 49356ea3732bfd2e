// Coverage-guided fuzzer for recordings: any bytes as a recording given to --play or
// --input. What loads is recorded again by the session recorder, and that recording must
// load to the same session.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz_files.h"
#include "hosts/common/script.h"
#include "hosts/common/session_recorder.h"

namespace {

using Kind = host::ScriptEvent::Kind;

// The events a recorder writes (keys, clicks, the close button), as comparable tuples.
std::vector<std::tuple<int, int, int, int, int, int>> Recordable(const std::vector<host::ScriptEvent>& events) {
    std::vector<std::tuple<int, int, int, int, int, int>> kept;
    for (const host::ScriptEvent& e : events) {
        if (e.kind == Kind::KeyDown || e.kind == Kind::KeyUp)
            kept.emplace_back(e.pass, static_cast<int>(e.kind), e.virtualKey, e.scanCode, e.repeat, 0);
        else if (e.kind == Kind::Click)
            kept.emplace_back(e.pass, static_cast<int>(e.kind), e.x, e.y, e.doubleClick, 0);
        else if (e.kind == Kind::Close)
            kept.emplace_back(e.pass, static_cast<int>(e.kind), 0, 0, 0, 0);
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string base = "/tmp/fuzz_recording_" + std::to_string(::getpid());
    static const std::string inputPath = base + ".txt", againPath = base + ".again.txt";
    static const bool ready = [] {
        std::atexit([] {
            std::remove(inputPath.c_str());
            std::remove(againPath.c_str());
        });
        return true;
    }();
    if (!ready || !WriteFile(inputPath, data, size)) return 0;

    std::vector<host::ScriptEvent> events;
    std::string error, note;
    if (!host::LoadScript(inputPath, events, error, &note)) {
        if (error.rfind("line ", 0) != 0 || !events.empty() || !note.empty()) std::abort();
        return 0;
    }
    // A last line without its end is said to be left out, and only then.
    const bool cut = size > 0 && data[size - 1] != '\n';
    if (!note.empty() && (!cut || note.rfind("line ", 0) != 0 || note.size() > 200)) std::abort();

    host::SessionRecorder recorder;
    if (!recorder.Open(againPath, 4242, error)) return 0;
    for (const host::ScriptEvent& e : events) {
        if (e.kind == Kind::KeyDown || e.kind == Kind::KeyUp)
            recorder.Key(e.pass, e.virtualKey, e.scanCode, e.kind == Kind::KeyDown, e.repeat);
        else if (e.kind == Kind::Click)
            recorder.Click(e.pass, e.x, e.y, e.doubleClick);
        else if (e.kind == Kind::Close)
            recorder.Close(e.pass);
    }
    if (!recorder.Ok()) return 0;
    std::vector<host::ScriptEvent> again;
    std::string againNote;
    if (!host::LoadScript(againPath, again, error, &againNote) || !againNote.empty()) std::abort();
    if (Recordable(events) != Recordable(again)) std::abort();
    return 0;
}
