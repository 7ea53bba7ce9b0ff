// Receiving: one block at a time into the session buffer, and the receive filter that
// turns it into application data (bare LF to CR LF, NUL dropped unless binary, IAC
// commands stripped and answered).
#include "telnet_session.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wiretalk {

namespace {

constexpr unsigned char kCR = 13;
constexpr unsigned char kLF = 10;

// Where the next byte the filter must look at lies among count bytes: NUL, LF or IAC;
// count when there is none. Sixteen bytes at a time with SSE2, else eight (a word holds
// a byte b exactly when word ^ (b * 0x01..01) has a zero byte), then one by one.
int nextSpecial(const unsigned char *bytes, int count)
{
    int at = 0;
#if defined(__SSE2__)
    for (; at + 16 <= count; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + at));
        const __m128i special =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_setzero_si128()),
                                      _mm_cmpeq_epi8(block, _mm_set1_epi8(kLF))),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(kTelnetIAC))));
        if (const int mask = _mm_movemask_epi8(special))
            return at + __builtin_ctz(static_cast<unsigned>(mask));
    }
#else
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    auto hasZeroByte = [](std::uint64_t v) { return ((v - ones) & ~v & highs) != 0; };
    for (; at + 8 <= count; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, 8);
        if (hasZeroByte(word) || hasZeroByte(word ^ (ones * kLF)) || hasZeroByte(~word))
            break;
    }
#endif
    while (at < count && bytes[at] != 0 && bytes[at] != kLF && bytes[at] != kTelnetIAC)
        ++at;
    return at;
}

// Copies the leading run of bytes the filter passes as they are, at most length (the
// room in the destination), and returns its length: every byte but NUL, IAC and a bare
// LF (an LF after a CR passes; previous is the byte delivered just before the run).
int copyPlainRun(const unsigned char *from, char *to, int length, unsigned char previous)
{
    int run = 0;
    for (;;) {
        run += nextSpecial(from + run, length - run);
        if (run == length)
            break;
        const unsigned char before = run > 0 ? from[run - 1] : previous;
        if (from[run] != kLF || before != kCR)
            break;
        ++run; // CR LF: the LF passes too
    }
    std::memcpy(to, from, static_cast<size_t>(run));
    return run;
}

int received(TelnetSession &session, int got)
{
    session.blocked = 0;
    if (got > 0) {
        session.receiveCount = got;
        session.receiveIndex = 0;
        return got;
    }
    if (got == 0) {
        session.closed = 1;
        return Fail(kErrClosed);
    }
    return Fail(SocketLastError() == kWsaEWouldBlock ? kErrRetry : kErrReadFailed);
}

// What a read returns after the filter loop stopped on an error.
int resultAfterError(int error, int delivered)
{
    if (error == kErrRetry)
        return delivered;
    if (error == kErrTimedOut || error == kErrClosed)
        return delivered > 0 ? delivered : -1;
    return -1;
}

// Receives one block into the buffer of a session the caller has looked up. After a
// wait (which may run other handlers) the session is looked up again: session is null
// afterwards when it went meanwhile.
int fill(int handle, TelnetSession *&session)
{
    if (session->closed)
        return Fail(kErrClosed);
    if (session->receiveCount > 0)
        return session->receiveCount;
    session->blocked = 1;
    session->timedOut = 0;
    const bool waits = session->commandPending || !session->asynchronous();
    const int socket = session->socket;
    // The socket is non-blocking: receive first, and wait only when that would block.
    int got = SocketRecv(socket, reinterpret_cast<char *>(session->receiveBuffer), kBufferSize, 0);
    if (got < 0 && waits && SocketLastError() == kWsaEWouldBlock) {
        const int ready = SocketWait(socket, false, session->commandPending ? 1 : session->timeout);
        session = LookupSession(handle);
        if (session == nullptr)
            return -1;
        if (session->receiveCount > 0) { // filled while waiting: use it, never receive over it
            session->blocked = 0;
            return session->receiveCount;
        }
        if (ready != 1)
            return FailedWait(*session, ready, kErrReadFailed);
        got = SocketRecv(socket, reinterpret_cast<char *>(session->receiveBuffer), kBufferSize, 0);
    }
    return received(*session, got);
}

} // namespace

