// Our stand-in for the music service: a performance that plays standard MIDI files, a loader and segments.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/objbase.h"
#include "platform/unknwn.h"
#include "platform/windows.h"

struct IDirectSound;  // the sound device; the performance only takes it
struct IStream;

using REFERENCE_TIME = std::int64_t;  // 100-nanosecond units
using MUSIC_TIME = std::int32_t;      // the performance's beat clock

// ---------------------------------------------------------------- classes, interfaces, parameters
extern const GUID CLSID_DirectMusicPerformance;
extern const GUID CLSID_DirectMusicLoader;
extern const GUID CLSID_DirectMusicSegment;
extern const GUID IID_IDirectMusicPerformance;
extern const GUID IID_IDirectMusicLoader;
extern const GUID IID_IDirectMusicSegment;
extern const GUID GUID_DirectMusicAllTypes;
extern const GUID GUID_StandardMIDIFile;  // the segment holds a standard MIDI file
extern const GUID GUID_Download;          // its instruments go to a performance
extern const GUID GUID_Unload;            // and are taken back

// ---------------------------------------------------------------- results
constexpr HRESULT DMUS_E_NOT_INIT = static_cast<HRESULT>(0x88781300u);
constexpr HRESULT DMUS_E_ALREADY_INITED = static_cast<HRESULT>(0x88781301u);
constexpr HRESULT DMUS_E_NO_PORT = static_cast<HRESULT>(0x88781302u);
constexpr HRESULT DMUS_E_SET_UNSUPPORTED = static_cast<HRESULT>(0x88781303u);
constexpr HRESULT DMUS_E_SEGMENT_EMPTY = static_cast<HRESULT>(0x88781304u);
constexpr HRESULT DMUS_E_LOADER_NOCLASSID = static_cast<HRESULT>(0x88781310u);
constexpr HRESULT DMUS_E_LOADER_BADPATH = static_cast<HRESULT>(0x88781311u);
constexpr HRESULT DMUS_E_LOADER_FAILEDOPEN = static_cast<HRESULT>(0x88781312u);
constexpr HRESULT DMUS_E_LOADER_FORMATNOTSUPPORTED = static_cast<HRESULT>(0x88781313u);
constexpr HRESULT DMUS_E_LOADER_NOFILENAME = static_cast<HRESULT>(0x88781314u);
constexpr HRESULT DMUS_E_UNSUPPORTED_CLASS = static_cast<HRESULT>(0x88781315u);

// ---------------------------------------------------------------- object descriptions
constexpr DWORD DMUS_OBJ_OBJECT = 0x1;
constexpr DWORD DMUS_OBJ_CLASS = 0x2;
constexpr DWORD DMUS_OBJ_NAME = 0x4;
constexpr DWORD DMUS_OBJ_CATEGORY = 0x8;
constexpr DWORD DMUS_OBJ_FILENAME = 0x10;
constexpr DWORD DMUS_OBJ_FULLPATH = 0x20;

constexpr int DMUS_MAX_NAME = 64;
constexpr int DMUS_MAX_CATEGORY = 64;
constexpr int DMUS_MAX_FILENAME = MAX_PATH;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct DMUS_VERSION {
    DWORD dwVersionMS;
    DWORD dwVersionLS;
};

// What the loader is asked for. We look at dwSize, dwValidData, guidClass and wszFileName.
struct DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidObject;
    GUID guidClass;
    FILETIME ftDate;
    DMUS_VERSION vVersion;
    WCHAR wszName[DMUS_MAX_NAME];
    WCHAR wszCategory[DMUS_MAX_CATEGORY];
    WCHAR wszFileName[DMUS_MAX_FILENAME];
    std::int64_t llMemLength;
    BYTE* pbMemData;
    IStream* pStream;
};
using LPDMUS_OBJECTDESC = DMUS_OBJECTDESC*;

// ---------------------------------------------------------------- interfaces
struct IDirectMusic : IUnknown {};
struct IDirectMusicPort : IUnknown {};

// One run of a segment, as PlaySegment started it.
struct IDirectMusicSegmentState : IUnknown {};

// A piece of music in memory: a whole standard MIDI file, read once by the loader.
struct IDirectMusicSegment : IUnknown {
    // GUID_StandardMIDIFile, GUID_Download and GUID_Unload (the last two take the performance
    // as `param`); every group and index is the same to us.
    virtual HRESULT SetParam(REFGUID type, DWORD groupBits, DWORD index, MUSIC_TIME time, void* param) = 0;
};

