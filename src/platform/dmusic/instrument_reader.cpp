// The SoundFont's instruments, read on a thread beside the game's.
#include "platform/dmusic/instrument_reader.h"

#include <fluidsynth.h>

#include <vector>

#include "platform/dmusic.h"

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

// Every reader with a thread, for FinishReadingInstruments.
std::mutex& ReadersLock() {
    static std::mutex lock;
    return lock;
}
std::set<InstrumentReader*>& Readers() {
    static std::set<InstrumentReader*> readers;
    return readers;
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
        std::lock_guard<std::mutex> listed(ReadersLock());
        Readers().insert(this);
    }
    wake_.notify_one();
}

void InstrumentReader::Finish() {
    std::unique_lock<std::mutex> hold(lock_);
    idle_.wait(hold, [this] { return (waiting_.empty() && !reading_) || stopping_; });
}

void InstrumentReader::Stop() {
    {
        std::lock_guard<std::mutex> listed(ReadersLock());
        Readers().erase(this);
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        waiting_.clear();
    }
    wake_.notify_one();
    idle_.notify_all();
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
        reading_ = true;
        fluid_synth_t* synth = synth_;
        const int font = font_;
        hold.unlock();
        Read(synth, font, bank, program);
        hold.lock();
        reading_ = false;
        if (waiting_.empty()) idle_.notify_all();
    }
}

}  // namespace dmusic_detail

namespace platform {

void FinishReadingInstruments() {
    // Readers leave the list only in Stop, which a performance calls on the game's thread,
    // the thread this runs on: none goes while it is waited for.
    std::vector<dmusic_detail::InstrumentReader*> readers;
    {
        std::lock_guard<std::mutex> listed(dmusic_detail::ReadersLock());
        readers.assign(dmusic_detail::Readers().begin(), dmusic_detail::Readers().end());
    }
    for (dmusic_detail::InstrumentReader* reader : readers) reader->Finish();
}

}  // namespace platform
