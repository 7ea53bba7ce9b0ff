// What the unit's thread needs of a front end: descriptors to poll, a way to handle
// what poll reported, and the two unit-wide events (reboot start and end).
#pragma once

#include "console_session.h"
#include "output_queue.h"

#include <poll.h>
#include <vector>

namespace unitsim {

struct UnitContext
{
    CommandInterpreter &unit;
    Activity &activity;
    const FaultSwitches &faults;
};

class FrontEndBase
{
public:
    virtual ~FrontEndBase() = default;

    // Appends the descriptors to poll; the same number must be handed back to handle().
    virtual void addPollFds(std::vector<pollfd> &fds, Clock::time_point now) = 0;
    // Returns true when a command asked the unit to reboot.
    virtual bool handle(const pollfd *fds, Clock::time_point now) = 0;
    virtual std::optional<Clock::time_point> nextDeadline() const = 0;

    virtual void rebootStarted() = 0;
    virtual void rebootFinished(Clock::time_point now) = 0;
    virtual bool sendUnasked(std::string bytes, Clock::time_point now) = 0;

protected:
    // Queues the session's writes, replies after the reply delay. False when the
    // client has left too much unread.
    static bool queueWrites(OutputQueue &queue, const std::vector<SessionWrite> &writes,
                            Clock::time_point now, const FaultSwitches &faults, bool escapeForTelnet);
};

} // namespace unitsim
