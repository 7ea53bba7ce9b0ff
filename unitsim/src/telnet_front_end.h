// The telnet front end: a listening socket and at most one session. A second
// connection while a session is open is told so and closed.
#pragma once

#include "front_end.h"
#include "telnet_options.h"

#include <cstdint>
#include <memory>
#include <string>

namespace unitsim {

class TelnetFrontEnd : public FrontEndBase
{
public:
    explicit TelnetFrontEnd(UnitContext context);
    ~TelnetFrontEnd() override;

    // Binds and listens; throws std::runtime_error when it cannot.
    void open(const std::string &host, std::uint16_t port);
    std::uint16_t port() const { return port_; }
    const std::string &terminalType() const { return terminalType_; }

    void addPollFds(std::vector<pollfd> &fds, Clock::time_point now) override;
    bool handle(const pollfd *fds, Clock::time_point now) override;
    std::optional<Clock::time_point> nextDeadline() const override;
    void rebootStarted() override;
    void rebootFinished(Clock::time_point) override { rebooting_ = false; }
    bool sendUnasked(std::string bytes, Clock::time_point now) override;

private:
    void acceptConnections(Clock::time_point now);
    void readClient(Clock::time_point now);
    bool flushClient(Clock::time_point now);
    bool clientGone();
    // Sends the last bytes, ends our side and waits briefly for the client to close,
    // so that unread input does not turn the close into a reset that loses them.
    void closeGently(int fd, Clock::time_point now);
    void endSession(Clock::time_point now);
    void dropClient();
    void greetWhenSettled(Clock::time_point now);
    void serviceClosing(const pollfd *fds, std::size_t count, Clock::time_point now);

    UnitContext context_;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    bool rebooting_ = false;

    int clientFd_ = -1;
    std::unique_ptr<TelnetServerProtocol> protocol_;
    std::unique_ptr<ConsoleSession> session_;
    OutputQueue queue_;
    std::string terminalType_;
    bool greeted_ = false;
    Clock::time_point greetBy_;

    struct Closing
    {
        int fd;
        Clock::time_point deadline;
    };
    std::vector<Closing> closing_;
    std::size_t polledClosing_ = 0;
};

} // namespace unitsim
