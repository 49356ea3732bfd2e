// Timing of our frame-sized colour-keyed blit and colour fill, against SDL2's software blitter
// and against plain memcpy / memset of the same bytes as the floor.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ddraw.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::size_t kBytes = kWidth * kHeight * 2;  // 614400
constexpr std::uint16_t kKey = 0xF81F;

// A street-tile-like picture: varied colours with runs of the key colour covering about a
// tenth of every row, so the keyed blit meets groups of all-key, no-key and mixed pixels.
std::vector<std::uint16_t> SpriteSheet() {
    std::vector<std::uint16_t> pixels(kWidth * kHeight);
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int y = 0; y < kHeight; ++y) {
        std::uint16_t* row = &pixels[static_cast<std::size_t>(y) * kWidth];
        for (int x = 0; x < kWidth; ++x) {
            std::uint16_t c = static_cast<std::uint16_t>(next());
            row[x] = c == kKey ? c ^ 1 : c;
        }
        int keyed = 0;
        while (keyed < kWidth / 10) {
            const int length = 3 + static_cast<int>(next() % 21);
            const int start = static_cast<int>(next() % (kWidth - length));
            for (int x = start; x < start + length; ++x)
                if (row[x] != kKey) {
                    row[x] = kKey;
                    ++keyed;
                }
        }
    }
    return pixels;
}

// Our device with a 640x480 source (keyed, holding the sheet) and destination (clipped to the
// screen rectangle, as the game's back surface is).
struct OurPictures {
    IDirectDraw7* device = nullptr;
    IDirectDrawSurface7* source = nullptr;
    IDirectDrawSurface7* dest = nullptr;
    IDirectDrawClipper* clipper = nullptr;

    OurPictures() {
        void* out = nullptr;
        DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr);
        device = static_cast<IDirectDraw7*>(out);
        source = Make();
        dest = Make();
        DDCOLORKEY key{kKey, kKey};
        source->SetColorKey(DDCKEY_SRCBLT, &key);
        const std::vector<std::uint16_t> sheet = SpriteSheet();
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch,
                        &sheet[static_cast<std::size_t>(y) * kWidth], kWidth * 2);
        source->Unlock(nullptr);

        std::vector<char> block(32 + sizeof(RECT));
        auto* region = reinterpret_cast<RGNDATA*>(block.data());
        region->rdh = RGNDATAHEADER{32, RDH_RECTANGLES, 1, sizeof(RECT), RECT{0, 0, kWidth, kHeight}};
        const RECT screen{0, 0, kWidth, kHeight};
        std::memcpy(region->Buffer, &screen, sizeof screen);
        device->CreateClipper(0, &clipper, nullptr);
        clipper->SetClipList(region, 0);
        dest->SetClipper(clipper);
    }
    ~OurPictures() {
        clipper->Release();
        dest->Release();
        source->Release();
        device->Release();
    }
    IDirectDrawSurface7* Make() {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = kWidth;
        desc.dwHeight = kHeight;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        IDirectDrawSurface7* surface = nullptr;
        device->CreateSurface(&desc, &surface, nullptr);
        return surface;
    }
};

struct SdlPictures {
    SDL_Surface* source;
    SDL_Surface* dest;

    SdlPictures() {
        source = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
        dest = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
        const std::vector<std::uint16_t> sheet = SpriteSheet();
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(static_cast<std::uint8_t*>(source->pixels) + y * source->pitch,
                        &sheet[static_cast<std::size_t>(y) * kWidth], kWidth * 2);
        SDL_SetColorKey(source, SDL_TRUE, kKey);
    }
    ~SdlPictures() {
        SDL_FreeSurface(source);
        SDL_FreeSurface(dest);
    }
};

void OurKeyedBlit(benchmark::State& state) {
    OurPictures p;
    for (auto _ : state) {
        p.dest->Blt(nullptr, p.source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(OurKeyedBlit);

void OurColourFill(benchmark::State& state) {
    OurPictures p;
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = static_cast<DWORD>(state.range(0));
    for (auto _ : state) {
        p.dest->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
// 0 is the game's clear (equal bytes); 0x1234 takes the 16-bit pattern path.
BENCHMARK(OurColourFill)->Arg(0)->Arg(0x1234);

void SdlKeyedBlit(benchmark::State& state) {
    SdlPictures p;
    for (auto _ : state) {
        SDL_BlitSurface(p.source, nullptr, p.dest, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(SdlKeyedBlit);

void SdlFill(benchmark::State& state) {
    SdlPictures p;
    const Uint32 colour = static_cast<Uint32>(state.range(0));
    for (auto _ : state) {
        SDL_FillRect(p.dest, nullptr, colour);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(SdlFill)->Arg(0)->Arg(0x1234);

void FloorMemcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(kBytes, 7), to(kBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(FloorMemcpy);

void FloorMemset(benchmark::State& state) {
    std::vector<std::uint8_t> to(kBytes);
    for (auto _ : state) {
        std::memset(to.data(), 0, kBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}
BENCHMARK(FloorMemset);

}  // namespace
