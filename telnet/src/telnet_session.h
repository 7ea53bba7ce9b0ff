// The session record of the engine and the process-wide table that holds them.
#pragma once

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <array>
#include <bitset>
#include <thread>

namespace wiretalk {

// Per option and direction: whether the option is on, and whether a request for it has
// been answered yet. "Local" is our side (asked with DO/DONT, answered WILL/WONT);
// "remote" is the server's side (announced with WILL/WONT, answered DO/DONT).
struct OptionStates
{
    std::bitset<256> localOn;
    std::bitset<256> remoteOn;
    std::bitset<256> localAnswered;
    std::bitset<256> remoteAnswered;
};

struct TelnetSession
{
    std::thread::id ownerThread;
    QObject *notifyWindow = nullptr;
    unsigned notifyMessage = 0;
    int socket = -1;
    char terminalType[32] = {};
    std::uint32_t remoteAddress = kNotAnAddress;
    std::int16_t remotePort = 0;
    int timeout = 60;
    int optionFlags = 0;
    int blocked = 0;
    int closed = 0;
    int commandPending = 0;
    // A read of this session is running. Its waits turn the event loop, so handlers may
    // run inside it; a read or fill they start is deferred until it returns.
    int reading = 0;
    int inSubnegotiation = 0;
    int timedOut = 0;
    unsigned char lastDelivered = 0;
    unsigned char receiveBuffer[kBufferSize] = {};
    int receiveCount = 0;
    int receiveIndex = 0;
    unsigned char sendBuffer[kBufferSize] = {};
    int sendLength = 0;
    OptionStates options;

    bool asynchronous() const { return notifyWindow != nullptr; }
};

// Stores code as the calling thread's last error and returns -1.
int Fail(int code);

// Ends a wait for the socket that did not find it ready (select result 0 or -1): clears
// blocked, sets timed out for 0, and fails with 27511 or, for a failed wait, failureCode.
int FailedWait(TelnetSession &session, int ready, int failureCode);

// The session of handle if it is valid for the calling thread, else nullptr with 27505
// stored. Looked up afresh after every call that may run other handlers.
TelnetSession *LookupSession(int handle);

// Takes the lowest free slot for a new session owned by the calling thread, starting the
// socket library once for it: the handle, or -1 (27506, 27501).
int AllocateSession();
// Empties the slot of a session owned by the calling thread, closes its socket, releases
// its socket-library reference and frees it: false for an invalid handle.
bool FreeSession(int handle);

// Sends IAC verb option, or the TERMINAL-TYPE IS reply, at once outside the send buffer.
int SendCommandBytes(TelnetSession &session, const unsigned char *bytes, int length);

// Interprets the command byte that followed an IAC (negotiation and subnegotiation
// included); may read more bytes through the handle. The result is not used by the
// filter, which looks the session up again afterwards.
void InterpretCommand(int handle, unsigned char command);

// Byte access of the receive filter: -1 when the fill fails (error stored).
int PeekByte(int handle);
int TakeByte(int handle);

} // namespace wiretalk
