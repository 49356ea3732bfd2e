// What keys and pad buttons the game sees: a key the player bound acts as its game key, the
// pad's buttons and left stick act as the keys their bindings name, and everything else
// passes through as itself. Both hosts feed their input through one of these.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "hosts/common/key_names.h"

namespace host {

struct Bindings {
    // Keys, by virtual-key code, that act as a game key instead of as themselves. Keys not
    // listed keep their own meaning, so the game's own keys work unless rebound.
    std::map<int, GameKey> keys;
    // What each pad button does, by PadButton; nothing for an empty entry. The D-pad and left
    // stick act as the arrow keys, A as Space, B as X, Start as Enter, Back as Escape.
    std::array<std::optional<GameKey>, kPadButtonCount> pad = DefaultPad();
    bool padEnabled = true;  // false: pads are left alone

    static std::array<std::optional<GameKey>, kPadButtonCount> DefaultPad();
};

// How far the stick must lean (of 32767) before it presses its direction.
constexpr int kStickPress = 16384;

class InputMap {
public:
    // Where the keys go: Platform::DeliverKey in the hosts, a recorder in tests.
    using Sink = std::function<void(int virtualKey, int scanCode, bool down, bool repeat)>;

    InputMap(Bindings bindings, Sink sink);

    // A keyboard key went down (again, when `repeat`) or up.
    void Key(int virtualKey, int scanCode, bool down, bool repeat);
    // A button of pad `pad` (any number that tells pads apart) went down or up.
    void Pad(int pad, PadButton button, bool down);
    // The left stick of pad `pad` is at (x, y), each -32768..32767, y growing downwards.
    void Stick(int pad, int x, int y);
    // The pad went away: whatever it held is let go.
    void ReleasePad(int pad);
    // True when the key (by virtual-key code) is bound to a game key.
    bool Bound(int virtualKey) const { return bindings_.keys.count(virtualKey) != 0; }

private:
    using Source = std::int64_t;         // one key, pad button or stick direction
    using Target = std::pair<int, int>;  // the virtual-key and scan codes the game sees

    void Press(Source source, Target target, bool down, bool repeat);
    void PressPad(Source source, std::optional<GameKey> key, bool down);
    static Target TargetOf(GameKey key);
    static Source PadSource(int pad, int part);

    Bindings bindings_;
    Sink sink_;
    // Who holds each key down: it goes up when the last of them lets go, so a stick and a
    // D-pad, or two keys bound alike, never release each other's key.
    std::map<Target, std::set<Source>> holders_;
    // The stick directions each pad holds: left, right, up, down.
    std::map<int, std::array<bool, 4>> stick_;
};

}  // namespace host
