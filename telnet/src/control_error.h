// Texts of raised control errors, and raising one.
#pragma once

#include "wiretalk/telnet_client.h"

namespace wiretalk {

// The description of a control error or component code: the standard text, the
// component's message, or "Unknown control error <n>".
QString ErrorText(int number);

// Throws ControlError(number, ErrorText(number)).
[[noreturn]] void Raise(int number);

// Live controls, counted for DllCanUnloadNow.
void ControlCreated();
void ControlDestroyed();

} // namespace wiretalk
