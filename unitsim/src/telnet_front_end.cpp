#include "telnet_front_end.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace unitsim {

namespace {

constexpr auto kLingerTime = std::chrono::seconds(2);
constexpr std::size_t kMaxClosing = 16;
constexpr const char *kSessionBusy = "Session already in progress.\r\n";
// How long the greeting waits for a client that does not answer the negotiation.
constexpr auto kNegotiationTime = std::chrono::milliseconds(500);

// A failed receive that only means nothing is there yet.
bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

} // namespace

TelnetFrontEnd::TelnetFrontEnd(UnitContext context) : context_(context) {}

TelnetFrontEnd::~TelnetFrontEnd()
{
    for (const Closing &c : closing_)
        ::close(c.fd);
    if (clientFd_ >= 0)
        ::close(clientFd_);
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

void TelnetFrontEnd::open(const std::string &host, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    const std::string numeric = host == "localhost" ? "127.0.0.1" : host;
    if (::inet_pton(AF_INET, numeric.c_str(), &address.sin_addr) != 1)
        throw std::runtime_error("not an IPv4 address: " + host);

    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        throw std::runtime_error(std::string("cannot create a socket: ") + std::strerror(errno));
    const int on = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(listenFd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 8) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(listenFd_);
        listenFd_ = -1;
        throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port) + ": " + reason);
    }
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&address), &length);
    port_ = ntohs(address.sin_port);
}

void TelnetFrontEnd::addPollFds(std::vector<pollfd> &fds, Clock::time_point now)
{
    fds.push_back({listenFd_, POLLIN, 0});
    short clientEvents = POLLIN;
    if (clientFd_ >= 0 && queue_.waitingForDescriptor(now))
        clientEvents |= POLLOUT;
    fds.push_back({clientFd_, clientEvents, 0}); // a negative fd is ignored by poll
    for (const Closing &c : closing_)
        fds.push_back({c.fd, POLLIN, 0});
    polledClosing_ = closing_.size();
}

bool TelnetFrontEnd::handle(const pollfd *fds, Clock::time_point now)
{
    bool reboot = false;
    if (clientFd_ >= 0 && fds[1].fd == clientFd_ && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
        readClient(now);
    if (clientFd_ >= 0) {
        greetWhenSettled(now);
        reboot = flushClient(now);
    }
    serviceClosing(fds + 2, polledClosing_, now);
    if (fds[0].revents & POLLIN)
        acceptConnections(now);
    return reboot;
}

std::optional<Clock::time_point> TelnetFrontEnd::nextDeadline() const
{
    std::optional<Clock::time_point> next = clientFd_ >= 0 ? queue_.nextDue() : std::nullopt;
    if (clientFd_ >= 0 && !greeted_ && (!next || greetBy_ < *next))
        next = greetBy_;
    for (const Closing &c : closing_) {
        if (!next || c.deadline < *next)
            next = c.deadline;
    }
    return next;
}

void TelnetFrontEnd::acceptConnections(Clock::time_point now)
{
    while (true) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (rebooting_) {
            ::close(fd); // nobody answers while the unit restarts
            continue;
        }
        if (clientFd_ >= 0 && clientGone())
            endSession(now);
        if (clientFd_ >= 0) {
            ::send(fd, kSessionBusy, std::strlen(kSessionBusy), MSG_NOSIGNAL | MSG_DONTWAIT);
            closeGently(fd, now);
            continue;
        }
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        clientFd_ = fd;
        protocol_ = std::make_unique<TelnetServerProtocol>();
        session_ = std::make_unique<ConsoleSession>(FrontEnd::Telnet, context_.unit, context_.activity,
                                                    context_.faults);
        queue_.clear();
        queue_.push(now, protocol_->start());
        greeted_ = false;
        greetBy_ = now + kNegotiationTime;
    }
}

bool TelnetFrontEnd::clientGone()
{
    char byte;
    const ssize_t n = ::recv(clientFd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && !wouldBlock());
}

void TelnetFrontEnd::readClient(Clock::time_point now)
{
    char buffer[4096];
    const ssize_t n = ::recv(clientFd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && wouldBlock())
        return;
    if (n <= 0) {
        dropClient(); // the client has gone
        return;
    }
    std::string data;
    std::string answers;
    protocol_->receive(std::string_view(buffer, static_cast<std::size_t>(n)), data, answers);
    terminalType_ = protocol_->terminalType().empty() ? terminalType_ : protocol_->terminalType();
    session_->setEcho(protocol_->echoEnabled());
    greetWhenSettled(now);
    const bool queued = (answers.empty() || queue_.push(now, std::move(answers))) &&
                        queueWrites(queue_, session_->receive(data), now, context_.faults, true);
    if (!queued)
        dropClient(); // the client does not read what it provokes
}

void TelnetFrontEnd::dropClient()
{
    ::close(clientFd_);
    clientFd_ = -1;
    session_.reset();
    queue_.clear();
}

// The banner and the first prompt wait until the terminal type is known (or refused),
// as a telnet server does, so that no negotiation crosses the login dialogue.
void TelnetFrontEnd::greetWhenSettled(Clock::time_point now)
{
    if (greeted_ || !session_ || (!protocol_->terminalTypeSettled() && now < greetBy_))
        return;
    greeted_ = true;
    queueWrites(queue_, session_->open(), now, context_.faults, true);
}

bool TelnetFrontEnd::flushClient(Clock::time_point now)
{
    const OutputQueue::Flushed flushed = queue_.flush(now, clientFd_, true);
    if (flushed.failed) {
        dropClient();
        return false;
    }
    if (flushed.after == SessionWrite::After::EndSession)
        endSession(now);
    return flushed.after == SessionWrite::After::Reboot;
}

void TelnetFrontEnd::endSession(Clock::time_point now)
{
    closeGently(clientFd_, now);
    clientFd_ = -1;
    session_.reset();
    queue_.clear();
}

void TelnetFrontEnd::closeGently(int fd, Clock::time_point now)
{
    ::shutdown(fd, SHUT_WR);
    if (closing_.size() >= kMaxClosing) {
        ::close(closing_.front().fd);
        closing_.erase(closing_.begin());
    }
    closing_.push_back({fd, now + kLingerTime});
}

void TelnetFrontEnd::serviceClosing(const pollfd *fds, std::size_t count, Clock::time_point now)
{
    std::vector<int> done;
    for (std::size_t i = 0; i < count; ++i) {
        if (fds[i].revents == 0)
            continue;
        char buffer[1024];
        const ssize_t n = ::recv(fds[i].fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && !wouldBlock()))
            done.push_back(fds[i].fd);
    }
    std::erase_if(closing_, [&](const Closing &c) {
        const bool finished = c.deadline <= now || std::find(done.begin(), done.end(), c.fd) != done.end();
        if (finished)
            ::close(c.fd);
        return finished;
    });
}

void TelnetFrontEnd::rebootStarted()
{
    rebooting_ = true;
    if (clientFd_ >= 0)
        endSession(Clock::now());
}

bool TelnetFrontEnd::sendUnasked(std::string bytes, Clock::time_point now)
{
    if (clientFd_ < 0 || rebooting_)
        return false;
    return queue_.push(now, std::move(bytes));
}

} // namespace unitsim
