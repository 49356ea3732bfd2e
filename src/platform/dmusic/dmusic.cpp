// The music stand-in's identities, object creation, segments and the loader that reads MIDI files.
#include "platform/dmusic.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/dmusic/dmusic_internal.h"
#include "platform/files/regular_file.h"

const GUID CLSID_DirectMusicPerformance = {
    0xd2ac2881, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID CLSID_DirectMusicSegment = {0xd2ac2882, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID CLSID_DirectMusicLoader = {0xd2ac2892, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_DirectMusicAllTypes = {0xd2ac2893, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_Download = {0xd2ac28a7, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_Unload = {0xd2ac28a8, 0xb39b, 0x11d1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID GUID_StandardMIDIFile = {0x06621075, 0xe92e, 0x11d1, {0xa8, 0xc5, 0x00, 0xc0, 0x4f, 0xa3, 0x72, 0x6e}};
const GUID IID_IDirectMusicPerformance = {0x07d43d03, 0x6523, 0x11d2, {0x87, 0x1d, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};
const GUID IID_IDirectMusicLoader = {0x2ffaaca2, 0x5dca, 0x11d2, {0xaf, 0xa6, 0x00, 0xaa, 0x00, 0x24, 0xd8, 0xb6}};
const GUID IID_IDirectMusicSegment = {0xf96029a2, 0x4282, 0x11d2, {0x87, 0x17, 0x00, 0x60, 0x08, 0x93, 0xb1, 0xbd}};

namespace dmusic_detail {
namespace {

// Wide text (through its terminator) as a UTF-8 path; false when it is not terminated within
// `capacity` characters.
bool ToPath(const WCHAR* wide, int capacity, std::string* path) {
    int length = 0;
    while (length < capacity && wide[length] != 0) ++length;
    if (length == capacity) return false;
    path->clear();
    if (length == 0) return true;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    path->resize(static_cast<std::size_t>(bytes));
    return WideCharToMultiByte(CP_UTF8, 0, wide, length, &(*path)[0], bytes, nullptr, nullptr) == bytes;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The whole file, if it is a regular file of at most kMaxMidiBytes.
HRESULT ReadWholeFile(const std::string& path, Bytes* bytes) {
    // Opened without waiting, so a named pipe in place of the piece is refused, not waited on.
    std::FILE* file = platform::OpenRegularFileStream(path.c_str());
    if (!file) return DMUS_E_LOADER_FAILEDOPEN;
    struct stat info {};
    HRESULT result = S_OK;
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        result = DMUS_E_LOADER_FAILEDOPEN;
    } else if (static_cast<std::uint64_t>(info.st_size) > kMaxMidiBytes) {
        result = DMUS_E_LOADER_FORMATNOTSUPPORTED;
    } else {
        // Read to the end, whatever the size said, but never past the limit.
        bytes->clear();
        bytes->reserve(static_cast<std::size_t>(info.st_size));
        std::uint8_t chunk[16384];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            if (bytes->size() + got > kMaxMidiBytes) {
                result = DMUS_E_LOADER_FORMATNOTSUPPORTED;
                break;
            }
            bytes->insert(bytes->end(), chunk, chunk + got);
        }
        if (std::ferror(file)) result = DMUS_E_LOADER_FAILEDOPEN;
    }
    std::fclose(file);
    return result;
}

class Loader final : public CountedObject<IDirectMusicLoader> {
public:
    HRESULT GetObject(LPDMUS_OBJECTDESC desc, REFIID interfaceId, LPVOID* object) override;
    HRESULT SetSearchDirectory(REFGUID classId, WCHAR* path, BOOL clear) override;

private:
    // The search directory of a class; GUID_DirectMusicAllTypes for the rest. Empty: none set.
    const std::string& DirectoryFor(REFGUID classId) const;

    std::vector<std::pair<GUID, std::string>> directories_;
    const std::string none_;
};

const std::string& Loader::DirectoryFor(REFGUID classId) const {
    for (const auto& entry : directories_)
        if (IsEqualGUID(entry.first, classId)) return entry.second;
    for (const auto& entry : directories_)
        if (IsEqualGUID(entry.first, GUID_DirectMusicAllTypes)) return entry.second;
    return none_;
}

HRESULT Loader::SetSearchDirectory(REFGUID classId, WCHAR* path, BOOL /*clear*/) {
    if (!path) return E_POINTER;
    std::string directory;
    if (!ToPath(path, MAX_PATH, &directory) || directory.empty() || !IsDirectory(directory))
        return DMUS_E_LOADER_BADPATH;
    for (auto& entry : directories_) {
        if (IsEqualGUID(entry.first, classId)) {
            entry.second = directory;
            return S_OK;
        }
    }
    directories_.emplace_back(classId, directory);
    return S_OK;
}

HRESULT Loader::GetObject(LPDMUS_OBJECTDESC desc, REFIID interfaceId, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!desc) return E_POINTER;
    if (desc->dwSize < sizeof(DMUS_OBJECTDESC)) return E_INVALIDARG;
    if (!(desc->dwValidData & DMUS_OBJ_CLASS)) return DMUS_E_LOADER_NOCLASSID;
    if (!IsEqualGUID(desc->guidClass, CLSID_DirectMusicSegment)) return DMUS_E_UNSUPPORTED_CLASS;
    if (!IsEqualGUID(interfaceId, IID_IDirectMusicSegment)) return E_NOINTERFACE;
    if (!(desc->dwValidData & DMUS_OBJ_FILENAME)) return DMUS_E_LOADER_NOFILENAME;

    std::string name;
    if (!ToPath(desc->wszFileName, DMUS_MAX_FILENAME, &name) || name.empty()) return DMUS_E_LOADER_NOFILENAME;
    std::string path = name;
    if (!(desc->dwValidData & DMUS_OBJ_FULLPATH) && name[0] != '/') {
        const std::string& directory = DirectoryFor(desc->guidClass);
        if (!directory.empty()) path = directory + (directory.back() == '/' ? "" : "/") + name;
    }

    Bytes midi;
    const HRESULT read = ReadWholeFile(path, &midi);
    if (FAILED(read)) return read;
    platform::MidiSummary summary;
    std::string why;
    if (!platform::ReadMidiFile(midi.data(), midi.size(), summary, why) || !SynthAcceptsMidi(midi))
        return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    *object = static_cast<IDirectMusicSegment*>(new Segment(std::move(midi), std::move(summary)));
    return S_OK;
}

}  // namespace

HRESULT Segment::SetParam(REFGUID type, DWORD /*groupBits*/, DWORD /*index*/, MUSIC_TIME /*time*/, void* param) {
    if (IsEqualGUID(type, GUID_StandardMIDIFile)) return midi_.empty() ? DMUS_E_SEGMENT_EMPTY : S_OK;
    if (IsEqualGUID(type, GUID_Download) || IsEqualGUID(type, GUID_Unload)) {
        // The download reads the piece's instruments from the SoundFont into the
        // performance's synthesizer.
        if (!param) return E_POINTER;
        auto* performance = dynamic_cast<Performance*>(static_cast<IDirectMusicPerformance*>(param));
        if (!performance) return E_INVALIDARG;
        if (IsEqualGUID(type, GUID_Unload)) {
            if (downloads_ > 0) --downloads_;
            return S_OK;
        }
        if (!performance->initialised()) return DMUS_E_NOT_INIT;
        performance->HoldInstruments(summary_.instruments);
        ++downloads_;
        return S_OK;
    }
    return DMUS_E_SET_UNSUPPORTED;
}

HRESULT CreateObject(REFCLSID classId, REFIID interfaceId, LPVOID* object) {
    if (IsEqualGUID(classId, CLSID_DirectMusicPerformance)) {
        if (!IsEqualGUID(interfaceId, IID_IDirectMusicPerformance)) return E_NOINTERFACE;
        *object = static_cast<IDirectMusicPerformance*>(new Performance());
        return S_OK;
    }
    if (IsEqualGUID(classId, CLSID_DirectMusicLoader)) {
        if (!IsEqualGUID(interfaceId, IID_IDirectMusicLoader)) return E_NOINTERFACE;
        *object = static_cast<IDirectMusicLoader*>(new Loader());
        return S_OK;
    }
    if (IsEqualGUID(classId, CLSID_DirectMusicSegment)) {
        if (!IsEqualGUID(interfaceId, IID_IDirectMusicSegment)) return E_NOINTERFACE;
        *object = static_cast<IDirectMusicSegment*>(new Segment());
        return S_OK;
    }
    return REGDB_E_CLASSNOTREG;
}

namespace {
std::atomic<bool> synthesisLeftOut{false};
}  // namespace

bool MusicSynthesisLeftOut() {
    return synthesisLeftOut.load(std::memory_order_relaxed);
}

}  // namespace dmusic_detail

namespace platform {

void LeaveOutMusicSynthesis() {
    dmusic_detail::synthesisLeftOut.store(true, std::memory_order_relaxed);
}

}  // namespace platform
