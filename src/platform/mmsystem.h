// Our stand-in for the multimedia file service: RIFF files opened for reading, walked chunk by chunk.
#pragma once

#include <cstdio>

#include "platform/windows.h"

using FOURCC = DWORD;
using MMRESULT = UINT;

// Opaque: the platform keeps the file and its position behind the handle.
struct PlatformMmioFile;
using HMMIO = PlatformMmioFile*;

#define mmioFOURCC(c0, c1, c2, c3)                                                                    \
    (static_cast<FOURCC>(static_cast<BYTE>(c0)) | (static_cast<FOURCC>(static_cast<BYTE>(c1)) << 8) | \
     (static_cast<FOURCC>(static_cast<BYTE>(c2)) << 16) | (static_cast<FOURCC>(static_cast<BYTE>(c3)) << 24))

constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

// ---------------------------------------------------------------- results
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_BASE = 256;
constexpr MMRESULT MMIOERR_FILENOTFOUND = MMIOERR_BASE + 1;
constexpr MMRESULT MMIOERR_OUTOFMEMORY = MMIOERR_BASE + 2;
constexpr MMRESULT MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;
constexpr MMRESULT MMIOERR_CANNOTCLOSE = MMIOERR_BASE + 4;
constexpr MMRESULT MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;
constexpr MMRESULT MMIOERR_CANNOTWRITE = MMIOERR_BASE + 6;
constexpr MMRESULT MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;
constexpr MMRESULT MMIOERR_CANNOTEXPAND = MMIOERR_BASE + 8;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;
constexpr MMRESULT MMIOERR_UNBUFFERED = MMIOERR_BASE + 10;
constexpr MMRESULT MMIOERR_PATHNOTFOUND = MMIOERR_BASE + 11;
constexpr MMRESULT MMIOERR_ACCESSDENIED = MMIOERR_BASE + 12;

// ---------------------------------------------------------------- flags
constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_WRITE = 0x00000001;
constexpr DWORD MMIO_READWRITE = 0x00000002;
constexpr DWORD MMIO_CREATE = 0x00001000;
constexpr DWORD MMIO_PARSE = 0x00000100;
constexpr DWORD MMIO_DELETE = 0x00000200;
constexpr DWORD MMIO_EXIST = 0x00004000;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
constexpr DWORD MMIO_GETTEMP = 0x00020000;

constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;

// ---------------------------------------------------------------- records
// Only the fields this stand-in looks at or fills: the open flags it was given and the
// reason an open failed.
struct MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc;
    UINT wErrorRet;
};
using LPMMIOINFO = MMIOINFO*;

struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;      // the form or list type of a "RIFF" or "LIST" chunk
    DWORD dwDataOffset;  // where the chunk's data begins (for RIFF and LIST, its type field)
    DWORD dwFlags;
};
using LPMMCKINFO = MMCKINFO*;

// The sample layout a sound's format chunk describes; 18 bytes in a file.
#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "the format record is read straight from files");
using LPWAVEFORMATEX = WAVEFORMATEX*;
constexpr WORD WAVE_FORMAT_PCM = 1;

// ---------------------------------------------------------------- operations
// Opens a file for reading (MMIO_READ, with or without MMIO_ALLOCBUF); null when it cannot.
// `info`, when given, gets the reason in wErrorRet.
HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Reads up to `count` bytes at the position, never past the end of the file: the count
// read, 0 at the end, -1 on an error. Chunk bounds do not limit a read.
LONG mmioRead(HMMIO file, char* buffer, LONG count);
// SEEK_SET, SEEK_CUR or SEEK_END; the new position, or -1.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Reads the chunk header at the position (flags 0) or searches from there for the chunk
// asked for (MMIO_FINDCHUNK by ckid, MMIO_FINDRIFF / MMIO_FINDLIST by fccType), staying
// inside `parent` and the file. On success the position is at the chunk's data (past the
// type field for RIFF and LIST); on failure it is where it was.
MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags);
// Moves to the end of the chunk and its pad byte (no further than the end of the file).
MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
