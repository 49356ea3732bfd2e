// Music: MIDI pieces loaded into slots at start-up, played one at a time, and the audio start-up and shut-down.
#include "audio/music.h"

#include <cstring>

#include "audio/sound.h"
#include "common/program.h"

MusicSlot musicSlots[kMusicSlots] = {};
MusicId currentMusic = -1;
LPDIRECTMUSICPERFORMANCE musicPerformance = nullptr;
LPDIRECTMUSICLOADER musicLoader = nullptr;

namespace {

// Segment parameters go to every track group.
constexpr DWORD kAllGroups = 0xFFFFFFFFu;

// The slot when the id names one that holds a loaded piece, else null.
MusicSlot* LoadedSlot(int id) {
    if (id < 0 || id >= kMusicSlots) return nullptr;
    MusicSlot& slot = musicSlots[id];
    if (!slot.segment || slot.state == kMusicFree) return nullptr;
    return &slot;
}

// Empties a slot that holds a segment: its instruments are unloaded (whatever the answer),
// the segment and its last state released. Nothing is stopped.
void EmptySlot(MusicSlot& slot) {
    if (!slot.segment) return;
    slot.segment->SetParam(GUID_Unload, kAllGroups, 0, 0, musicPerformance);
    slot.segment->Release();
    slot.segment = nullptr;
    if (slot.segmentState) {
        slot.segmentState->Release();
        slot.segmentState = nullptr;
    }
    slot.state = kMusicFree;
    slot.fileName.clear();
}

}  // namespace

int InitMusic() {
    if (FAILED(CoInitialize(nullptr))) return 0;
    if (FAILED(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                                reinterpret_cast<LPVOID*>(&musicPerformance))))
        return 0;
    // The performance makes its own DirectMusic object and plays through our sound device.
    if (FAILED(musicPerformance->Init(nullptr, soundDevice, mainWindow))) return 0;
    if (FAILED(musicPerformance->AddPort(nullptr))) return 0;
    if (FAILED(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader,
                                reinterpret_cast<LPVOID*>(&musicLoader))))
        return 0;
    for (int i = 0; i < kMusicSlots; ++i) {
        MusicSlot& slot = musicSlots[i];
        if (slot.segment) slot.segment->Release();
        if (slot.segmentState) slot.segmentState->Release();
        slot.segment = nullptr;
        slot.segmentState = nullptr;
        slot.id = i;
        slot.state = kMusicFree;
        slot.fileName.clear();
    }
    currentMusic = -1;
    return 1;
}

int LoadMidi(const char* fileName) {
    int id = -1;
    for (int i = 0; i < kMusicSlots; ++i) {
        if (musicSlots[i].state == kMusicFree) {
            id = i;
            break;
        }
    }
    if (id < 0 || !musicLoader || !fileName) return -1;

    // The loader looks in the working directory, told again on every load.
    char directory[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) return -1;
    WCHAR wideDirectory[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, directory, -1, wideDirectory, MAX_PATH) == 0) return -1;
    if (FAILED(musicLoader->SetSearchDirectory(GUID_DirectMusicAllTypes, wideDirectory, FALSE))) return -1;

    DMUS_OBJECTDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.guidClass = CLSID_DirectMusicSegment;
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, fileName, -1, desc.wszFileName, DMUS_MAX_FILENAME) == 0) return -1;
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;

    LPDIRECTMUSICSEGMENT segment = nullptr;
    if (FAILED(musicLoader->GetObject(&desc, IID_IDirectMusicSegment, reinterpret_cast<LPVOID*>(&segment)))) return -1;
    // A segment that will not take the parameters is of no use: it goes at once.
    if (FAILED(segment->SetParam(GUID_StandardMIDIFile, kAllGroups, 0, 0, musicPerformance)) ||
        FAILED(segment->SetParam(GUID_Download, kAllGroups, 0, 0, musicPerformance))) {
        segment->Release();
        return -1;
    }

    MusicSlot& slot = musicSlots[id];
    slot.segment = segment;
    slot.segmentState = nullptr;
    slot.state = kMusicLoaded;
    slot.fileName = fileName;
    return id;
}

int PlayMusic(int id) {
    MusicSlot* slot = LoadedSlot(id);
    if (!slot) return 0;
    // Also when this piece is the current one: it starts again from its beginning.
    if (currentMusic != -1) StopMusic(currentMusic);
    if (slot->segmentState) {
        slot->segmentState->Release();
        slot->segmentState = nullptr;
    }
    if (musicPerformance) musicPerformance->PlaySegment(slot->segment, 0, 0, &slot->segmentState);
    currentMusic = id;
    slot->state = kMusicPlaying;
    return 1;
}

int StopMusic(int id) {
    MusicSlot* slot = LoadedSlot(id);
    if (!slot) return 0;
    if (musicPerformance) musicPerformance->Stop(slot->segment, nullptr, 0, 0);
    slot->state = kMusicStopped;
    currentMusic = -1;  // whichever piece was current
    return 1;
}

int MusicStatus(int id) {
    MusicSlot* slot = LoadedSlot(id);
    if (!slot) return 0;
    const bool playing = musicPerformance && musicPerformance->IsPlaying(slot->segment, nullptr) == S_OK;
    slot->state = playing ? kMusicPlaying : kMusicStopped;
    return slot->state;
}

int DeleteMidi(int id) {
    if (id >= 0 && id < kMusicSlots) EmptySlot(musicSlots[id]);
    return 1;
}

int DeleteAllMidi() {
    for (MusicSlot& slot : musicSlots) EmptySlot(slot);
    return 1;
}

int ShutdownMusic() {
    if (musicPerformance) musicPerformance->Stop(nullptr, nullptr, 0, 0);
    DeleteAllMidi();
    if (musicPerformance) {
        musicPerformance->CloseDown();
        musicPerformance->Release();
        musicPerformance = nullptr;
    }
    if (musicLoader) {
        musicLoader->Release();
        musicLoader = nullptr;
    }
    CoUninitialize();
    return 1;
}

int InitAudio() {
    if (InitSound() != 1) return 0;
    return InitMusic() == 1 ? 1 : 0;
}

int ShutdownAudio() {
    DeleteAllMidi();
    ShutdownMusic();
    StopAllSounds();
    DeleteAllSounds();
    ShutdownSound();
    return 1;
}

const char* MusicFileName(int id) {
    const MusicSlot* slot = LoadedSlot(id);
    return slot ? slot->fileName.c_str() : nullptr;
}
