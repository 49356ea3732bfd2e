// Coverage-guided fuzzer for input scripts: any bytes as the file given to --input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "hosts/common/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string inputPath = "/tmp/fuzz_script_" + std::to_string(::getpid()) + ".txt";
    static const bool ready = [] {
        std::atexit([] { std::remove(inputPath.c_str()); });
        return true;
    }();
    if (!ready || !WriteFile(inputPath, data, size)) return 0;

    std::vector<host::ScriptEvent> events;
    std::string error;
    if (!host::LoadScript(inputPath, events, error)) {
        // A refusal names the line it stopped at and leaves nothing behind.
        if (error.rfind("line ", 0) != 0 || !events.empty()) std::abort();
        return 0;
    }
    // What comes out is in pass order, every pass from 1, every key a known one, every
    // click on the window's coordinates.
    for (std::size_t i = 0; i < events.size(); ++i) {
        const host::ScriptEvent& e = events[i];
        if (e.pass < 1 || (i > 0 && events[i - 1].pass > e.pass)) std::abort();
        const bool key = e.kind == host::ScriptEvent::Kind::KeyDown || e.kind == host::ScriptEvent::Kind::KeyUp;
        if (key && (e.virtualKey <= 0 || e.virtualKey > 255 || e.scanCode <= 0 || e.scanCode > 255)) std::abort();
        if (e.kind == host::ScriptEvent::Kind::Click && (e.x < 0 || e.y < 0 || e.x > 0xFFFF || e.y > 0xFFFF))
            std::abort();
    }
    return 0;
}
