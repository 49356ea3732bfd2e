// Tests of the sound-buffer stand-in as a voice of the mixer: one-shots end, loops wrap,
// volume, pan and rate scale what is heard, duplicates share samples, locks are checked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/dsound.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "support/installed_host.h"

namespace {

constexpr DWORD kAllControls = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

class SoundBufferVoiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DirectSoundCreate(nullptr, &device_, nullptr), S_OK); }
    void TearDown() override {
        for (auto* b : owned_) b->Release();
        device_->Release();
    }
    // A buffer holding `bytes`, in 8-bit mono at 22050 unless told otherwise.
    IDirectSoundBuffer* Make(const std::vector<std::uint8_t>& bytes, DWORD flags = kAllControls, WORD channels = 1,
                             WORD bits = 8) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, channels, 22050, 0, WORD(channels * bits / 8), bits, 0};
        format.nAvgBytesPerSec = 22050 * format.nBlockAlign;
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags, DWORD(bytes.size()), 0, &format, {}};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), S_OK);
        if (!buffer) return nullptr;
        owned_.push_back(buffer);
        Fill(buffer, bytes);
        return buffer;
    }
    static void Fill(IDirectSoundBuffer* buffer, const std::vector<std::uint8_t>& bytes) {
        LPVOID a = nullptr, b = nullptr;
        DWORD na = 0, nb = 0;
        ASSERT_EQ(buffer->Lock(0, DWORD(bytes.size()), &a, &na, &b, &nb, DSBLOCK_FROMWRITECURSOR), S_OK);
        ASSERT_EQ(na, bytes.size());
        ASSERT_EQ(nb, 0u);
        std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(a));
        ASSERT_EQ(buffer->Unlock(a, na, b, nb), S_OK);
    }
    static std::vector<std::int16_t> Mix(int frames, int rate = host::kMixRate) {
        std::vector<std::int16_t> out(std::size_t(frames) * 2);
        platform::Link().MixAudio(out.data(), frames, rate);
        return out;
    }
    static DWORD Status(IDirectSoundBuffer* b) {
        DWORD s = 99;
        b->GetStatus(&s);
        return s;
    }
    gametest::HandMixedHost host_;
    gametest::InstalledHost installed_{host_};
    IDirectSound* device_ = nullptr;
    std::vector<IDirectSoundBuffer*> owned_;
};

// 0xC0 is half of full scale above the middle.
constexpr int kHalf = 16384;

