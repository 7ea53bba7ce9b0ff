#pragma once
// CommError: a command exchange failed (no prompt in time, a wrong or missing echo).
// ExchangeBusy: a command was refused because another exchange is still waiting for its
// prompt (a timer or a click inside the wait); nothing was sent.
#include <stdexcept>

namespace session {

class CommError : public std::runtime_error
{
public:
    static constexpr int kNumber = 1001;
    CommError() : std::runtime_error("Problem communicating with device.") {}
};

class ExchangeBusy : public std::runtime_error
{
public:
    ExchangeBusy() : std::runtime_error("Another command is waiting for the device.") {}
};

} // namespace session
