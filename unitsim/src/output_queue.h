// The writes of one console waiting to go out, in order. A reply may wait for the
// reply-delay fault switch; everything behind it waits too, as on a real line.
#pragma once

#include "console_session.h"

#include <chrono>
#include <deque>
#include <optional>
#include <string>

namespace unitsim {

using Clock = std::chrono::steady_clock;

class OutputQueue
{
public:
    // Bytes a client may leave unread before the unit gives up on it.
    static constexpr std::size_t kLimit = 64 * 1024;

    // False when the bytes would pass the limit (they are not queued then).
    bool push(Clock::time_point due, std::string bytes,
              SessionWrite::After after = SessionWrite::After::Nothing);

    struct Flushed
    {
        SessionWrite::After after = SessionWrite::After::Nothing; // of the last write completed
        bool failed = false;                                      // the descriptor refused the write
    };
    // Writes what is due to fd (a socket when isSocket) until a write completes with an
    // after-effect, the descriptor would block, or nothing is due.
    Flushed flush(Clock::time_point now, int fd, bool isSocket);

    std::optional<Clock::time_point> nextDue() const;
    bool waitingForDescriptor(Clock::time_point now) const; // due but not yet written
    void clear();

private:
    struct Pending
    {
        Clock::time_point due;
        std::string bytes;
        SessionWrite::After after;
    };
    std::deque<Pending> pending_;
    std::size_t bytes_ = 0;
};

} // namespace unitsim
