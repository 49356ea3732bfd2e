// Sound effects: a table of 256 slots, each holding one WAV file in a static sound buffer.
#pragma once

#include <cstdint>

#include "platform/dsound.h"

// A slot index 0..255, or -1 for no sound (a failed load). Every operation takes -1, and
// any other index outside the table, as an empty slot.
using SoundId = int;

constexpr int kSoundSlots = 256;

struct SoundSlot {
    LPDIRECTSOUNDBUFFER buffer;  // null when the slot holds no buffer; owned by the slot
    std::int32_t state;          // 0 free, 1 loaded
    std::int32_t rate;           // samples per second as the file states them (kept for information)
    std::int32_t size;           // bytes of sample data, which is also the buffer's size
    std::int32_t id;             // the slot's own index
};

extern SoundSlot soundSlots[kSoundSlots];
extern LPDIRECTSOUND soundDevice;
extern std::int32_t soundFirstInit;

// Every buffer plays 8-bit unsigned mono samples at 22050 per second, whatever its file says.
extern const WAVEFORMATEX soundFormat;

// 1 ready; 0 when the device cannot be made or its cooperative level set. A later call
// keeps the device and frees every slot.
int InitSound();
// The new slot, or -1. controlFlags are buffer capability bits (the game passes 0xE0).
int LoadWav(const char* fileName, int controlFlags);
// flags 0 once, DSBPLAY_LOOPING looped; always from the first sample. 1 started or nothing
// to play, 0 when the buffer refused the rewind or the play.
int PlaySoundEffect(int id, int flags);
int StopSoundEffect(int id);
int StopAllSounds();
// volume 0..100: 100 full, 0 at -30 dB; above 100 is refused (0) and the volume stays.
int SetSoundVolume(int id, int volume);
int SetSoundFrequency(int id, int rate);
int SetSoundPan(int id, int pan);
// -1 for an empty slot, else the buffer's status bits: 1 playing once, 5 looped, 0 stopped.
int SoundStatus(int id);
// A new slot playing the same samples, or -1.
int DuplicateSound(int id);
int DeleteSound(int id);
int DeleteAllSounds();
int ShutdownSound();
// The file a loaded slot came from (a duplicate's is its source's), or null.
const char* SoundFileName(int id);
