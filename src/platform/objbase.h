// Our stand-in for the object-service basics the music code calls: start-up, object creation, wide text.
#pragma once

#include "platform/unknwn.h"
#include "platform/windows.h"

// Wide text is UTF-16, two bytes a character, as the platform gives it.
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;

constexpr int MAX_PATH = 260;

// ---------------------------------------------------------------- results
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);

// ---------------------------------------------------------------- object creation
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;

// Counts per thread: S_OK the first time, S_FALSE when this thread already started the service.
// `reserved` must be null.
HRESULT CoInitialize(LPVOID reserved);
// Undoes one CoInitialize; does nothing when there is none left to undo.
void CoUninitialize();
// Makes an object of the class (the music performance, loader and segment are the classes
// we know) and hands out the interface asked for, with one reference the caller owns.
HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object);

// ---------------------------------------------------------------- wide text
// The machine's narrow code page is UTF-8 here, so CP_ACP and CP_UTF8 read the same way.
constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;

// Converts `length` bytes of `text` (-1: through its terminator, which is converted too) into
// at most `wideLength` wide characters. Returns the count written, or the count needed when
// `wideLength` is 0; 0 when the text does not fit or cannot be converted. Bytes that are not
// UTF-8 become U+FFFD unless MB_ERR_INVALID_CHARS asks for failure.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int wideLength);
// The way back: `length` wide characters (-1: through the terminator) into at most
// `narrowLength` bytes; same counting rules. `defaultChar` and `usedDefault` must be null
// for UTF-8, as the platform wants; unpaired surrogates become U+FFFD.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR narrow, int narrowLength,
                        LPCSTR defaultChar, BOOL* usedDefault);
