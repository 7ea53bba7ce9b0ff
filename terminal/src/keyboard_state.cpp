#include "keyboard_state.h"

namespace glyphterm {

KeyboardState &keyboardState()
{
    static KeyboardState keyboard;
    return keyboard;
}

} // namespace glyphterm
