// assetgen: makes every file the game loads (pictures, sound effects and music) and writes them into OUTDIR.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kit/bmp_writer.h"
#include "kit/tune_kit.h"
#include "kit/wav_writer.h"
#include "music/tunes.h"
#include "pictures/girders/girder_layout.h"
#include "pictures/girders/girder_world.h"
#include "pictures/hero/board_rider.h"
#include "pictures/hero/girder_walker.h"
#include "pictures/hero/room_walker.h"
#include "pictures/menu/pages.h"
#include "pictures/menu/title_screen.h"
#include "pictures/rooms/room_pictures.h"
#include "pictures/street/houses.h"
#include "pictures/street/street_tile.h"
#include "sounds/sound_effects.h"

namespace {

enum class KeyRule {
    Opaque,       // drawn without a colour key: anything goes
    NoKey,        // a sprite that must show every pixel: nothing may pack to the key
    KeyIsMagenta  // a sprite sheet: only exact magenta may pack to the key
};

struct Sound {
    const char* name;
    std::function<std::vector<float>()> make;
};

struct Music {
    const char* name;
    std::function<bool(const std::string&)> write;
};

struct Picture {
    const char* name;
    std::function<Canvas()> make;
    KeyRule rule;
};

// Counts the pixels that would turn see-through by accident once packed to 5.6.5.
int StrayKeyPixels(const Canvas& c, KeyRule rule) {
    if (rule == KeyRule::Opaque) return 0;
    int stray = 0;
    for (const Rgb& p : c.Pixels()) {
        if (!PacksToKey(p)) continue;
        if (rule == KeyRule::NoKey || p != kKey) ++stray;
    }
    return stray;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argc > 0 ? argv[0] : "assetgen");
        return 2;
    }
    const std::string out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot make %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }

    const std::vector<Picture> pictures = {
        {"menu.bmp", MakeMenuScreen, KeyRule::Opaque},
        {"option1.bmp", MakeStartPage, KeyRule::Opaque},
        {"option2.bmp", MakeHelpPage, KeyRule::Opaque},
        {"option3.bmp", MakeAboutPage, KeyRule::Opaque},
        {"lev1_backgroundtile.bmp", MakeStreetTile, KeyRule::NoKey},
        {"lev1_houses.bmp", MakeHouseSheet, KeyRule::KeyIsMagenta},
        {"lev1_vandu.bmp", MakeHeroSheet, KeyRule::KeyIsMagenta},
        {"vandu0.BMP", [] { return MakeWalkerSheet(WalkerView::Toward); }, KeyRule::KeyIsMagenta},
        {"vandu1.BMP", [] { return MakeWalkerSheet(WalkerView::Climb); }, KeyRule::KeyIsMagenta},
        {"vandu2.BMP", [] { return MakeWalkerSheet(WalkerView::Right); }, KeyRule::KeyIsMagenta},
        {"vandu3.BMP", [] { return MakeWalkerSheet(WalkerView::Left); }, KeyRule::KeyIsMagenta},
        {"viewback.bmp", MakeGirderWorld, KeyRule::NoKey},
        {"scan00.bmp", [] { return MakeScanPage(0); }, KeyRule::Opaque},
        {"scan01.bmp", [] { return MakeScanPage(1); }, KeyRule::Opaque},
        {"l3room0.bmp", [] { return MakeRoomPicture(0); }, KeyRule::Opaque},
        {"l3room1.bmp", [] { return MakeRoomPicture(1); }, KeyRule::Opaque},
        {"l3maskroom0.bmp", [] { return MakeRoomMask(0); }, KeyRule::Opaque},
        {"l3maskroom1.bmp", [] { return MakeRoomMask(1); }, KeyRule::Opaque},
        {"l3vandu0.BMP", [] { return MakeRoomWalkerSheet(0); }, KeyRule::KeyIsMagenta},
        {"l3vandu1.BMP", [] { return MakeRoomWalkerSheet(1); }, KeyRule::KeyIsMagenta},
        {"l3vandu2.BMP", [] { return MakeRoomWalkerSheet(2); }, KeyRule::KeyIsMagenta},
        {"l3vandu3.BMP", [] { return MakeRoomWalkerSheet(3); }, KeyRule::KeyIsMagenta},
    };

    bool ok = true;
    for (const Picture& picture : pictures) {
        const Canvas canvas = picture.make();
        const int stray = StrayKeyPixels(canvas, picture.rule);
        if (stray > 0) {
            std::fprintf(stderr, "assetgen: %s has %d pixels that would turn transparent\n", picture.name, stray);
            ok = false;
            continue;
        }
        if (!WriteBmp24(out + "/" + picture.name, canvas)) ok = false;
    }

    const std::vector<Sound> sounds = {
        {"lev1_boardloop.wav", MakeBoardLoop},
        {"lev1_jump.wav", MakeJump},
        {"l2fall.wav", MakeHeadBump},
        {"l3_steps.wav", MakeSteps},
    };
    for (const Sound& sound : sounds)
        if (!WriteWav8(out + "/" + sound.name, sound.make())) ok = false;

    const std::vector<Music> music = {
        {"menu_bgmusic.mid", WriteMenuTune},
        {"lev1_bgmusic.mid", WriteStreetTune},
        {"l2bg.mid", WriteGirderTune},
        {"l3bg.mid", WriteRoomsTune},
    };
    for (const Music& piece : music) {
        try {
            if (!piece.write(out + "/" + piece.name)) ok = false;
        } catch (const TuneError& e) {
            std::fprintf(stderr, "assetgen: %s\n", e.what());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
