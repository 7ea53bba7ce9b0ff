#include "session/waits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace session {

WaitClock::time_point deadlineAfter(WaitClock::time_point start, double seconds)
{
    return start + std::chrono::duration_cast<WaitClock::duration>(std::chrono::duration<double>(seconds));
}

WaitResult waitUntil(const std::function<bool()> &condition, std::optional<WaitClock::time_point> deadline,
                     const std::function<bool()> &stillValid)
{
    // A steady tick wakes the loop so that the clock is looked at even when no other
    // event arrives; between ticks the loop sleeps instead of spinning.
    QTimer tick;
    tick.start(2);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (condition())
            return WaitResult::Done;
        if (stillValid && !stillValid())
            return WaitResult::Abandoned;
        if (deadline && WaitClock::now() > *deadline)
            return WaitResult::TimedOut;
    }
}

} // namespace session
