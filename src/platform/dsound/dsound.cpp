// The sound-buffer stand-in: a device object and sample buffers that play themselves into
// the platform's mixer, resampled to the mix rate, with volume, pan and playback rate.
#include "platform/dsound.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "hosts/host.h"
#include "platform/com/com_object.h"
#include "platform/dsound/audio_mixer.h"

// Our hosts have no notion of window focus, so every buffer is heard whether or not the
// game's window has it; the focus capability bits are accepted and change nothing.

namespace {

using SampleMemory = std::shared_ptr<std::vector<std::uint8_t>>;

// Hundredths of a decibel to an amplitude factor; the bottom of the range is silence.
float GainOf(LONG hundredths) {
    if (hundredths <= DSBVOLUME_MIN) return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

bool FormatWeCanPlay(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f.nChannels != 1 && f.nChannels != 2) return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
    if (f.nSamplesPerSec < DSBFREQUENCY_MIN || f.nSamplesPerSec > DSBFREQUENCY_MAX) return false;
    return f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

class SoundBuffer final : public CountedObject<IDirectSoundBuffer>, public platform::AudioVoice {
public:
    SoundBuffer(SampleMemory samples, const WAVEFORMATEX& format, DWORD flags)
        : SoundBuffer(std::move(samples), format, flags, format.nSamplesPerSec, DSBVOLUME_MAX, DSBPAN_CENTER) {}

    // A second buffer on the same sample memory, with this one's settings but its own
    // position, stopped.
    SoundBuffer* Duplicate() {
        DWORD frequency;
        LONG volume, pan;
        {
            std::lock_guard<std::mutex> hold(platform::AudioLock());
            frequency = frequency_;
            volume = volume_;
            pan = pan_;
        }
        return new (std::nothrow) SoundBuffer(samples_, format_, flags_, frequency, volume, pan);
    }

    // ------------------------------------------------------------ the mixer's side
    void MixInto(float* stereo, int frames, int rate) override {
        if (!playing_ || rate <= 0 || frames_ == 0) return;
        const std::uint8_t* data = samples_->data();
        const double size = static_cast<double>(frames_);
        const double step = static_cast<double>(frequency_) / rate;
        for (int i = 0; i < frames; ++i) {
            if (!WrapOrEnd(size)) return;
            const std::size_t index = std::min(static_cast<std::size_t>(cursor_), frames_ - 1);
            const float frac = static_cast<float>(cursor_ - static_cast<double>(index));
            std::size_t next = index + 1;
            if (next >= frames_) next = looping_ ? 0 : index;
            float left0, right0, left1, right1;
            Decode(data, index, &left0, &right0);
            Decode(data, next, &left1, &right1);
            stereo[2 * i] += (left0 + (left1 - left0) * frac) * gainLeft_;
            stereo[2 * i + 1] += (right0 + (right1 - right0) * frac) * gainRight_;
            cursor_ += step;
        }
        WrapOrEnd(size);
    }

    // ------------------------------------------------------------ the game's side
    HRESULT GetCurrentPosition(DWORD* playPosition, DWORD* writePosition) override {
        if (!playPosition && !writePosition) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        const DWORD at = PositionBytes();
        if (playPosition) *playPosition = at;
        if (writePosition) *writePosition = at;
        return S_OK;
    }
    HRESULT GetFrequency(DWORD* frequency) override {
        if (!frequency) return E_INVALIDARG;
        if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        *frequency = frequency_;
        return S_OK;
    }
    HRESULT GetPan(LONG* pan) override {
        if (!pan) return E_INVALIDARG;
        if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        *pan = pan_;
        return S_OK;
    }
    HRESULT GetVolume(LONG* volume) override {
        if (!volume) return E_INVALIDARG;
        if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        *volume = volume_;
        return S_OK;
    }
    HRESULT GetStatus(DWORD* status) override {
        if (!status) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        *status = playing_ ? (DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0)) : 0;
        return S_OK;
    }

    // The game writes into a private copy of the locked bytes; Unlock moves them into the
    // sample memory under the mixer's lock, so no mix ever hears half-written samples.
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2, DWORD* bytes2,
                 DWORD flags) override {
        if (!audio1 || !bytes1) return E_INVALIDARG;
        *audio1 = nullptr;
        *bytes1 = 0;
        if (audio2) *audio2 = nullptr;
        if (bytes2) *bytes2 = 0;
        if (locked_) return DSERR_INVALIDCALL;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        const std::size_t size = samples_->size();
        if (flags & DSBLOCK_FROMWRITECURSOR) offset = PositionBytes() % static_cast<DWORD>(size);
        if (flags & DSBLOCK_ENTIREBUFFER) bytes = static_cast<DWORD>(size);
        if (offset >= size || bytes == 0 || bytes > size) return E_INVALIDARG;
        const std::size_t first = std::min<std::size_t>(bytes, size - offset);
        const std::size_t second = bytes - first;
        if (second > 0 && (!audio2 || !bytes2)) return E_INVALIDARG;
        try {
            staging_.resize(bytes);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        std::memcpy(staging_.data(), samples_->data() + offset, first);
        if (second > 0) std::memcpy(staging_.data() + first, samples_->data(), second);
        lockOffset_ = offset;
        lockFirst_ = first;
        locked_ = true;
        *audio1 = staging_.data();
        *bytes1 = static_cast<DWORD>(first);
        if (second > 0) {
            *audio2 = staging_.data() + first;
            *bytes2 = static_cast<DWORD>(second);
        }
        return S_OK;
    }
    HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) override {
        if (!locked_) return DSERR_INVALIDCALL;
        const std::size_t second = staging_.size() - lockFirst_;
        if (audio1 != staging_.data() || bytes1 > lockFirst_) return E_INVALIDARG;
        if (audio2 ? (second == 0 || audio2 != staging_.data() + lockFirst_ || bytes2 > second) : bytes2 != 0)
            return E_INVALIDARG;
        {
            std::lock_guard<std::mutex> hold(platform::AudioLock());
            std::memcpy(samples_->data() + lockOffset_, staging_.data(), bytes1);
            if (bytes2 > 0) std::memcpy(samples_->data(), staging_.data() + lockFirst_, bytes2);
        }
        std::vector<std::uint8_t>().swap(staging_);
        locked_ = false;
        return S_OK;
    }

    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override {
        if (reserved != 0 || (priority != 0 && !(flags_ & DSBCAPS_LOCDEFER))) return E_INVALIDARG;
        if (flags & ~DSBPLAY_LOOPING) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        // A buffer is a ring: a one-shot that ran out sits at its end, which is its start.
        if (cursor_ >= static_cast<double>(frames_)) cursor_ = 0.0;
        playing_ = true;
        looping_ = (flags & DSBPLAY_LOOPING) != 0;
        return S_OK;
    }
    HRESULT SetCurrentPosition(DWORD position) override {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        if (position >= samples_->size()) return E_INVALIDARG;
        cursor_ = static_cast<double>(position / format_.nBlockAlign);
        return S_OK;
    }
    HRESULT SetFrequency(DWORD frequency) override {
        if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
        if (frequency == DSBFREQUENCY_ORIGINAL) frequency = format_.nSamplesPerSec;
        if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        frequency_ = frequency;
        return S_OK;
    }
    HRESULT SetPan(LONG pan) override {
        if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
        if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        pan_ = pan;
        UpdateGains();
        return S_OK;
    }
    HRESULT SetVolume(LONG volume) override {
        if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
        // Only attenuation: a positive value is refused and the volume stays as it was.
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return E_INVALIDARG;
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        volume_ = volume;
        UpdateGains();
        return S_OK;
    }
    HRESULT Stop() override {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        playing_ = false;
        return S_OK;
    }
    // Our buffers live in plain memory and are never lost.
    HRESULT Restore() override { return S_OK; }

private:
    SoundBuffer(SampleMemory samples, const WAVEFORMATEX& format, DWORD flags, DWORD frequency, LONG volume, LONG pan)
        : samples_(std::move(samples)), format_(format), flags_(flags), frames_(samples_->size() / format.nBlockAlign),
          frequency_(frequency), volume_(volume), pan_(pan) {
        UpdateGains();
        platform::AddVoice(this);
    }
    ~SoundBuffer() override { platform::RemoveVoice(this); }

