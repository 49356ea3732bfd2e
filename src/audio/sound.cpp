// Sound effects: the slot table, WAV loading into static buffers, and play, stop, status
// and volume by slot.
#include "audio/sound.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/program.h"
#include "platform/mmsystem.h"

SoundSlot soundSlots[kSoundSlots] = {};
LPDIRECTSOUND soundDevice = nullptr;
std::int32_t soundFirstInit = 1;

const WAVEFORMATEX soundFormat = {WAVE_FORMAT_PCM, 1, 22050, 22050, 1, 8, 0};

namespace {

// Refilled for every load.
DSBUFFERDESC bufferDesc = {};
// Which file each slot came from, for the trace.
std::string slotFileNames[kSoundSlots];

// The slot's buffer, or null for an empty slot or an index outside the table.
LPDIRECTSOUNDBUFFER BufferOf(int id) {
    if (id < 0 || id >= kSoundSlots) return nullptr;
    return soundSlots[id].buffer;
}

int LowestFreeSlot() {
    for (int i = 0; i < kSoundSlots; ++i)
        if (soundSlots[i].state == 0) return i;
    return -1;
}

void StopAndRewind(LPDIRECTSOUNDBUFFER buffer) {
    buffer->Stop();
    buffer->SetCurrentPosition(0);
}

// Leaves the slot free and empty.
void ClearSlot(int id) {
    if (soundSlots[id].buffer) soundSlots[id].buffer->Release();
    soundSlots[id] = SoundSlot{nullptr, 0, 0, 0, id};
    slotFileNames[id].clear();
}

// Reads the whole sample data of the "data" chunk the file is now inside. A chunk may
// declare more bytes than the file holds (a cut-off recording, or a made-up size near
// 4 GiB); we take only what the file really holds after the chunk header, so the buffer
// is never larger than the file, and a file that cannot give even that is refused.
std::unique_ptr<BYTE[]> ReadSamples(HMMIO file, DWORD declared, DWORD* got) {
    *got = 0;
    const LONG here = mmioSeek(file, 0, SEEK_CUR);
    const LONG end = mmioSeek(file, 0, SEEK_END);
    if (here < 0 || end < 0 || mmioSeek(file, here, SEEK_SET) != here) return nullptr;
    const DWORD held = end > here ? static_cast<DWORD>(end - here) : 0;
    const DWORD size = std::min(declared, held);
    std::unique_ptr<BYTE[]> samples(new (std::nothrow) BYTE[size > 0 ? size : 1]);
    if (!samples) return nullptr;
    if (size > 0 &&
        mmioRead(file, reinterpret_cast<char*>(samples.get()), static_cast<LONG>(size)) != static_cast<LONG>(size))
        return nullptr;
    *got = size;
    return samples;
}

// Reads an open WAV file: the WAVE form, its format chunk (PCM only) and its data chunk.
// Gives the file's sample rate and a copy of its samples; false when any part is missing.
bool ReadWav(HMMIO file, DWORD* rate, std::unique_ptr<BYTE[]>* samples, DWORD* size) {
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != 0) return false;
    // Whatever the first chunk inside is called, it is read as the format; a 16-byte
    // format chunk lends the last two bytes from what follows it.
    MMCKINFO chunk{};
    if (mmioDescend(file, &chunk, &riff, 0) != 0) return false;
    BYTE formatBytes[sizeof(WAVEFORMATEX)];
    if (mmioRead(file, reinterpret_cast<char*>(formatBytes), sizeof formatBytes) <
        static_cast<LONG>(sizeof formatBytes))
        return false;
    WAVEFORMATEX format{};
    std::memcpy(&format, formatBytes, sizeof format);
    // Only the tag is looked at: other layouts play as our fixed format all the same.
    if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (mmioAscend(file, &chunk, 0) != 0) return false;
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != 0) return false;
    *samples = ReadSamples(file, chunk.cksize, size);
    if (!*samples) return false;
    *rate = format.nSamplesPerSec;
    return true;
}

}  // namespace

int InitSound() {
    if (soundFirstInit) {
        std::memset(soundSlots, 0, sizeof soundSlots);
        soundFirstInit = 0;
        if (FAILED(DirectSoundCreate(nullptr, &soundDevice, nullptr))) return 0;
        if (FAILED(soundDevice->SetCooperativeLevel(mainWindow, DSSCL_NORMAL))) return 0;
    }
    for (int i = 0; i < kSoundSlots; ++i) {
        if (soundSlots[i].buffer) soundSlots[i].buffer->Stop();
        ClearSlot(i);
    }
    return 1;
}

