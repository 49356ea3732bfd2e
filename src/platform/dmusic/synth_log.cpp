// Silencing the synthesizer's messages: FluidSynth's log levels, and GLib's default log
// handler, which the synthesizer's instrument-patch reader writes its complaints through.
#include "platform/dmusic/synth_log.h"

#include <fluidsynth.h>

#include <mutex>

#if defined(TRUNDLEBOP_HAVE_GLIB)
#include <glib.h>
#else
// GLib comes in with the synthesizer; without its header, its log call is named here and
// found at run time when the library is there.
extern "C" {
using GLogFunc = void (*)(const char* domain, int level, const char* message, void* data);
__attribute__((weak)) GLogFunc g_log_set_default_handler(GLogFunc handler, void* data);
}
#endif

namespace dmusic_detail {
namespace {

#if defined(TRUNDLEBOP_HAVE_GLIB)
void DropGlibMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}
#else
void DropGlibMessage(const char*, int, const char*, void*) {}
#endif

}  // namespace

void QuietSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
#if defined(TRUNDLEBOP_HAVE_GLIB)
        g_log_set_default_handler(DropGlibMessage, nullptr);
#else
        if (g_log_set_default_handler) g_log_set_default_handler(DropGlibMessage, nullptr);
#endif
    });
}

}  // namespace dmusic_detail