    // Called with AudioLock() held.
    void UpdateGains() {
        const float volume = GainOf(volume_);
        gainLeft_ = volume * (pan_ > 0 ? GainOf(-pan_) : 1.0f);
        gainRight_ = volume * (pan_ < 0 ? GainOf(pan_) : 1.0f);
    }
    DWORD PositionBytes() const {
        const double frames = std::min(cursor_, static_cast<double>(frames_));
        return static_cast<DWORD>(static_cast<std::size_t>(frames) * format_.nBlockAlign);
    }
    // A looped buffer comes round to its start; a one-shot stops at its end, and stays
    // there. False once the buffer has nothing more to play.
    bool WrapOrEnd(double size) {
        if (cursor_ < size) return true;
        if (looping_) {
            cursor_ = std::fmod(cursor_, size);
            return true;
        }
        playing_ = false;
        cursor_ = size;
        return false;
    }
    // One frame's left and right samples at full scale +-1.0; mono goes to both sides.
    void Decode(const std::uint8_t* data, std::size_t frame, float* left, float* right) const {
        const std::uint8_t* at = data + frame * format_.nBlockAlign;
        if (format_.wBitsPerSample == 8) {
            *left = (static_cast<int>(at[0]) - 128) / 128.0f;
            *right = format_.nChannels == 2 ? (static_cast<int>(at[1]) - 128) / 128.0f : *left;
        } else {
            *left = static_cast<std::int16_t>(at[0] | (at[1] << 8)) / 32768.0f;
            *right = format_.nChannels == 2 ? static_cast<std::int16_t>(at[2] | (at[3] << 8)) / 32768.0f : *left;
        }
    }

