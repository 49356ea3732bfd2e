// The game's record of each pass for the trace file of scripted runs: the screen state,
// and the state of each level, as the game holds it.
#include "app/trace.h"

#include <cstdio>
#include <string>

#include "app/screens.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "levels/level1.h"
#include "levels/level2.h"
#include "levels/level3.h"
#include "platform/diagnostics.h"

namespace {

// Floats as the game holds them: enough digits to give back the same float.
std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(value));
    return text;
}

std::string Level1Fields() {
    const Sprite& hero = level1Hero;
    std::string f = "\"l1\":{";
    f += "\"x\":" + Number(hero.x) + ",\"y\":" + Number(hero.y);
    f += ",\"vx\":" + Number(hero.velocityX) + ",\"vy\":" + Number(hero.velocityY);
    f += ",\"frame\":" + std::to_string(hero.currentFrame) + ",\"anim\":" + std::to_string(hero.currentAnimation);
    f += ",\"jumping\":" + std::to_string(heroJumping) + ",\"jumpFrames\":" + std::to_string(jumpFrames);
    f += ",\"armed\":" + std::to_string(jumpArmed);
    f += ",\"tiles\":[" + Number(level1Tiles[0].x) + "," + Number(level1Tiles[1].x) + "]";
    f += ",\"houses\":[";
    for (int i = 0; i < 20; ++i) {
        if (i) f += ",";
        f += "[" + Number(level1Houses[i].x) + "," + Number(level1Houses[i].y) + "]";
    }
    f += "]}";
    return f;
}

std::string Flag(bool value) {
    return value ? "true" : "false";
}

std::string Level2Fields() {
    const Sprite& hero = level2Hero;
    std::string f = "\"l2\":{";
    f += "\"x\":" + Number(hero.x) + ",\"y\":" + Number(hero.y) + ",\"bgX\":" + Number(level2Background.x);
    f += ",\"frame\":" + std::to_string(hero.currentFrame) + ",\"anim\":" + std::to_string(hero.currentAnimation);
    f += ",\"jumpTimer\":" + std::to_string(jumpTimer) + ",\"onGround\":" + Flag(onGround);
    f += ",\"blockedLeft\":" + Flag(blockedLeft) + ",\"blockedRight\":" + Flag(blockedRight);
    f += ",\"scanPage\":" + std::to_string(scanPage) + ",\"scanX\":" + std::to_string(scanX) + "}";
    return f;
}

std::string Level3Fields() {
    const Sprite& hero = level3Hero;
    std::string f = "\"l3\":{";
    f += "\"x\":" + Number(hero.x) + ",\"y\":" + Number(hero.y) + ",\"room\":" + std::to_string(roomIndex);
    f += ",\"frame\":" + std::to_string(hero.currentFrame) + ",\"anim\":" + std::to_string(hero.currentAnimation);
    f += "}";
    return f;
}

}  // namespace

void WritePassTrace() {
    if (!TraceEnabled()) return;
    std::string fields;
    fields += "\"screen\":" + std::to_string(ScreenId);
    fields += ",\"cursor\":" + std::to_string(menuCursor);
    fields += ",\"level\":" + std::to_string(currentLevel);
    fields += std::string(",\"cursorShown\":") + (cursorShown ? "true" : "false");
    const char* piece = MusicFileName(currentMusic);
    fields += std::string(",\"music\":") + (piece ? "\"" + std::string(piece) + "\"" : "null");
    fields += ",\"sounds\":{";
    bool first = true;
    for (int id = 0; id < 256; ++id) {
        const int status = SoundStatus(id);
        const char* name = SoundFileName(id);
        if (status == 0 || status == -1 || !name) continue;
        fields += (first ? "\"" : ",\"") + std::string(name) + "\":" + std::to_string(status);
        first = false;
    }
    fields += "}";
    fields += "," + Level1Fields();
    fields += "," + Level2Fields();
    fields += "," + Level3Fields();
    WriteTraceRecord(fields);
}
