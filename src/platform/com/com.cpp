// The object-service stand-ins: per-thread start-up count, object creation and UTF-8/UTF-16 text.
#include "platform/objbase.h"

#include "platform/dmusic/dmusic_internal.h"

namespace {

thread_local int startCount = 0;

constexpr char32_t kReplacement = 0xFFFD;

bool KnownCodePage(UINT codePage) {
    return codePage == CP_ACP || codePage == CP_UTF8;
}

// Reads one UTF-8 character from text[*at..end); false when the bytes there are not UTF-8
// (then *at has moved past the first bad byte).
bool DecodeUtf8(const unsigned char* text, int end, int* at, char32_t* out) {
    const unsigned char lead = text[(*at)++];
    if (lead < 0x80) {
        *out = lead;
        return true;
    }
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3, value = lead & 0x07, least = 0x10000;
    } else {
        return false;
    }
    for (int i = 0; i < more; ++i) {
        if (*at >= end || (text[*at] & 0xC0) != 0x80) return false;
        value = (value << 6) | (text[(*at)++] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    *out = value;
    return true;
}

// Reads one character from UTF-16; false for an unpaired surrogate.
bool DecodeUtf16(const WCHAR* wide, int end, int* at, char32_t* out) {
    const char32_t first = wide[(*at)++];
    if (first < 0xD800 || first > 0xDFFF) {
        *out = first;
        return true;
    }
    if (first >= 0xDC00 || *at >= end || wide[*at] < 0xDC00 || wide[*at] > 0xDFFF) return false;
    *out = 0x10000 + ((first - 0xD800) << 10) + (wide[(*at)++] - 0xDC00);
    return true;
}

int EncodeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

int EncodeUtf16(char32_t c, WCHAR* out) {
    if (c < 0x10000) {
        out[0] = static_cast<WCHAR>(c);
        return 1;
    }
    c -= 0x10000;
    out[0] = static_cast<WCHAR>(0xD800 + (c >> 10));
    out[1] = static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
    return 2;
}

}  // namespace

HRESULT CoInitialize(LPVOID reserved) {
    if (reserved) return E_INVALIDARG;
    return ++startCount == 1 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (startCount > 0) --startCount;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (startCount == 0) return CO_E_NOTINITIALIZED;
    if (outer) return CLASS_E_NOAGGREGATION;
    if ((context & CLSCTX_INPROC) == 0) return REGDB_E_CLASSNOTREG;
    return dmusic_detail::CreateObject(classId, interfaceId, object);
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int wideLength) {
    if (!KnownCodePage(codePage) || !text || length == 0 || length < -1 || wideLength < 0 || (wideLength > 0 && !wide))
        return 0;
    int end = length;
    if (length == -1) {
        end = 0;
        while (text[end] != '\0') ++end;
        ++end;  // the terminator is converted too
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int written = 0;
    for (int at = 0; at < end;) {
        char32_t c = 0;
        if (!DecodeUtf8(bytes, end, &at, &c)) {
            if (flags & MB_ERR_INVALID_CHARS) return 0;
            c = kReplacement;
        }
        WCHAR units[2];
        const int count = EncodeUtf16(c, units);
        if (wideLength > 0) {
            if (written + count > wideLength) return 0;
            for (int i = 0; i < count; ++i) wide[written + i] = units[i];
        }
        written += count;
    }
    return written;
}

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWSTR wide, int length, LPSTR narrow, int narrowLength,
                        LPCSTR defaultChar, BOOL* usedDefault) {
    if (!KnownCodePage(codePage) || !wide || length == 0 || length < -1 || narrowLength < 0 ||
        (narrowLength > 0 && !narrow) || defaultChar || usedDefault)
        return 0;
    int end = length;
    if (length == -1) {
        end = 0;
        while (wide[end] != 0) ++end;
        ++end;
    }
    int written = 0;
    for (int at = 0; at < end;) {
        char32_t c = 0;
        if (!DecodeUtf16(wide, end, &at, &c)) c = kReplacement;
        char units[4];
        const int count = EncodeUtf8(c, units);
        if (narrowLength > 0) {
            if (written + count > narrowLength) return 0;
            for (int i = 0; i < count; ++i) narrow[written + i] = units[i];
        }
        written += count;
    }
    return written;
}
