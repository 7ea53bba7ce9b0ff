#pragma once
// The waits of the session: loops that yield to the event loop on every pass until
// their condition holds or their time is up. Every wait also ends when `stillValid`
// turns false (the transport closed under it).
#include <chrono>
#include <functional>
#include <optional>

namespace session {

using WaitClock = std::chrono::steady_clock;

enum class WaitResult
{
    Done,
    TimedOut,
    Abandoned
};

// Waits until `condition` holds, `stillValid` fails, or the deadline passes (none: no
// time limit).
WaitResult waitUntil(const std::function<bool()> &condition, std::optional<WaitClock::time_point> deadline,
                     const std::function<bool()> &stillValid = {});

// Deadline `seconds` after `start`.
WaitClock::time_point deadlineAfter(WaitClock::time_point start, double seconds);

inline WaitResult waitFor(const std::function<bool()> &condition, double seconds,
                          const std::function<bool()> &stillValid = {})
{
    return waitUntil(condition, deadlineAfter(WaitClock::now(), seconds), stillValid);
}

} // namespace session
