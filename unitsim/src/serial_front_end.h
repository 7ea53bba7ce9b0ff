// The serial console front end on a pseudo-terminal. The unit keeps the slave side
// open itself, so the console stays up while clients come and go, as a serial line does.
#pragma once

#include "front_end.h"

#include <string>

namespace unitsim {

class SerialFrontEnd : public FrontEndBase
{
public:
    explicit SerialFrontEnd(UnitContext context);
    ~SerialFrontEnd() override;

    // Creates the pseudo-terminal in raw mode; throws std::runtime_error when it cannot.
    void open();
    const std::string &slavePath() const { return slavePath_; }

    void addPollFds(std::vector<pollfd> &fds, Clock::time_point now) override;
    bool handle(const pollfd *fds, Clock::time_point now) override;
    std::optional<Clock::time_point> nextDeadline() const override { return queue_.nextDue(); }
    void rebootStarted() override;
    void rebootFinished(Clock::time_point now) override;
    bool sendUnasked(std::string bytes, Clock::time_point now) override;

private:
    UnitContext context_;
    int masterFd_ = -1;
    int slaveFd_ = -1;
    std::string slavePath_;
    bool rebooting_ = false;
    ConsoleSession session_;
    OutputQueue queue_;
};

} // namespace unitsim
