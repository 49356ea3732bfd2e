// The SoundFont synthesizer the music performance drives: a SoundFont, a player for one
// standard MIDI file at a time, the channels' controls and a renderer that moves the
// player on with the samples it renders. One implementation per platform: FluidSynth's
// library on the desktop (synth_fluidsynth.cpp), FluidSynth compiled for the browser and
// reached through the page's script on the web (synth_web.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace dmusic_detail {

enum class SoundFontLoad { Loaded, Missing, Unloadable };

class Synth {
public:
    // A synthesizer at the mix's rate. `forListening`: reverb, chorus and room for the
    // busiest passages; otherwise a silent one that only checks files. Null when none can
    // be made.
    static std::unique_ptr<Synth> Make(bool forListening);
    virtual ~Synth() = default;

    // Loads the SoundFont at `path` as the synthesizer's one font; no instrument is chosen.
    // `why` says why a font that is there was refused before the synthesizer got it; empty
    // when the synthesizer itself could not load it.
    virtual SoundFontLoad LoadSoundFont(const std::string& path, std::string& why) = 0;
    // Reads an instrument's samples now and keeps them until the synthesizer goes; false
    // when the font lacks it.
    virtual bool HoldPreset(int bank, int program) = 0;
    // A new player for these bytes, started; false (and no player) when it cannot read them.
    virtual bool StartPiece(const std::uint8_t* midi, std::size_t size) = 0;
    // The player stops and goes; the notes it left keep sounding until let go.
    virtual void StopPiece() = 0;
    // True while the player has events still to play.
    virtual bool PiecePlaying() = 0;
    virtual int Channels() = 0;
    virtual void ControlChange(int channel, int control, int value) = 0;
    virtual void BankSelect(int channel, int bank) = 0;
    virtual void ProgramChange(int channel, int program) = 0;
    // Every key on every channel let go.
    virtual void AllNotesOff() = 0;
    // The music volume from 0 to 1: the synthesizer's gain at full volume scaled by it, so
    // reverb and chorus follow it.
    virtual void SetVolume(float volume) = 0;
    // The next `frames` frames into the two channels' buffers.
    virtual void Render(int frames, float* left, float* right) = 0;
};

// Whether the synthesizers made for listening render silence instead of the music
// (platform::LeaveOutMusicSynthesis).
bool MusicSynthesisLeftOut();

}  // namespace dmusic_detail
