// Telnet commands after an IAC: option negotiation and the TERMINAL-TYPE subnegotiation.
//
// Each request is answered from the option table below. So that a server that answers
// every reply with a new request cannot keep the two sides talking forever, the session
// remembers per option and direction whether the option is on (off at the start, for
// every option): the first request for an option and direction is always answered;
// later ones only when the answer would change that state (RFC 1143's rule that a
// request which changes nothing gets no reply). WONT and DONT never get a reply.
#include "telnet_session.h"

#include <cstring>

namespace wiretalk {

namespace {

constexpr unsigned char kSubnegotiationSend = 1;
constexpr unsigned char kSubnegotiationIs = 0;

// The reply the table gives to DO (local side) or WILL (remote side): true = agree.
bool agrees(const TelnetSession &session, unsigned char verb, unsigned char option)
{
    const bool localEcho = (session.optionFlags & kOptionLocalEcho) != 0;
    switch (option) {
    case kOptBinary:
        return (session.optionFlags & kOptionBinary) != 0;
    case kOptEcho:
        // DO ECHO asks us to echo; WILL ECHO offers the server's echo, wanted unless we echo.
        return verb == kTelnetDO ? localEcho : !localEcho;
    case kOptSuppressGoAhead:
        return true;
    case kOptTerminalType:
        return session.terminalType[0] != '\0';
    default:
        return false;
    }
}

// WONT or DONT: no reply; some options clear their bit.
void refused(TelnetSession &session, unsigned char option)
{
    if (option == kOptBinary)
        session.optionFlags &= ~kOptionBinary;
    else if (option == kOptEcho)
        session.optionFlags &= ~kOptionLocalEcho;
}

void negotiate(TelnetSession &session, unsigned char verb, unsigned char option)
{
    OptionStates &states = session.options;
    if (verb == kTelnetWONT || verb == kTelnetDONT) {
        (verb == kTelnetWONT ? states.remoteOn : states.localOn).reset(option);
        refused(session, option);
        return;
    }
    const bool local = verb == kTelnetDO;
    auto &on = local ? states.localOn : states.remoteOn;
    auto &answered = local ? states.localAnswered : states.remoteAnswered;
    const bool yes = agrees(session, verb, option);
    if (answered.test(option) && on.test(option) == yes)
        return; // a repeat that changes nothing gets no reply
    answered.set(option);
    on.set(option, yes);
    const unsigned char reply = local ? (yes ? kTelnetWILL : kTelnetWONT) : (yes ? kTelnetDO : kTelnetDONT);
    const unsigned char bytes[3] = {kTelnetIAC, reply, option};
    SendCommandBytes(session, bytes, 3);
}

void subnegotiate(TelnetSession &session, unsigned char option, unsigned char command)
{
    if (option != kOptTerminalType || command != kSubnegotiationSend) {
        // The bytes up to IAC SE are not skipped: they reach the caller as data.
        Fail(kErrUnsupportedOption);
        return;
    }
    // The type is kept at most 30 characters long, so it always fits.
    const size_t length = std::strlen(session.terminalType);
    unsigned char reply[6 + sizeof session.terminalType] = {kTelnetIAC, kTelnetSB, kOptTerminalType,
                                                            kSubnegotiationIs};
    std::memcpy(reply + 4, session.terminalType, length);
    reply[4 + length] = kTelnetIAC;
    reply[5 + length] = kTelnetSE;
    SendCommandBytes(session, reply, static_cast<int>(length + 6));
}

} // namespace

int SendCommandBytes(TelnetSession &session, const unsigned char *bytes, int length)
{
    const int sent = SocketSend(session.socket, reinterpret_cast<const char *>(bytes), length, 0);
    if (sent == length)
        return sent;
    return Fail(session.closed ? kErrClosed : kErrWriteFailed);
}

void InterpretCommand(int handle, unsigned char command)
{
    if (command == kTelnetSE) {
        if (TelnetSession *session = LookupSession(handle))
            session->inSubnegotiation = 0;
        return;
    }
    if (command == kTelnetSB) {
        if (TelnetSession *session = LookupSession(handle))
            session->inSubnegotiation = 1;
        const int option = TakeByte(handle);
        if (option < 0)
            return;
        const int subcommand = TakeByte(handle);
        if (subcommand < 0)
            return;
        if (TelnetSession *session = LookupSession(handle))
            subnegotiate(*session, static_cast<unsigned char>(option),
                         static_cast<unsigned char>(subcommand));
        return;
    }
    if (command >= kTelnetWILL) {
        const int option = TakeByte(handle);
        if (option < 0)
            return;
        if (TelnetSession *session = LookupSession(handle))
            negotiate(*session, command, static_cast<unsigned char>(option));
    }
    // NOP, DM, BRK, IP, AO, AYT, EC, EL, GA and bytes below 240 do nothing.
}

} // namespace wiretalk
