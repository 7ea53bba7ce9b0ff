// Sending: the 1024-byte send buffer, with every byte 255 doubled on the way in.
#include "telnet_session.h"

#include <cstring>

namespace wiretalk {

namespace {

constexpr int kFlushThreshold = kBufferSize - 1;

// A flush that failed only because the socket would block, in asynchronous mode: the
// bytes stay queued and go out on the next write notification.
bool queuedForLater(int handle)
{
    const TelnetSession *session = LookupSession(handle);
    return session != nullptr && session->asynchronous() && TelnetLastError() == kErrWriteFailed &&
           SocketLastError() == kWsaEWouldBlock;
}

} // namespace

int TelnetFlush(int handle)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    if (session->closed)
        return Fail(kErrClosed);
    if (session->sendLength == 0)
        return Fail(kErrBufferOverflow);
    session->blocked = 1;
    session->timedOut = 0;
    if (!session->asynchronous()) {
        const int ready = SocketWait(session->socket, true, session->timeout);
        session = LookupSession(handle);
        if (session == nullptr)
            return -1;
        if (ready != 1)
            return FailedWait(*session, ready, kErrWriteFailed);
    }
    const int sent = SocketSend(session->socket, reinterpret_cast<const char *>(session->sendBuffer),
                                session->sendLength, 0);
    session->blocked = 0;
    if (sent <= 0)
        return Fail(kErrWriteFailed); // the queue stays intact
    session->sendLength -= sent;
    std::memmove(session->sendBuffer, session->sendBuffer + sent, static_cast<size_t>(session->sendLength));
    return sent;
}

int TelnetWrite(int handle, const char *buffer, int count)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    if (buffer == nullptr)
        return Fail(kErrInvalidParameter);
    int taken = 0;
    // Appends one byte, flushing first when the buffer is full.
    auto append = [&](unsigned char byte) {
        if (session->sendLength >= kFlushThreshold) {
            if (TelnetFlush(handle) < 0)
                return false;
            session = LookupSession(handle);
            if (session == nullptr)
                return false;
        }
        session->sendBuffer[session->sendLength++] = byte;
        return true;
    };
    for (; taken < count; ++taken) {
        const auto byte = static_cast<unsigned char>(buffer[taken]);
        if (!append(byte))
            return taken > 0 && queuedForLater(handle) ? taken : -1;
        if (byte == kTelnetIAC && !append(byte)) {
            // The first copy is queued; take the byte back so the count stays true.
            if (TelnetSession *s = LookupSession(handle))
                --s->sendLength;
            return taken > 0 && queuedForLater(handle) ? taken : -1;
        }
    }
    if (taken > 0 && TelnetFlush(handle) < 0 && !queuedForLater(handle))
        return -1;
    return taken;
}

} // namespace wiretalk
