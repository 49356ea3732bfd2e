// The WAV writer: sound effects written by the generator and read back by the game's own sound
// loader, byte for byte, in the one layout it plays (8-bit unsigned mono at 22050 Hz).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/winmain.h"
#include "audio/sound.h"
#include "kit/wav_writer.h"
#include "support/installed_host.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The sound module needs its window and device, as the game makes them.
class WavWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "WAVWRITERTEST";
        RegisterClassExA(&windowClass);
        mainWindow =
            CreateWindowExA(0, "WAVWRITERTEST", "Sound", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(mainWindow, nullptr);
        if (!soundDevice) soundFirstInit = 1;
        ASSERT_EQ(InitSound(), 1);
        dir_ = fs::path(::testing::TempDir()) / ("assetgen_wav_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        DeleteAllSounds();
        DestroyWindow(mainWindow);
        mainWindow = nullptr;
        UnregisterClassA("WAVWRITERTEST", nullptr);
        fs::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // What the slot's buffer holds, read back through a lock.
    static Bytes BufferBytes(int id) {
        LPVOID a = nullptr, b = nullptr;
        DWORD na = 0, nb = 0;
        if (soundSlots[id].buffer->Lock(0, soundSlots[id].size, &a, &na, &b, &nb, 0) != S_OK) return {};
        const Bytes bytes(static_cast<std::uint8_t*>(a), static_cast<std::uint8_t*>(a) + na);
        soundSlots[id].buffer->Unlock(a, 0, b, 0);
        return bytes;
    }

    fs::path dir_;
    gametest::HandMixedHost host_;
    gametest::InstalledHost installed_{host_};
};

TEST_F(WavWriterTest, SamplesLoadByteForByte) {
    // Silence is 128; full scale either way is 1 and 255; in between rounds to the nearest step.
    const std::vector<float> samples = {0.0f, 1.0f, -1.0f, 0.5f, -0.5f, 0.25f, 0.002f, -0.002f};
    const Bytes want = {128, 255, 1, 192, 65, 160, 128, 128};  // halves round away from 128.0 - 63.5
    for (int count : {8, 7}) {                                 // an even and an odd number of samples
        SCOPED_TRACE(count);
        const std::string path = Path("effect" + std::to_string(count) + ".wav");
        ASSERT_TRUE(WriteWav8(path, std::vector<float>(samples.begin(), samples.begin() + count)));
        const int id = LoadWav(path.c_str(), 0xE0);
        ASSERT_GE(id, 0);
        EXPECT_EQ(soundSlots[id].rate, 22050);
        EXPECT_EQ(soundSlots[id].size, count);
        EXPECT_EQ(BufferBytes(id), Bytes(want.begin(), want.begin() + count));
    }
}

TEST_F(WavWriterTest, FormatChunkComesFirstAndDataIsPaddedToEvenLength) {
    const std::string path = Path("layout.wav");
    ASSERT_TRUE(WriteWav8(path, {0.0f, 0.5f, -0.5f}));
    const Bytes b = ReadAll(path);
    const Bytes want = {
        'R',  'I',  'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0,  // PCM
        1,    0,                                                                                       // mono
        0x22, 0x56, 0,   0,                                      // 22050 samples a second
        0x22, 0x56, 0,   0,                                      // and as many bytes
        1,    0,    8,   0,                                      // one byte a sample, 8 bits
        'd',  'a',  't', 'a', 3,  0, 0, 0, 128, 192, 65,  128};  // the pad byte, not counted in the data chunk
    EXPECT_EQ(b, want);
}

TEST_F(WavWriterTest, ClippingSamplesAndUnwritablePathsFail) {
    // Past full scale a sample would wrap round; the writer refuses the sound instead.
    for (float loud : {1.01f, -1.01f, 3.0f}) {
        SCOPED_TRACE(loud);
        const std::string path = Path("loud.wav");
        EXPECT_FALSE(WriteWav8(path, {0.0f, loud, 0.0f}));
        EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_FALSE(WriteWav8(Path("no/such/folder/x.wav"), {0.0f}));
    // An empty sound is still a file the game can load.
    const std::string empty = Path("empty.wav");
    ASSERT_TRUE(WriteWav8(empty, {}));
    EXPECT_EQ(fs::file_size(empty), 44u);
}

}  // namespace
