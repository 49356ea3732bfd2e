// Colours of the game's pictures: the RGB type, the transparent key and the shared palette.
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr Rgb() = default;
    constexpr Rgb(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)), b(static_cast<std::uint8_t>(blue)) {}
    constexpr bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The sprite colour key: pure magenta, 0xF81F once packed as 5.6.5. Never used as art.
constexpr Rgb kKey{255, 0, 255};

// True when a colour would pack to the key in 5.6.5 (and so turn see-through in a sprite).
constexpr bool PacksToKey(Rgb c) {
    return (c.r >> 3) == 31 && (c.g >> 2) == 0 && (c.b >> 3) == 31;
}

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
inline Rgb Mix(Rgb a, Rgb b, float t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5f); };
    return Rgb(lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b));
}

namespace pal {
// Outlines and darkest tones: a deep blue-violet rather than flat black.
constexpr Rgb kInk{28, 24, 38};
constexpr Rgb kInkSoft{52, 46, 66};
constexpr Rgb kWhite{250, 248, 240};
constexpr Rgb kCream{244, 232, 200};

// Sky, day.
constexpr Rgb kSkyTop{86, 150, 222};
constexpr Rgb kSkyMid{126, 186, 236};
constexpr Rgb kSkyLow{176, 220, 244};
constexpr Rgb kCloud{250, 250, 246};
constexpr Rgb kCloudShade{208, 222, 238};
constexpr Rgb kCloudDeep{170, 190, 220};

// Dusk (title screen).
constexpr Rgb kDuskTop{22, 24, 58};
constexpr Rgb kDusk1{44, 42, 96};
constexpr Rgb kDusk2{92, 60, 124};
constexpr Rgb kDusk3{178, 88, 104};
constexpr Rgb kDusk4{236, 138, 92};
constexpr Rgb kDusk5{252, 196, 112};

// Greens.
constexpr Rgb kLeafDark{34, 84, 58};
constexpr Rgb kLeaf{56, 122, 66};
constexpr Rgb kLeafLight{104, 170, 74};
constexpr Rgb kLeafPale{158, 204, 96};
constexpr Rgb kHillFar{132, 178, 190};
constexpr Rgb kHillMid{100, 156, 128};

// Stone, paving, road.
constexpr Rgb kStoneLight{202, 198, 188};
constexpr Rgb kStone{170, 166, 158};
constexpr Rgb kStoneDark{128, 124, 120};
constexpr Rgb kAsphaltLight{96, 98, 108};
constexpr Rgb kAsphalt{74, 76, 88};
constexpr Rgb kAsphaltDark{56, 58, 70};
constexpr Rgb kLaneWhite{236, 236, 226};
constexpr Rgb kLaneYellow{240, 196, 64};

// Building materials.
constexpr Rgb kBrick{178, 78, 58};
constexpr Rgb kBrickLight{204, 106, 78};
constexpr Rgb kBrickDark{132, 54, 46};
constexpr Rgb kWood{150, 96, 56};
constexpr Rgb kWoodLight{188, 132, 80};
constexpr Rgb kWoodDark{100, 62, 40};
constexpr Rgb kSlate{78, 84, 108};
constexpr Rgb kSlateLight{108, 116, 142};
constexpr Rgb kSlateDark{54, 58, 80};
constexpr Rgb kTerracotta{196, 98, 60};
constexpr Rgb kTerracottaLight{222, 132, 84};
constexpr Rgb kTerracottaDark{146, 66, 44};
constexpr Rgb kGlass{120, 176, 214};
constexpr Rgb kGlassLight{196, 230, 244};
constexpr Rgb kGlassDark{70, 112, 160};
constexpr Rgb kLitWindow{252, 214, 120};
constexpr Rgb kLitWindowDeep{236, 160, 76};
constexpr Rgb kSteel{150, 158, 170};
constexpr Rgb kSteelDark{96, 102, 116};
constexpr Rgb kGirder{226, 128, 48};
constexpr Rgb kGirderDark{170, 84, 36};
constexpr Rgb kGirderLight{248, 170, 84};

// The hero.
constexpr Rgb kSkin{246, 198, 152};
constexpr Rgb kSkinShade{214, 150, 110};
constexpr Rgb kHair{112, 62, 34};
constexpr Rgb kCap{210, 56, 48};
constexpr Rgb kCapDark{150, 34, 38};
constexpr Rgb kCapLight{240, 110, 86};
constexpr Rgb kShirt{246, 190, 56};
constexpr Rgb kShirtShade{206, 138, 40};
constexpr Rgb kShirtStripe{52, 126, 170};
constexpr Rgb kJeans{62, 98, 178};
constexpr Rgb kJeansShade{44, 68, 136};
constexpr Rgb kJeansLight{96, 134, 206};
constexpr Rgb kShoe{228, 70, 52};
constexpr Rgb kShoeSole{240, 238, 228};
constexpr Rgb kDeck{60, 150, 110};
constexpr Rgb kDeckDark{38, 104, 82};
constexpr Rgb kGrip{58, 56, 66};
constexpr Rgb kWheel{244, 226, 150};
constexpr Rgb kWheelShade{196, 170, 96};
}  // namespace pal
