// The game's record of each pass for the trace file of scripted runs: the screen state,
// and the state of each level, as the game holds it.
#include "app/trace.h"

#include "app/json_fields.h"
#include "app/screens.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "common/game_services.h"
#include "levels/level1.h"
#include "levels/level2.h"
#include "levels/level3.h"

namespace {

JsonObject Level1Fields() {
    const Sprite& hero = level1Hero;
    JsonArray houses;
    for (const Sprite& house : level1Houses) houses.Array(JsonArray().Number(house.x).Number(house.y));
    JsonObject f;
    f.Number("x", hero.x).Number("y", hero.y).Number("vx", hero.velocityX).Number("vy", hero.velocityY);
    f.Int("frame", hero.currentFrame).Int("anim", hero.currentAnimation);
    f.Int("jumping", heroJumping).Int("jumpFrames", jumpFrames).Int("armed", jumpArmed);
    f.Array("tiles", JsonArray().Number(level1Tiles[0].x).Number(level1Tiles[1].x));
    f.Array("houses", houses);
    return f;
}

JsonObject Level2Fields() {
    const Sprite& hero = level2Hero;
    JsonObject f;
    f.Number("x", hero.x).Number("y", hero.y).Number("bgX", level2Background.x);
    f.Int("frame", hero.currentFrame).Int("anim", hero.currentAnimation);
    f.Int("jumpTimer", jumpTimer).Bool("onGround", onGround);
    f.Bool("blockedLeft", blockedLeft).Bool("blockedRight", blockedRight);
    f.Int("scanPage", scanPage).Int("scanX", scanX);
    return f;
}

JsonObject Level3Fields() {
    const Sprite& hero = level3Hero;
    JsonObject f;
    f.Number("x", hero.x).Number("y", hero.y).Int("room", roomIndex);
    f.Int("frame", hero.currentFrame).Int("anim", hero.currentAnimation);
    return f;
}

// The sounds now playing, by file name, with their status bits (1 once, 5 looped).
JsonObject SoundFields() {
    JsonObject f;
    for (int id = 0; id < 256; ++id) {
        const int status = SoundStatus(id);
        const char* name = SoundFileName(id);
        if (status == 0 || status == -1 || !name) continue;
        f.Int(name, status);
    }
    return f;
}

}  // namespace

void WritePassTrace() {
    if (!services::TraceEnabled()) return;
    JsonObject record;
    // The tick count this pass's frame clock started from.
    record.Int("tick", frameStartTick);
    record.Int("screen", ScreenId).Int("cursor", menuCursor).Int("level", currentLevel);
    record.Bool("cursorShown", cursorShown);
    record.String("music", MusicFileName(currentMusic));
    record.Object("sounds", SoundFields());
    record.Object("l1", Level1Fields()).Object("l2", Level2Fields()).Object("l3", Level3Fields());
    services::WriteTraceRecord(record.Members());
}