int LoadWav(const char* fileName, int controlFlags) {
    if (!soundDevice) return -1;
    const int id = LowestFreeSlot();
    if (id < 0) return -1;

    DWORD rate = 0;
    DWORD size = 0;
    std::unique_ptr<BYTE[]> samples;
    if (!fileName) return -1;
    // The file service takes the name in a buffer of the caller's, which it may write to.
    std::string name(fileName);
    HMMIO file = mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!file) return -1;
    const bool read = ReadWav(file, &rate, &samples, &size);
    mmioClose(file, 0);
    if (!read) return -1;

    bufferDesc = DSBUFFERDESC{};
    bufferDesc.dwSize = sizeof(DSBUFFERDESC);  // the record up to guid3DAlgorithm: 36 bytes with 32-bit pointers
    bufferDesc.dwFlags = static_cast<DWORD>(controlFlags) | DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE;
    bufferDesc.dwBufferBytes = size;
    bufferDesc.dwReserved = 0;
    bufferDesc.lpwfxFormat = const_cast<LPWAVEFORMATEX>(&soundFormat);
    SoundSlot& slot = soundSlots[id];
    if (FAILED(soundDevice->CreateSoundBuffer(&bufferDesc, &slot.buffer, nullptr))) {
        ClearSlot(id);
        return -1;
    }

    LPVOID region1 = nullptr;
    LPVOID region2 = nullptr;
    DWORD bytes1 = 0;
    DWORD bytes2 = 0;
    if (FAILED(slot.buffer->Lock(0, size, &region1, &bytes1, &region2, &bytes2, DSBLOCK_FROMWRITECURSOR))) {
        ClearSlot(id);
        return -1;
    }
    // Region 1 takes the first bytes and region 2 (normally empty) the rest.
    bytes1 = std::min(bytes1, size);
    bytes2 = std::min(bytes2, size - bytes1);
    std::memcpy(region1, samples.get(), bytes1);
    if (region2 && bytes2 > 0) std::memcpy(region2, samples.get() + bytes1, bytes2);
    if (FAILED(slot.buffer->Unlock(region1, bytes1, region2, bytes2))) {
        ClearSlot(id);
        return -1;
    }

    slot.state = 1;
    slot.rate = static_cast<std::int32_t>(rate);
    slot.size = static_cast<std::int32_t>(size);
    slot.id = id;
    slotFileNames[id] = fileName;
    return id;
}

int PlaySoundEffect(int id, int flags) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return 1;
    if (FAILED(buffer->SetCurrentPosition(0))) return 0;
    if (FAILED(buffer->Play(0, 0, static_cast<DWORD>(flags)))) return 0;
    return 1;
}

int StopSoundEffect(int id) {
    if (LPDIRECTSOUNDBUFFER buffer = BufferOf(id)) StopAndRewind(buffer);
    return 1;
}

int StopAllSounds() {
    for (int i = 0; i < kSoundSlots; ++i)
        if (soundSlots[i].buffer) StopAndRewind(soundSlots[i].buffer);
    return 1;
}

int SetSoundVolume(int id, int volume) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return 0;
    // Counted wide so that no volume overflows; anything out of range is refused anyway.
    const std::int64_t attenuation = (static_cast<std::int64_t>(volume) - 100) * 30;
    const LONG clamped = static_cast<LONG>(std::clamp<std::int64_t>(attenuation, INT32_MIN, INT32_MAX));
    return buffer->SetVolume(clamped) == S_OK ? 1 : 0;
}

int SetSoundFrequency(int id, int rate) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return 0;
    return buffer->SetFrequency(static_cast<DWORD>(rate)) == S_OK ? 1 : 0;
}

int SetSoundPan(int id, int pan) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return 0;
    return buffer->SetPan(pan) == S_OK ? 1 : 0;
}

int SoundStatus(int id) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return -1;
    // A status query that fails reads as stopped, so the caller simply starts it again.
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status))) return 0;
    return static_cast<int>(status);
}

int DuplicateSound(int id) {
    if (id == -1) return -1;
    // Nothing to copy from: an index outside the table, an empty slot, or no device.
    LPDIRECTSOUNDBUFFER source = BufferOf(id);
    if (!source || !soundDevice) return -1;
    const int copy = LowestFreeSlot();
    if (copy < 0) return -1;
    soundSlots[copy] = soundSlots[id];
    if (FAILED(soundDevice->DuplicateSoundBuffer(source, &soundSlots[copy].buffer))) {
        // A failed copy leaves the slot as free as before, its own index included.
        soundSlots[copy] = SoundSlot{nullptr, 0, 0, 0, copy};
        return -1;
    }
    soundSlots[copy].id = copy;
    slotFileNames[copy] = slotFileNames[id];
    return copy;
}

int DeleteSound(int id) {
    LPDIRECTSOUNDBUFFER buffer = BufferOf(id);
    if (!buffer) return 1;
    StopAndRewind(buffer);
    buffer->Release();
    soundSlots[id].buffer = nullptr;
    soundSlots[id].state = 0;
    slotFileNames[id].clear();
    return 1;
}

int DeleteAllSounds() {
    for (int i = 0; i < kSoundSlots; ++i) DeleteSound(i);
    return 1;
}

int ShutdownSound() {
    StopAllSounds();
    for (int i = 0; i < kSoundSlots; ++i) {
        if (!soundSlots[i].buffer) continue;
        soundSlots[i].buffer->Release();
        soundSlots[i].buffer = nullptr;
        slotFileNames[i].clear();
    }
    if (soundDevice) {
        soundDevice->Release();
        soundDevice = nullptr;
    }
    return 1;
}

const char* SoundFileName(int id) {
    if (!BufferOf(id)) return nullptr;
    return slotFileNames[id].c_str();
}
