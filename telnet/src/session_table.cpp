// The 256-slot session table, the per-thread last error, and session allocation.
#include "telnet_session.h"

#include <cstdio>
#include <mutex>
#include <new>
#include <utility>

namespace wiretalk {

namespace {

std::mutex tableLock;
std::array<TelnetSession *, kSessionSlots> sessions{};
thread_local int lastError = 0;

} // namespace

int TelnetLastError()
{
    return lastError;
}

void TelnetSetLastError(int code)
{
    lastError = code;
}

int Fail(int code)
{
    lastError = code;
    return -1;
}

int FailedWait(TelnetSession &session, int ready, int failureCode)
{
    session.blocked = 0;
    if (ready == 0)
        session.timedOut = 1;
    return Fail(ready == 0 ? kErrTimedOut : failureCode);
}

TelnetSession *LookupSession(int handle)
{
    TelnetSession *session = nullptr;
    {
        std::lock_guard lock(tableLock);
        if (handle >= 0 && handle < kSessionSlots && sessions[handle] != nullptr &&
            sessions[handle]->ownerThread == std::this_thread::get_id())
            session = sessions[handle];
    }
    if (session == nullptr)
        Fail(kErrInvalidHandle);
    return session;
}

int AllocateSession()
{
    std::lock_guard lock(tableLock);
    int slot = 0;
    while (slot < kSessionSlots && sessions[slot] != nullptr)
        ++slot;
    if (slot == kSessionSlots)
        return Fail(kErrMemory);
    WSAData data{};
    if (SocketStartup(nullptr, 0x0101, &data) != 0)
        return Fail(kErrNetworkInit);
    auto *session = new (std::nothrow) TelnetSession{};
    if (session == nullptr) {
        SocketRelease();
        return Fail(kErrMemory);
    }
    session->ownerThread = std::this_thread::get_id();
    std::snprintf(session->terminalType, sizeof session->terminalType, "%s", "DEC-VT100");
    sessions[slot] = session;
    return slot;
}

bool FreeSession(int handle)
{
    TelnetSession *session = nullptr;
    {
        std::lock_guard lock(tableLock);
        if (handle < 0 || handle >= kSessionSlots || sessions[handle] == nullptr ||
            sessions[handle]->ownerThread != std::this_thread::get_id())
            return false;
        session = std::exchange(sessions[handle], nullptr);
    }
    if (session->socket != -1)
        SocketClose(session->socket);
    SocketRelease();
    delete session;
    return true;
}

} // namespace wiretalk
