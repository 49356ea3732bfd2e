// Keys, pad buttons and the stick turned into the keys the game sees.
#include "hosts/common/input_map.h"

#include <utility>
#include <vector>

namespace host {
namespace {

// Sources: a keyboard key by its codes, else a pad's button or stick direction.
constexpr std::int64_t kPadSources = std::int64_t{1} << 40;
constexpr int kFirstStickSource = 100;  // stick directions follow the buttons in a pad's numbering

// The pad buttons whose bindings the stick's left, right, up and down follow.
constexpr PadButton kStickButtons[4] = {PadButton::Left, PadButton::Right, PadButton::Up, PadButton::Down};

}  // namespace

std::array<std::optional<GameKey>, kPadButtonCount> Bindings::DefaultPad() {
    std::array<std::optional<GameKey>, kPadButtonCount> pad{};
    pad[static_cast<int>(PadButton::A)] = GameKey::Space;
    pad[static_cast<int>(PadButton::B)] = GameKey::X;
    pad[static_cast<int>(PadButton::Start)] = GameKey::Enter;
    pad[static_cast<int>(PadButton::Back)] = GameKey::Escape;
    pad[static_cast<int>(PadButton::Up)] = GameKey::Up;
    pad[static_cast<int>(PadButton::Down)] = GameKey::Down;
    pad[static_cast<int>(PadButton::Left)] = GameKey::Left;
    pad[static_cast<int>(PadButton::Right)] = GameKey::Right;
    return pad;
}

InputMap::InputMap(Bindings bindings, Sink sink) : bindings_(std::move(bindings)), sink_(std::move(sink)) {}

InputMap::Target InputMap::TargetOf(GameKey key) {
    Target target;
    GameKeyCodes(key, target.first, target.second);
    return target;
}

InputMap::Source InputMap::PadSource(int pad, int part) {
    return kPadSources + (static_cast<std::int64_t>(pad) + (std::int64_t{1} << 31)) * 256 + part;
}

void InputMap::Key(int virtualKey, int scanCode, bool down, bool repeat) {
    const Source source = static_cast<Source>(virtualKey & 0xFFFF) << 16 | (scanCode & 0xFFFF);
    const auto bound = bindings_.keys.find(virtualKey);
    const Target target = bound == bindings_.keys.end() ? Target{virtualKey, scanCode} : TargetOf(bound->second);
    Press(source, target, down, repeat);
}

void InputMap::Pad(int pad, PadButton button, bool down) {
    if (!bindings_.padEnabled) return;
    PressPad(PadSource(pad, static_cast<int>(button)), bindings_.pad[static_cast<int>(button)], down);
}

void InputMap::Stick(int pad, int x, int y) {
    if (!bindings_.padEnabled) return;
    std::array<bool, 4>& held = stick_[pad];
    const bool now[4] = {x <= -kStickPress, x >= kStickPress, y <= -kStickPress, y >= kStickPress};
    for (int direction = 0; direction < 4; ++direction) {
        if (now[direction] == held[direction]) continue;
        held[direction] = now[direction];
        const PadButton button = kStickButtons[direction];
        PressPad(PadSource(pad, kFirstStickSource + direction), bindings_.pad[static_cast<int>(button)],
                 now[direction]);
    }
}

void InputMap::ReleasePad(int pad) {
    stick_.erase(pad);
    const Source first = PadSource(pad, 0);
    const Source last = PadSource(pad, 255);
    std::vector<std::pair<Source, Target>> held;
    for (const auto& [target, sources] : holders_)
        for (Source source : sources)
            if (source >= first && source <= last) held.emplace_back(source, target);
    for (const auto& [source, target] : held) Press(source, target, false, false);
}

void InputMap::PressPad(Source source, std::optional<GameKey> key, bool down) {
    if (key) Press(source, TargetOf(*key), down, false);
}

// A key goes down for the game when its first holder presses it, or again when that holder
// repeats or presses it again; it goes up when the last holder lets go. A release nobody
// held still goes through, as the key said so.
void InputMap::Press(Source source, Target target, bool down, bool repeat) {
    std::set<Source>& holders = holders_[target];
    if (down) {
        const bool heldByOthers = !holders.empty() && holders.count(source) == 0;
        holders.insert(source);
        if (!heldByOthers) sink_(target.first, target.second, true, repeat);
        return;
    }
    holders.erase(source);
    if (holders.empty()) sink_(target.first, target.second, false, false);
}

}  // namespace host