TEST_F(SoundBufferVoiceTest, OneShotEndsAndLoopWraps) {
    IDirectSoundBuffer* once = Make(std::vector<std::uint8_t>(8, 0xC0));
    ASSERT_EQ(once->Play(0, 0, 0), S_OK);
    EXPECT_EQ(Status(once), DSBSTATUS_PLAYING);
    const auto out = Mix(32);  // 8 samples at 22050 last 16 frames at 44100
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(out[2 * i], kHalf, 2) << i;
    for (int i = 16; i < 32; ++i) EXPECT_EQ(out[2 * i], 0) << i;
    EXPECT_EQ(Status(once), 0u);
    DWORD position = 0;
    once->GetCurrentPosition(&position, nullptr);
    EXPECT_EQ(position, 8u);

    // A looped wave 0, +1/2, 0, -1/2 comes round every 8 frames, joined smoothly.
    once->Release();
    owned_.clear();
    IDirectSoundBuffer* loop = Make({0x80, 0xC0, 0x80, 0x40});
    ASSERT_EQ(loop->Play(0, 0, DSBPLAY_LOOPING), S_OK);
    const auto wave = Mix(1000);
    const int expected[8] = {0, kHalf / 2, kHalf, kHalf / 2, 0, -kHalf / 2, -kHalf, -kHalf / 2};
    for (int i = 0; i < 1000; ++i) ASSERT_NEAR(wave[2 * i + 1], expected[i % 8], 2) << i;
    EXPECT_EQ(Status(loop), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    loop->Stop();
    EXPECT_EQ(Status(loop), 0u);
    EXPECT_EQ(Mix(4)[0], 0);
}

TEST_F(SoundBufferVoiceTest, VolumeAndPanScaleEachSide) {
    IDirectSoundBuffer* b = Make(std::vector<std::uint8_t>(64, 0xC0));
    b->Play(0, 0, DSBPLAY_LOOPING);
    auto Both = [] {
        const auto out = Mix(4);
        return std::make_pair(int(out[4]), int(out[5]));
    };
    EXPECT_EQ(b->SetVolume(-600), S_OK);  // -6 dB: about half
    EXPECT_NEAR(Both().first, kHalf * std::pow(10.0, -0.3), 3);
    EXPECT_EQ(b->SetVolume(-10000), S_OK);
    EXPECT_EQ(Both(), std::make_pair(0, 0));
    EXPECT_EQ(b->SetVolume(1), E_INVALIDARG);
    EXPECT_EQ(b->SetVolume(-10001), E_INVALIDARG);
    LONG volume = 1;
    b->GetVolume(&volume);
    EXPECT_EQ(volume, -10000);

    b->SetVolume(0);
    EXPECT_EQ(b->SetPan(DSBPAN_LEFT), S_OK);
    EXPECT_EQ(Both(), std::make_pair(kHalf, 0));
    EXPECT_EQ(b->SetPan(2000), S_OK);  // 20 dB off the left
    EXPECT_NEAR(Both().first, kHalf / 10, 2);
    EXPECT_EQ(Both().second, kHalf);
    EXPECT_EQ(b->SetPan(10001), E_INVALIDARG);

    // 16-bit stereo keeps its sides apart.
    b->Stop();
    IDirectSoundBuffer* wide = Make({0x00, 0x40, 0x00, 0xC0, 0x00, 0x40, 0x00, 0xC0}, kAllControls, 2, 16);
    wide->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Both(), std::make_pair(kHalf, -kHalf));

    // No control bits, no controls.
    IDirectSoundBuffer* bare = Make(std::vector<std::uint8_t>(8, 0x80), 0);
    EXPECT_EQ(bare->SetVolume(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetPan(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetFrequency(22050), DSERR_CONTROLUNAVAIL);
}

TEST_F(SoundBufferVoiceTest, FrequencyChangesHowFastItPlays) {
    IDirectSoundBuffer* b = Make(std::vector<std::uint8_t>(100, 0xC0));
    auto FramesHeard = [&](DWORD rate) {
        b->SetFrequency(rate);
        b->SetCurrentPosition(0);
        b->Play(0, 0, 0);
        const auto out = Mix(400);
        int heard = 0;
        while (heard < 400 && out[2 * heard] != 0) ++heard;
        return heard;
    };
    EXPECT_EQ(FramesHeard(22050), 200);
    EXPECT_EQ(FramesHeard(44100), 100);
    EXPECT_EQ(FramesHeard(11025), 400);
    EXPECT_EQ(b->SetFrequency(DSBFREQUENCY_ORIGINAL), S_OK);
    DWORD rate = 0;
    b->GetFrequency(&rate);
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(b->SetFrequency(99), E_INVALIDARG);
    EXPECT_EQ(b->SetFrequency(200001), E_INVALIDARG);

    // The fastest rate into a very slow mix steps far past the end each frame, looped or
    // not, and never reads outside the samples.
    b->SetFrequency(DSBFREQUENCY_MAX);
    b->Play(0, 0, DSBPLAY_LOOPING);
    Mix(64, 100);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    b->Play(0, 0, 0);
    Mix(64, 100);
    EXPECT_EQ(Status(b), 0u);
}

TEST_F(SoundBufferVoiceTest, DuplicateSharesSamplesNotState) {
    IDirectSoundBuffer* original = Make(std::vector<std::uint8_t>(16, 0xC0));
    original->SetVolume(-600);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &copy), S_OK);
    owned_.push_back(copy);
    LONG volume = 0;
    copy->GetVolume(&volume);
    EXPECT_EQ(volume, -600);  // starts with the settings of the buffer it copies
    copy->SetVolume(0);
    original->GetVolume(&volume);
    EXPECT_EQ(volume, -600);

    Fill(original, std::vector<std::uint8_t>(16, 0x40));  // written once, heard by both
    copy->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Status(original), 0u);
    EXPECT_NEAR(Mix(4)[4], -kHalf, 2);
    original->Release();
    owned_.erase(owned_.begin());
    EXPECT_NEAR(Mix(4)[4], -kHalf, 2);
    EXPECT_EQ(device_->DuplicateSoundBuffer(nullptr, &copy), E_INVALIDARG);
    EXPECT_EQ(copy, nullptr);
}

TEST_F(SoundBufferVoiceTest, LocksAndCreationAreChecked) {
    IDirectSoundBuffer* b = Make(std::vector<std::uint8_t>(8, 0x80));
    LPVOID a = nullptr, w = nullptr;
    DWORD na = 0, nw = 0;
    // Past the end the lock wraps into a second region at the start.
    ASSERT_EQ(b->Lock(6, 4, &a, &na, &w, &nw, 0), S_OK);
    EXPECT_EQ(na, 2u);
    EXPECT_EQ(nw, 2u);
    LPVOID again = nullptr;
    DWORD nAgain = 0;
    EXPECT_EQ(b->Lock(0, 4, &again, &nAgain, nullptr, nullptr, 0), DSERR_INVALIDCALL);  // already locked
    EXPECT_EQ(b->Unlock(&na, 2, w, 2), E_INVALIDARG);
    EXPECT_EQ(b->Unlock(a, 2, w, 3), E_INVALIDARG);
    EXPECT_EQ(b->Unlock(a, 2, w, 2), S_OK);
    EXPECT_EQ(b->Unlock(a, 2, w, 2), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Lock(8, 1, &a, &na, nullptr, nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(b->Lock(0, 9, &a, &na, nullptr, nullptr, 0), E_INVALIDARG);

    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 22050, 1, 8, 0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC, 3, 0, &format, {}};
    IDirectSoundBuffer* made = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &made, nullptr), E_INVALIDARG);  // too small
    desc.dwBufferBytes = 4;
    format.wBitsPerSample = 12;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &made, nullptr), DSERR_BADFORMAT);
    desc.lpwfxFormat = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &made, nullptr), E_INVALIDARG);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(device_->SetCooperativeLevel(nullptr, DSSCL_NORMAL), E_INVALIDARG);
    const GUID other{1, 2, 3, {4}};
    IDirectSound* second = nullptr;
    EXPECT_NE(DirectSoundCreate(&other, &second, nullptr), S_OK);
    EXPECT_EQ(second, nullptr);
}

}  // namespace
