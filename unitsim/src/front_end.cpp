#include "front_end.h"

#include "telnet_options.h"

namespace unitsim {

bool FrontEndBase::queueWrites(OutputQueue &queue, const std::vector<SessionWrite> &writes,
                               Clock::time_point now, const FaultSwitches &faults, bool escapeForTelnet)
{
    for (const SessionWrite &write : writes) {
        const auto due = write.isReply ? now + std::chrono::milliseconds(faults.replyDelayMs) : now;
        std::string bytes = escapeForTelnet ? TelnetServerProtocol::escape(write.bytes) : write.bytes;
        if (!queue.push(due, std::move(bytes), write.after))
            return false;
    }
    return true;
}

} // namespace unitsim
