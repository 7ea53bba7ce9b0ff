#include "front_end.h"

#include "telnet_options.h"

#include <utility>

namespace unitsim {

bool FrontEndBase::queueWrites(OutputQueue &queue, const std::vector<SessionWrite> &writes,
                               Clock::time_point now, const FaultSwitches &faults, bool escapeForTelnet)
{
    // What one arrival produces goes out in as few writes as possible: consecutive
    // writes due at the same moment are joined (a reply is never split by this).
    std::string joined;
    Clock::time_point joinedDue = now;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const SessionWrite &write = writes[i];
        const auto due = write.isReply ? now + std::chrono::milliseconds(faults.replyDelayMs) : now;
        if (!joined.empty() && due != joinedDue && !queue.push(joinedDue, std::exchange(joined, {})))
            return false;
        joinedDue = due;
        joined += escapeForTelnet ? TelnetServerProtocol::escape(write.bytes) : write.bytes;
        const bool last = i + 1 == writes.size();
        if ((last || write.after != SessionWrite::After::Nothing) &&
            !queue.push(joinedDue, std::exchange(joined, {}), write.after))
            return false;
    }
    return true;
}

} // namespace unitsim
