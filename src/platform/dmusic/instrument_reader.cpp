// The SoundFont's instruments, read on a thread beside the game's.
#include "platform/dmusic/instrument_reader.h"

#include <fluidsynth.h>

namespace dmusic_detail {
namespace {

constexpr int kDrumBank = 128;

// The synthesizer takes its own lock for each call, so the reading shares it safely with the
// game's thread rendering and playing notes.
void Read(fluid_synth_t* synth, int font, int bank, int program) {
    if (fluid_synth_pin_preset(synth, font, bank, program) == FLUID_OK) return;
    const int fallbackBank = bank == kDrumBank ? kDrumBank : 0;
    const int fallbackProgram = bank == kDrumBank ? 0 : program;
    if (fallbackBank != bank || fallbackProgram != program)
        fluid_synth_pin_preset(synth, font, fallbackBank, fallbackProgram);
}

}  // namespace

void InstrumentReader::Hold(fluid_synth_t* synth, int font, const std::set<std::pair<int, int>>& instruments) {
    if (!synth || font < 0) return;
    std::lock_guard<std::mutex> hold(lock_);
    synth_ = synth;
    font_ = font;
    for (const auto& instrument : instruments)
        if (asked_.insert(instrument).second) waiting_.push_back(instrument);
    if (waiting_.empty()) return;
    if (!thread_.joinable()) {
        stopping_ = false;
        thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void InstrumentReader::Stop() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        waiting_.clear();
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> hold(lock_);
    asked_.clear();
    synth_ = nullptr;
    font_ = -1;
}

void InstrumentReader::Run() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        wake_.wait(hold, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        const auto [bank, program] = waiting_.front();
        waiting_.pop_front();
        fluid_synth_t* synth = synth_;
        const int font = font_;
        hold.unlock();
        Read(synth, font, bank, program);
        hold.lock();
    }
}

}  // namespace dmusic_detail
