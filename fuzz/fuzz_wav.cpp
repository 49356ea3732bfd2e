// Coverage-guided fuzzer for the sound loader: any bytes as a .wav file, loaded, played and mixed, and walked chunk by
// chunk.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "fuzz_files.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "platform/mmsystem.h"

namespace {

void Mix(int frames, int rate) {
    static std::vector<std::int16_t> out(4096 * 2);
    platform::Link().MixAudio(out.data(), frames, rate);
}

// Every chunk the file holds, nested ones included, as far as the walk gets.
void WalkChunks(const char* path) {
    std::string name(path);
    HMMIO file = mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!file) return;
    MMCKINFO riff{};
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == 0) {
        MMCKINFO chunk{};
        char bytes[64];
        for (int steps = 0; steps < 4096 && mmioDescend(file, &chunk, &riff, 0) == 0; ++steps) {
            if (chunk.ckid == FOURCC_LIST) {
                MMCKINFO inner{};
                inner.ckid = mmioFOURCC('I', 'N', 'A', 'M');
                mmioDescend(file, &inner, &chunk, MMIO_FINDCHUNK);
            } else {
                mmioRead(file, bytes, sizeof bytes);
            }
            mmioAscend(file, &chunk, 0);
        }
        MMCKINFO list{};
        mmioSeek(file, 12, SEEK_SET);
        mmioDescend(file, &list, &riff, MMIO_FINDLIST);
    }
    mmioClose(file, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string inputPath = "/tmp/fuzz_wav_" + std::to_string(::getpid()) + ".wav";
    static const bool ready = [] {
        std::atexit([] { std::remove(inputPath.c_str()); });
        InstallSoundHost();
        InitSound();  // no window here: the device is made all the same, which is all loads need
        return soundDevice != nullptr;
    }();
    if (!ready || !WriteFile(inputPath, data, size)) return 0;

    WalkChunks(inputPath.c_str());
    const int id = LoadWav(inputPath.c_str(), 0xE0);
    if (id >= 0) {
        PlaySoundEffect(id, 0);
        Mix(512, host::kMixRate);
        SoundStatus(id);
        const int copy = DuplicateSound(id);
        PlaySoundEffect(copy, 1);
        SetSoundFrequency(copy, 200000);
        SetSoundPan(copy, -10000);
        Mix(300, 100);
        SetSoundVolume(id, 0);
        PlaySoundEffect(id, 1);
        Mix(700, host::kMixRate);
        StopAllSounds();
        DeleteSound(copy);
    }
    InitSound();  // frees every slot again
    return 0;
}
