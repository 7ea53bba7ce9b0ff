// Texts of raised control errors, raising one, and what the control's sources share.
#pragma once

#include "wiretalk/telnet_client.h"

namespace wiretalk {

// The description of a control error or component code: the standard text, the
// component's message, or "Unknown control error <n>".
QString ErrorText(int number);

// Throws ControlError(number, ErrorText(number)).
[[noreturn]] void Raise(int number);

// Timeout as the control keeps it: a value outside 0..600 seconds becomes 600.
inline short ClampedTimeout(int seconds)
{
    return (seconds < 0 || seconds > 600) ? short(600) : static_cast<short>(seconds);
}

// Live controls, counted for DllCanUnloadNow.
void ControlCreated();
void ControlDestroyed();

} // namespace wiretalk
