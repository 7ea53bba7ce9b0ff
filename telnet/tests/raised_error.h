// Test support: the number of the control error an action raises, 0 for none.
#pragma once

#include "wiretalk/telnet_client.h"

#include <functional>

namespace wiretalk::testing {

inline int raisedNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ControlError &error) {
        return error.number();
    }
    return 0;
}

} // namespace wiretalk::testing
