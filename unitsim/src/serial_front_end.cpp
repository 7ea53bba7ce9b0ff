#include "serial_front_end.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace unitsim {

SerialFrontEnd::SerialFrontEnd(UnitContext context)
    : context_(context), session_(FrontEnd::Serial, context.unit, context.activity, context.faults)
{}

SerialFrontEnd::~SerialFrontEnd()
{
    if (masterFd_ >= 0)
        ::close(masterFd_);
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
}

void SerialFrontEnd::open()
{
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    if (::openpty(&masterFd_, &slaveFd_, name, &raw, nullptr) != 0)
        throw std::runtime_error(std::string("cannot create a pseudo-terminal: ") + std::strerror(errno));
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);
    slavePath_ = name;
}

void SerialFrontEnd::addPollFds(std::vector<pollfd> &fds, Clock::time_point now)
{
    short events = POLLIN;
    if (queue_.waitingForDescriptor(now))
        events |= POLLOUT;
    fds.push_back({masterFd_, events, 0});
}

bool SerialFrontEnd::handle(const pollfd *fds, Clock::time_point now)
{
    if (fds[0].revents & POLLIN) {
        char buffer[4096];
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        // While the unit restarts, whatever arrives on the line is lost.
        if (n > 0 && !rebooting_) {
            const auto writes = session_.receive(std::string_view(buffer, static_cast<std::size_t>(n)));
            // A client that stops reading loses what did not fit, as on a real line.
            queueWrites(queue_, writes, now, context_.faults, false);
        }
    }
    const OutputQueue::Flushed flushed = queue_.flush(now, masterFd_, false);
    return flushed.after == SessionWrite::After::Reboot;
}

void SerialFrontEnd::rebootStarted()
{
    rebooting_ = true;
    queue_.clear();
    session_.logOut();
}

void SerialFrontEnd::rebootFinished(Clock::time_point now)
{
    rebooting_ = false;
    queueWrites(queue_, session_.rebootFinished(), now, context_.faults, false);
}

bool SerialFrontEnd::sendUnasked(std::string bytes, Clock::time_point now)
{
    return queue_.push(now, std::move(bytes));
}

} // namespace unitsim
