// Tests of the object-service stand-in: objects are only made once the service is started,
// and text converts between UTF-8 and UTF-16 both ways.
#include <gtest/gtest.h>

#include "platform/dmusic.h"
#include "platform/objbase.h"

namespace {

TEST(MusicService, ObjectsNeedTheServiceStarted) {
    void* object = nullptr;
    EXPECT_EQ(CO_E_NOTINITIALIZED,
              CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader, &object));
    EXPECT_EQ(nullptr, object);
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
    EXPECT_EQ(E_NOINTERFACE,
              CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicSegment, &object));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                                     &object));
    auto* performance = static_cast<IDirectMusicPerformance*>(object);
    EXPECT_EQ(DMUS_E_NOT_INIT, performance->AddPort(nullptr));
    EXPECT_EQ(S_OK, performance->Init(nullptr, nullptr, nullptr));
    EXPECT_EQ(DMUS_E_ALREADY_INITED, performance->Init(nullptr, nullptr, nullptr));
    performance->CloseDown();
    performance->Release();
    CoUninitialize();
    CoUninitialize();
}

TEST(TextConversion, Utf8AndUtf16ConvertBothWays) {
    // "ü♪" and a character beyond the 16-bit plane, through the terminator.
    const char* text = "\xC3\xBC\xE2\x99\xAA\xF0\x9F\x8E\xB5";
    WCHAR wide[8] = {};
    ASSERT_EQ(5, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide, 8));
    EXPECT_EQ(0x00FC, wide[0]);
    EXPECT_EQ(0x266A, wide[1]);
    EXPECT_EQ(0xD83C, wide[2]);
    EXPECT_EQ(0xDFB5, wide[3]);
    EXPECT_EQ(0, wide[4]);
    EXPECT_EQ(5, MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0));
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 4)) << "no room for the terminator";
    char back[16] = {};
    ASSERT_EQ(10, WideCharToMultiByte(CP_UTF8, 0, wide, -1, back, 16, nullptr, nullptr));
    EXPECT_STREQ(text, back);
    EXPECT_EQ(1, MultiByteToWideChar(CP_ACP, 0, "\xFF", 1, wide, 8));
    EXPECT_EQ(0xFFFD, wide[0]);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "\xFF", 1, wide, 8));
}

}  // namespace
