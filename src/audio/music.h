// Music: a table of 64 slots of loaded MIDI pieces, one piece playing at a time, and audio start and stop.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dmusic.h"

// A slot index 0..63, or -1 for no music (a failed load). Every operation takes -1, and any
// other index outside the table, as an empty slot.
using MusicId = int;

constexpr int kMusicSlots = 64;

// What a slot last learned of its piece.
constexpr std::int32_t kMusicFree = 0;
constexpr std::int32_t kMusicLoaded = 1;
constexpr std::int32_t kMusicPlaying = 2;
constexpr std::int32_t kMusicStopped = 3;

struct MusicSlot {
    LPDIRECTMUSICSEGMENT segment;            // null when the slot is empty; owned by the slot
    LPDIRECTMUSICSEGMENTSTATE segmentState;  // what the slot's last PlayMusic got back; owned
    std::int32_t id;                         // the slot's own index
    std::int32_t state;                      // kMusicFree, kMusicLoaded, kMusicPlaying, kMusicStopped
    std::string fileName;                    // the name it was loaded by, for the trace
};

extern MusicSlot musicSlots[kMusicSlots];
extern MusicId currentMusic;
extern LPDIRECTMUSICPERFORMANCE musicPerformance;
extern LPDIRECTMUSICLOADER musicLoader;

// 1 ready; 0 at the first step that fails (what was made before stays until ShutdownMusic).
int InitMusic();
// The new slot, or -1 on any failure (then the slot stays free). Looked up in the working directory.
int LoadMidi(const char* fileName);
// Stops the current piece, then starts this one from its beginning: 1, or 0 for an empty slot.
int PlayMusic(int id);
// 1 stopped (and no piece is current any more), or 0 for an empty slot.
int StopMusic(int id);
// 2 playing, 3 not playing (also written to the slot), or 0 for an empty slot.
int MusicStatus(int id);
// Frees the slot without stopping it; currentMusic stays. Always 1.
int DeleteMidi(int id);
int DeleteAllMidi();
int ShutdownMusic();
// InitSound, then InitMusic when sound came up: 1 when both did.
int InitAudio();
// Music first, then the sound effects. Always 1.
int ShutdownAudio();
// The file a loaded slot came from, or null.
const char* MusicFileName(int id);
