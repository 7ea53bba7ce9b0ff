#pragma once
// The clock of the monitors: the time stamps of history points and link log entries. Tests
// set it, so that what is drawn and written at a moment can be known in advance.
#include <QDateTime>
#include <functional>

namespace monitor {

class MonitorClock
{
public:
    QDateTime now() const { return now_ ? now_() : QDateTime::currentDateTime(); }
    // None: the system clock.
    void set(std::function<QDateTime()> now) { now_ = std::move(now); }

private:
    std::function<QDateTime()> now_;
};

} // namespace monitor
