#include "output_queue.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace unitsim {

bool OutputQueue::push(Clock::time_point due, std::string bytes, SessionWrite::After after)
{
    if (bytes_ + bytes.size() > kLimit)
        return false;
    // A write is never due before the one ahead of it.
    if (!pending_.empty() && due < pending_.back().due)
        due = pending_.back().due;
    bytes_ += bytes.size();
    pending_.push_back({due, std::move(bytes), after});
    return true;
}

OutputQueue::Flushed OutputQueue::flush(Clock::time_point now, int fd, bool isSocket)
{
    Flushed result;
    while (!pending_.empty() && pending_.front().due <= now) {
        Pending &head = pending_.front();
        while (!head.bytes.empty()) {
            const ssize_t written = isSocket ? ::send(fd, head.bytes.data(), head.bytes.size(), MSG_NOSIGNAL)
                                             : ::write(fd, head.bytes.data(), head.bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                result.failed = errno != EAGAIN && errno != EWOULDBLOCK;
                return result;
            }
            head.bytes.erase(0, static_cast<std::size_t>(written));
            bytes_ -= static_cast<std::size_t>(written);
        }
        result.after = head.after;
        pending_.pop_front();
        if (result.after != SessionWrite::After::Nothing)
            return result;
    }
    return result;
}

std::optional<Clock::time_point> OutputQueue::nextDue() const
{
    if (pending_.empty())
        return std::nullopt;
    return pending_.front().due;
}

bool OutputQueue::waitingForDescriptor(Clock::time_point now) const
{
    return !pending_.empty() && pending_.front().due <= now;
}

void OutputQueue::clear()
{
    pending_.clear();
    bytes_ = 0;
}

} // namespace unitsim
