// The music stand-in's objects as the loader, the performance and object creation share them.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "platform/com/com_object.h"
#include "platform/dmusic.h"
#include "platform/dmusic/instrument_reader.h"
#include "platform/dmusic/midi_file.h"
#include "platform/dmusic/synth.h"
#include "platform/dsound/audio_mixer.h"

namespace dmusic_detail {

using Bytes = std::vector<std::uint8_t>;

// Largest music file the loader reads.
constexpr std::size_t kMaxMidiBytes = 4u << 20;

// Makes a performance, loader or segment for CoCreateInstance.
HRESULT CreateObject(REFCLSID classId, REFIID interfaceId, LPVOID* object);

// True when the synthesizer's file player reads these bytes as a standard MIDI file.
bool SynthAcceptsMidi(const Bytes& midi);

class Segment final : public CountedObject<IDirectMusicSegment> {
public:
    Segment() = default;
    Segment(Bytes midi, platform::MidiSummary summary) : midi_(std::move(midi)), summary_(std::move(summary)) {}

    HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param) override;

    const Bytes& Midi() const { return midi_; }
    const platform::MidiSummary& Summary() const { return summary_; }

private:
    Bytes midi_;
    platform::MidiSummary summary_;
    int downloads_ = 0;  // GUID_Download calls not yet matched by GUID_Unload
};

// The run of a segment that one PlaySegment started; `serial` tells runs apart.
class SegmentState final : public CountedObject<IDirectMusicSegmentState> {
public:
    SegmentState(Segment* segment, std::uint64_t serial) : segment_(segment), serial_(serial) { segment_->AddRef(); }

    Segment* segment() const { return segment_; }
    std::uint64_t serial() const { return serial_; }

protected:
    ~SegmentState() override { segment_->Release(); }

private:
    Segment* segment_;
    std::uint64_t serial_;
};

class Performance final : public CountedObject<IDirectMusicPerformance>, public platform::AudioVoice {
public:
    HRESULT Init(IDirectMusic** music, IDirectSound* sound, HWND window) override;
    HRESULT AddPort(IDirectMusicPort* port) override;
    HRESULT PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME startTime,
                        IDirectMusicSegmentState** state) override;
    HRESULT Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME time, DWORD flags) override;
    HRESULT IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state) override;
    HRESULT CloseDown() override;

    void MixInto(float* stereo, int frames, int rate) override;
    platform::VoicePart Part() const override { return platform::VoicePart::Music; }

    bool initialised() const { return synth_ != nullptr; }
    // Called when a segment's instruments are downloaded: their samples are read from the
    // SoundFont on a thread beside the game's, which starts meanwhile, and stay until the
    // performance closes.
    void HoldInstruments(const std::set<std::pair<int, int>>& instruments);

protected:
    ~Performance() override { CloseDown(); }

private:
    static constexpr int kBlock = 512;

    // These run with platform::AudioLock() held.
    void StopLocked();
    void SilenceLocked();
    void ResetChannelsLocked(const Segment& next);
    bool StartPieceLocked(const Segment& piece);
    bool SoundingLocked();
    void RenderSynthLocked(int frames);
    void RenderLocked(int frames);
    // The music behind the reading (platform::LetMusicCatchUp): the synthesizer goes through
    // up to `budget` of the frames it missed, and the plays and stops among them; true when
    // it has caught up.
    void FallBehindLocked();
    void MissLocked(Segment* piece);
    bool CatchUpLocked(std::uint64_t budget);
    void MixResampledLocked(float* stereo, int frames, int rate);

    std::unique_ptr<Synth> synth_;
    bool pieceRunning_ = false;         // the synthesizer's player has the current run's piece
    Segment* playing_ = nullptr;        // the current run's segment, referenced
    std::uint64_t serial_ = 0;          // the current run
    bool inMix_ = false;                // AddPort joined the platform's mix
    std::uint64_t pieceFrames_ = 0;     // the current piece's length in frames at the mix rate
    std::uint64_t renderedFrames_ = 0;  // frames rendered since it started
    float volume_ = 1.0f;               // the music volume the synthesizer's gain carries
    InstrumentReader reader_;           // loads the SoundFont and reads the downloaded instruments' samples

    // A play (the piece, referenced) or a stop (null) the synthesizer missed, `at` frames
    // after it fell behind.
    struct Missed {
        std::uint64_t at;
        Segment* piece;
    };
    bool mayFallBehind_ = false;
    bool behind_ = false;               // the synthesizer has missed frames, plays or stops
    std::uint64_t missedFrames_ = 0;    // frames mixed since it fell behind
    std::uint64_t caughtUpFrames_ = 0;  // of those, the ones it has gone through since
    std::vector<Missed> missed_;        // the plays and stops, in order
    std::size_t nextMissed_ = 0;        // the first of them it has still to go through

    float left_[kBlock] = {};
    float right_[kBlock] = {};
    // Another output rate than ours: our frames between two reads, and where we are between them.
    int pending_ = 0;
    int pendingAt_ = 0;
    float previous_[2] = {};
    float next_[2] = {};
    double phase_ = 1.0;
};

}  // namespace dmusic_detail
