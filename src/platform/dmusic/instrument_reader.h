// Reads pieces' instruments from the SoundFont into a synthesizer on a thread of its own,
// so that the game's start does not wait for them: the first frames are drawn meanwhile.
// A note never depends on it: a channel that chooses an instrument not read yet has the
// synthesizer read it there and then, so what is heard is the same either way, and only
// when the reading happens changes.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

struct _fluid_synth_t;

namespace dmusic_detail {

class InstrumentReader {
public:
    InstrumentReader() = default;
    ~InstrumentReader() { Stop(); }
    InstrumentReader(const InstrumentReader&) = delete;
    InstrumentReader& operator=(const InstrumentReader&) = delete;

    // Reads each (bank, program) not read before into `synth` from the SoundFont `font`,
    // holding its samples until Stop; one the font lacks is played by its bank's
    // fallback, which is held as well.
    void Hold(_fluid_synth_t* synth, int font, const std::set<std::pair<int, int>>& instruments);
    // Waits until everything asked for so far has been read.
    void Finish();
    // Drops what is still to read, waits for the one being read and forgets them all; call
    // it before the synthesizer goes.
    void Stop();

private:
    void Run();

    std::mutex lock_;
    std::condition_variable wake_;  // something to read, or a stop
    std::condition_variable idle_;  // nothing left to read
    std::deque<std::pair<int, int>> waiting_;
    std::set<std::pair<int, int>> asked_;
    _fluid_synth_t* synth_ = nullptr;
    int font_ = -1;
    bool reading_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace dmusic_detail