int TelnetFillBuffer(int handle)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    // Inside a read's wait the socket belongs to that read: what it has not taken yet is
    // announced again when it returns.
    if (session->reading)
        return session->receiveCount;
    return fill(handle, session);
}

int PeekByte(int handle)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr || (session->receiveCount == 0 && fill(handle, session) < 0))
        return -1;
    return session->receiveBuffer[session->receiveIndex];
}

int TakeByte(int handle)
{
    const int byte = PeekByte(handle);
    if (byte < 0)
        return -1;
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    ++session->receiveIndex;
    --session->receiveCount;
    return byte;
}

namespace {

// The filter loop of a read: delivers up to count bytes into buffer. session is looked
// up again after every call that may run other handlers, and is null when it went.
int filterInto(int handle, TelnetSession *&session, char *buffer, int count)
{
    const bool binary = (session->optionFlags & kOptionBinary) != 0;
    int delivered = 0;
    int error = 0;
    auto deliver = [&](unsigned char byte) {
        buffer[delivered++] = static_cast<char>(byte);
        session->lastDelivered = byte;
    };
    while (delivered < count) {
        if (session->receiveCount == 0) {
            if (delivered > 0)
                break; // a read never waits for more once it holds data
            if (fill(handle, session) < 0) {
                if (session == nullptr)
                    return -1;
                error = TelnetLastError();
                break;
            }
        }
        const unsigned char *next = session->receiveBuffer + session->receiveIndex;
        const int span = std::min(count - delivered, session->receiveCount);
        const int plain = copyPlainRun(next, buffer + delivered, span, session->lastDelivered);
        if (plain > 0) {
            delivered += plain;
            session->receiveIndex += plain;
            session->receiveCount -= plain;
            session->lastDelivered = next[plain - 1];
            continue;
        }
        const unsigned char byte = *next;
        if (byte == kLF && session->lastDelivered != kCR) {
            deliver(kCR); // the LF itself follows on the next pass
            continue;
        }
        ++session->receiveIndex;
        --session->receiveCount;
        if (byte == 0 && !binary)
            continue;
        if (byte != kTelnetIAC) {
            deliver(byte);
            continue;
        }
        session->commandPending = 1;
        const int command = TakeByte(handle);
        session = LookupSession(handle);
        if (session == nullptr)
            return -1;
        if (command < 0)
            break; // the command is incomplete: stop, without an error
        if (command == kTelnetIAC) {
            session->commandPending = 0;
            deliver(kTelnetIAC);
            continue;
        }
        InterpretCommand(handle, static_cast<unsigned char>(command));
        session = LookupSession(handle);
        if (session == nullptr)
            return -1;
        session->commandPending = 0;
    }
    session->commandPending = 0;
    return error != 0 ? resultAfterError(error, delivered) : delivered;
}

} // namespace

int TelnetRead(int handle, char *buffer, int count)
{
    TelnetSession *session = LookupSession(handle);
    if (session == nullptr)
        return -1;
    if (buffer == nullptr)
        return Fail(kErrInvalidParameter);
    if (count <= 0)
        return 0;
    // A read started by a handler inside another read's wait would take bytes (or the
    // rest of a telnet command) the outer read is owed: it gets nothing now, and what is
    // left when the outer read returns is announced again below.
    if (session->reading)
        return 0;

    session->reading = 1;
    const int result = filterInto(handle, session, buffer, count);
    if (session == nullptr)
        return -1;
    session->reading = 0;

    if (session->asynchronous()) {
        // Tell the client when more is already waiting. Bytes left in the buffer by a short
        // read count too: the socket has been drained into the buffer, so no socket
        // notification would ever announce them. This fill's failure is not ours.
        bool more = session->receiveCount > 0;
        if (!more) {
            const int keptError = TelnetLastError();
            more = TelnetFillBuffer(handle) > 0;
            TelnetSetLastError(keptError);
            session = LookupSession(handle);
        }
        if (session != nullptr && more)
            NotifyWindow::PostNotify(session->notifyWindow, session->notifyMessage, session->socket,
                                     MakeSelectReply(FD_READ, 0));
    }
    return result;
}

} // namespace wiretalk
