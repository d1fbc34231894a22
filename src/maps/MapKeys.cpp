#include "maps/MapKeys.h"

namespace MapKeys {

int KeyCode(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Left:
        return kLeft;
    case Qt::Key_Up:
        return kUp;
    case Qt::Key_Right:
        return kRight;
    case Qt::Key_Down:
        return kDown;
    case Qt::Key_Delete:
        return kDelete;
    case Qt::Key_Plus:
        return keypad ? kAdd : 0;
    case Qt::Key_Minus:
        return keypad ? kSubtract : 0;
    default:
        return 0;
    }
}

} // namespace MapKeys
