// One console of the unit, the same for both front ends apart from the login dialogue
// and the echo: bytes in (telnet commands already removed), writes out. It assembles
// lines, echoes, logs in, runs commands through the interpreter and applies the fault
// switches that concern a session.
#pragma once

#include "command_interpreter.h"
#include "unitsim/simulated_unit.h"

#include <string>
#include <string_view>
#include <vector>

namespace unitsim {

// Longest command or login line kept; further characters of the line are dropped and
// the line is answered with an error.
constexpr std::size_t kMaxLineLength = 256;

// What the unit has seen, shared by the consoles of both front ends.
struct Activity
{
    std::vector<ReceivedLine> lines;
    int commands = 0;         // non-empty command lines since start
    int serialCharacters = 0; // characters received on the serial console while logged in
};

struct SessionWrite
{
    enum class After
    {
        Nothing,
        EndSession, // telnet: close the connection; serial: back to waiting for a carriage return
        Reboot
    };
    std::string bytes;
    bool isReply = false; // delayed by the reply-delay fault switch
    After after = After::Nothing;
};

class ConsoleSession
{
public:
    ConsoleSession(FrontEnd frontEnd, CommandInterpreter &unit, Activity &activity,
                   const FaultSwitches &faults);

    // The connection is open (telnet) or the console is ready (serial).
    std::vector<SessionWrite> open();
    std::vector<SessionWrite> receive(std::string_view bytes);
    // The unit is back after a reboot: a serial console says so and waits for a
    // carriage return.
    std::vector<SessionWrite> rebootFinished();
    // A serial console that is logged out by the unit (a fault switch, a reboot).
    void logOut();

    // Telnet: the client has let the unit echo.
    void setEcho(bool enabled) { echo_ = enabled; }
    bool loggedIn() const { return state_ == State::Command; }

private:
    enum class State
    {
        Idle, // serial: waiting for a carriage return
        Username,
        Password,
        Command
    };

    void take(unsigned char byte, std::vector<SessionWrite> &out);
    void endLine(std::vector<SessionWrite> &out);
    void runCommand(std::vector<SessionWrite> &out);
    void checkPassword(std::vector<SessionWrite> &out);
    bool echoes() const;
    void echo(unsigned char byte, std::vector<SessionWrite> &out);
    std::string passwordPrompt() const;

    FrontEnd frontEnd_;
    CommandInterpreter &unit_;
    Activity &activity_;
    const FaultSwitches &faults_;
    State state_;
    bool echo_ = false;
    bool afterCarriageReturn_ = false;
    bool carriageReturnEndedLogin_ = false;
    bool overflow_ = false;
    std::string line_;
    std::string user_;
    int failures_ = 0;
    int sessionCommands_ = 0;
};

} // namespace unitsim