    // Fixed when the buffer is made.
    const SampleMemory samples_;
    const WAVEFORMATEX format_;
    const DWORD flags_;
    const std::size_t frames_;
    // Read by the mix: changed only with AudioLock() held.
    double cursor_ = 0.0;  // in frames, fractions included
    bool playing_ = false;
    bool looping_ = false;
    DWORD frequency_;
    LONG volume_ = DSBVOLUME_MAX;
    LONG pan_ = DSBPAN_CENTER;
    float gainLeft_ = 1.0f;
    float gainRight_ = 1.0f;
    // The lock in progress, the game's side only.
    std::vector<std::uint8_t> staging_;
    std::size_t lockOffset_ = 0;
    std::size_t lockFirst_ = 0;
    bool locked_ = false;
};

class SoundDevice final : public CountedObject<IDirectSound> {
public:
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, IUnknown* outer) override {
        if (!buffer) return E_INVALIDARG;
        *buffer = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        if (!desc || !KnownDescSize(desc->dwSize)) return E_INVALIDARG;
        const DWORD flags = desc->dwFlags;
        if (flags & DSBCAPS_PRIMARYBUFFER) return E_NOTIMPL;
        if (flags & (DSBCAPS_CTRL3D | DSBCAPS_CTRLFX | DSBCAPS_CTRLPOSITIONNOTIFY)) return DSERR_CONTROLUNAVAIL;
        if ((flags & DSBCAPS_LOCHARDWARE) && (flags & DSBCAPS_LOCSOFTWARE)) return E_INVALIDARG;
        if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) return E_INVALIDARG;
        if (!desc->lpwfxFormat) return E_INVALIDARG;
        const WAVEFORMATEX format = *desc->lpwfxFormat;
        if (!FormatWeCanPlay(format)) return DSERR_BADFORMAT;
        SampleMemory samples;
        try {
            // Silence, until the game writes its samples in.
            const std::uint8_t quiet = format.wBitsPerSample == 8 ? 0x80 : 0x00;
            samples = std::make_shared<std::vector<std::uint8_t>>(desc->dwBufferBytes, quiet);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        auto* made = new (std::nothrow) SoundBuffer(std::move(samples), format, flags);
        if (!made) return E_OUTOFMEMORY;
        *buffer = made;
        return S_OK;
    }
    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) override {
        if (!duplicate) return E_INVALIDARG;
        *duplicate = nullptr;
        auto* source = dynamic_cast<SoundBuffer*>(original);
        if (!source) return E_INVALIDARG;
        SoundBuffer* copy = source->Duplicate();
        if (!copy) return E_OUTOFMEMORY;
        *duplicate = copy;
        return S_OK;
    }
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override {
        if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return E_INVALIDARG;
        return S_OK;
    }

private:
    ~SoundDevice() override = default;
    // The full record, the same counted with 32-bit pointers, and the older record that
    // stops before guid3DAlgorithm (both ways).
    static bool KnownDescSize(DWORD size) {
        return size == sizeof(DSBUFFERDESC) || size == 36 || size == offsetof(DSBUFFERDESC, guid3DAlgorithm) ||
               size == 20;
    }
};

}  // namespace

HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* created, IUnknown* outer) {
    if (!created) return E_INVALIDARG;
    *created = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (device) return DSERR_NODRIVER;                             // only the default device is there
    if (!host::Current().HasSoundDevice()) return DSERR_NODRIVER;  // nothing would play the buffers
    auto* made = new (std::nothrow) SoundDevice();
    if (!made) return E_OUTOFMEMORY;
    *created = made;
    return S_OK;
}
