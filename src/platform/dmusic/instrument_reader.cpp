// The SoundFont and its instruments, read on a thread beside the game's.
#include "platform/dmusic/instrument_reader.h"

#include <vector>

#include "platform/dmusic.h"

namespace dmusic_detail {
namespace {

#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool kOwnThread = false;
#else
constexpr bool kOwnThread = true;
#endif

constexpr int kDrumBank = 128;

// Every started reader, for FinishReadingInstruments.
std::mutex& ReadersLock() {
    static std::mutex lock;
    return lock;
}
std::set<InstrumentReader*>& Readers() {
    static std::set<InstrumentReader*> readers;
    return readers;
}

// HoldBackLoading's gate.
std::mutex holdBackLock;
std::condition_variable holdBackLifted;
bool heldBack = false;

}  // namespace

void InstrumentReader::Read(int bank, int program) {
    // The synthesizer takes its own lock for each call, so the reading shares it safely
    // with the game's thread rendering and playing notes.
    if (synth_->HoldPreset(bank, program)) return;
    const int fallbackBank = bank == kDrumBank ? kDrumBank : 0;
    const int fallbackProgram = bank == kDrumBank ? 0 : program;
    if (fallbackBank != bank || fallbackProgram != program) synth_->HoldPreset(fallbackBank, fallbackProgram);
}

void InstrumentReader::Start(Synth& synth, Loader load) {
    Stop();
    {
        std::lock_guard<std::mutex> hold(lock_);
        synth_ = &synth;
        started_ = true;
        fontLoaded_ = hasFont_ = false;
        stopping_ = false;
    }
    if (!kOwnThread) {
        hasFont_ = load && load(synth);
        fontLoaded_ = true;
        return;
    }
    thread_ = std::thread([this, load = std::move(load)] { Run(load); });
    std::lock_guard<std::mutex> listed(ReadersLock());
    Readers().insert(this);
}

bool InstrumentReader::WaitForSoundFont() {
    std::unique_lock<std::mutex> hold(lock_);
    idle_.wait(hold, [this] { return fontLoaded_ || !started_; });
    return hasFont_;
}

void InstrumentReader::Hold(const std::set<std::pair<int, int>>& instruments) {
    std::unique_lock<std::mutex> hold(lock_);
    if (!started_ || stopping_) return;
    for (const auto& instrument : instruments)
        if (asked_.insert(instrument).second) waiting_.push_back(instrument);
    if (!kOwnThread) {
        while (!waiting_.empty()) {
            const auto [bank, program] = waiting_.front();
            waiting_.pop_front();
            if (hasFont_) Read(bank, program);
        }
        return;
    }
    wake_.notify_one();
}

void InstrumentReader::Finish() {
    std::unique_lock<std::mutex> hold(lock_);
    idle_.wait(hold, [this] { return IdleLocked() || stopping_ || !started_; });
}

bool InstrumentReader::Idle() {
    std::lock_guard<std::mutex> hold(lock_);
    return IdleLocked();
}

void InstrumentReader::HoldBackLoading(bool held) {
    {
        std::lock_guard<std::mutex> hold(holdBackLock);
        heldBack = held;
    }
    holdBackLifted.notify_all();
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
    started_ = fontLoaded_ = hasFont_ = false;
}

void InstrumentReader::Run(Loader load) {
    // The SoundFont loads whole even when a stop comes meanwhile: the synthesizer cannot
    // drop a half-loaded one.
    {
        std::unique_lock<std::mutex> gate(holdBackLock);
        holdBackLifted.wait(gate, [] { return !heldBack; });
    }
    const bool loaded = load && load(*synth_);
    std::unique_lock<std::mutex> hold(lock_);
    hasFont_ = loaded;
    fontLoaded_ = true;
    idle_.notify_all();
    for (;;) {
        wake_.wait(hold, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        const auto [bank, program] = waiting_.front();
        waiting_.pop_front();
        reading_ = true;
        hold.unlock();
        if (hasFont_) Read(bank, program);
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
