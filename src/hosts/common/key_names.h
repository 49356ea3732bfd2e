// The names players and scripts use for keys, the game's keys and a pad's buttons, and the
// codes each stands for.
#pragma once

#include <string>

namespace host {

// The virtual-key and scan codes of a key name (Enter, Escape, Space, Up, Down, Left, Right,
// Ctrl (the left one), LeftCtrl, RightCtrl, Shift, Alt, A to Z, 0 to 9, F1 to F12), any
// case. False for an unknown name.
bool LookUpKey(const std::string& name, int& virtualKey, int& scanCode);
// The other way: the name of the key with both these codes, as scripts spell it
// ("Left", "A", "F5"). False when no name has them.
bool NameOfKey(int virtualKey, int scanCode, std::string& name);

// The keys the game itself reads; any key or pad button can be made to act as one of them.
enum class GameKey { Left, Right, Up, Down, Space, X, Enter, Escape };
constexpr int kGameKeyCount = 8;
// "Left", "Right", "Up", "Down", "Space", "X", "Enter", "Escape".
const char* GameKeyName(GameKey key);
bool LookUpGameKey(const std::string& name, GameKey& key);  // any case
// The codes the game sees for it: those of the key of the same name.
void GameKeyCodes(GameKey key, int& virtualKey, int& scanCode);

// A game controller's buttons as the game knows them; the left stick acts as the pad's
// Up, Down, Left and Right.
enum class PadButton { A, B, X, Y, Start, Back, Up, Down, Left, Right };
constexpr int kPadButtonCount = 10;
// "a", "b", "x", "y", "start", "back", "up", "down", "left", "right".
const char* PadButtonName(PadButton button);
bool LookUpPadButton(const std::string& name, PadButton& button);  // any case

}  // namespace host