// Plays one segment at a time through a software synthesizer into the platform's mix.
struct IDirectMusicPerformance : IUnknown {
    // Makes the synthesizer. `music` may be null; when it points at null it receives a
    // DirectMusic object of its own. The sound device and window are taken and not needed.
    virtual HRESULT Init(IDirectMusic** music, IDirectSound* sound, HWND window) = 0;
    // Only null (the default port): joins the platform's mix. Needed before PlaySegment.
    virtual HRESULT AddPort(IDirectMusicPort* port) = 0;
    // Stops what plays and starts the segment from its beginning, once, now (flags and start
    // time are not looked at). `state` may be null.
    virtual HRESULT PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME startTime,
                                IDirectMusicSegmentState** state) = 0;
    // Stops the segment (or the run `state`) if it is the one playing; both null: everything.
    // Its notes are released now, whatever `time` and `flags` say.
    virtual HRESULT Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME time,
                         DWORD flags) = 0;
    // S_OK while the segment (or the run) plays and has not reached its end, else S_FALSE.
    virtual HRESULT IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state) = 0;
    // Stops, leaves the mix and drops the synthesizer; the object can only be released after.
    virtual HRESULT CloseDown() = 0;
};

// Finds and reads music files. Every GetObject reads its file anew into a fresh segment.
struct IDirectMusicLoader : IUnknown {
    // Asks for a segment (class CLSID_DirectMusicSegment, DMUS_OBJ_CLASS) by file name
    // (DMUS_OBJ_FILENAME), relative to the search directory unless DMUS_OBJ_FULLPATH is set.
    // The whole file is read now; files over 4 MiB and files the synthesizer cannot play are
    // refused.
    virtual HRESULT GetObject(LPDMUS_OBJECTDESC desc, REFIID interfaceId, LPVOID* object) = 0;
    // Where relative file names are looked up, for one class or GUID_DirectMusicAllTypes. The
    // directory must exist. We keep no cache of loaded objects, so `clear` changes nothing.
    virtual HRESULT SetSearchDirectory(REFGUID classId, WCHAR* path, BOOL clear) = 0;
};

using LPDIRECTMUSICPERFORMANCE = IDirectMusicPerformance*;
using LPDIRECTMUSICLOADER = IDirectMusicLoader*;
using LPDIRECTMUSICSEGMENT = IDirectMusicSegment*;
using LPDIRECTMUSICSEGMENTSTATE = IDirectMusicSegmentState*;

namespace platform {

// What the SoundFont choice came to, told once, by the first performance that starts,
// when a font was passed over or none loads.
struct SoundFontOutcome {
    std::string loaded;      // the font the music plays with; empty when none loads
    std::string passedOver;  // the first font that is there but was refused or did not load
    std::string why;         // why our reader refused it; empty when the synthesizer did
};
using SoundFontNews = std::function<void(const SoundFontOutcome& outcome)>;
// The SoundFonts every performance made from now on tries, in order, keeping the first that
// our reader finds whole (platform/dmusic/sound_font_file.h) and the synthesizer loads. When
// none loads, the music plays on in silence. `news` hears of a font passed over, or of none.
void ChooseSoundFonts(std::vector<std::string> paths, SoundFontNews news);
// Whether the music may fall behind the reading of its SoundFont and instruments rather than
// hold the game up, for every performance started from now on. Off, the first piece played
// and the first mix wait for the SoundFont, so that every run renders the same samples. On,
// for play in real time: while the SoundFont, or the instruments of a piece about to start,
// are still being read, the performance keeps the passes' time and the game's plays and
// stops and the music stays silent; once the reading is over the synthesizer goes through
// what it missed, a few passes' worth at each mix, and from then on sounds exactly as it
// would have. The statuses the game reads are the same either way.
void LetMusicCatchUp(bool catchUp);
// Waits until every performance has read the instruments of the segments downloaded so far
// (they are read on a thread of their own while the game starts): for measurements of the
// game's passes that must not count the loading.
void FinishReadingInstruments();
// From now on the synthesizers render nothing: pieces still start, play for their length and
// end, and take every control as ever, but the music adds silence to the mix. For measuring
// what the rest of a pass costs without the music's synthesis.
void LeaveOutMusicSynthesis();

}  // namespace platform
