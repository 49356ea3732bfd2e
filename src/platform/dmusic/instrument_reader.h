// Loads a synthesizer's SoundFont and reads pieces' instruments from it on a thread of its
// own, so that the game's start does not wait for them: the game loads its pictures and
// draws its first frames meanwhile. Nothing heard depends on it: whatever plays or renders
// music first waits for the SoundFont (WaitForSoundFont), and a channel that chooses an
// instrument not read yet has the synthesizer read it there and then, so what is heard, and
// every status the game reads, is the same either way; only when the reading happens
// changes. Where the platform has no threads, it all happens at once, on the caller's.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "platform/dmusic/synth.h"

namespace dmusic_detail {

class InstrumentReader {
public:
    // Loads a SoundFont into the synthesizer: false when none loads.
    using Loader = std::function<bool(Synth&)>;

    InstrumentReader() = default;
    ~InstrumentReader() { Stop(); }
    InstrumentReader(const InstrumentReader&) = delete;
    InstrumentReader& operator=(const InstrumentReader&) = delete;

    // Starts loading `synth`'s SoundFont with `load`.
    void Start(Synth& synth, Loader load);
    // Whether a SoundFont loaded, once its loading is over (waiting for that).
    bool WaitForSoundFont();
    // Reads each (bank, program) not read before from the SoundFont, holding its samples
    // until the synthesizer goes; one the font lacks is played by its bank's fallback,
    // held as well.
    void Hold(const std::set<std::pair<int, int>>& instruments);
    // Waits until the SoundFont and everything asked for so far have been read.
    void Finish();
    // Whether the SoundFont and everything asked for so far have been read, without waiting.
    bool Idle();
    // Drops what is still to read, waits for what is being read and forgets it all; call
    // it before the synthesizer goes.
    void Stop();

    // While held back, readers wait before loading their SoundFont, as on a slow disk: tests
    // use it to see the game go on while the music is still to come.
    static void HoldBackLoading(bool held);

private:
    void Run(Loader load);
    bool IdleLocked() const { return fontLoaded_ && waiting_.empty() && !reading_; }
    void Read(int bank, int program);

    std::mutex lock_;
    std::condition_variable wake_;  // something to read, or a stop
    std::condition_variable idle_;  // the font loaded, or nothing left to read
    std::deque<std::pair<int, int>> waiting_;
    std::set<std::pair<int, int>> asked_;
    Synth* synth_ = nullptr;
    bool started_ = false;
    bool fontLoaded_ = false;  // the loading is over
    bool hasFont_ = false;     // and a SoundFont loaded
    bool reading_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace dmusic_detail
