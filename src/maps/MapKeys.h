// The key codes the map windows act on, as the windows' key tables name
// them (Enter 13, arrows 37 to 40, Delete 46, keypad + 107 and - 109).
#pragma once

#include <Qt>

namespace MapKeys {

constexpr int kEnter = 13;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDelete = 46;
constexpr int kAdd = 107;
constexpr int kSubtract = 109;

// The code of a pressed key; 0 for keys the maps do not know.
int KeyCode(int key, Qt::KeyboardModifiers modifiers);

} // namespace MapKeys
