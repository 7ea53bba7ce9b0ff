// A simulated radio unit that speaks the unit's text protocol over telnet (TCP) and
// over a pseudo-terminal serial console. It runs in a thread of its own, so a test or
// the utility's demo mode can embed it; the program linkset-unitsim wraps it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unitsim {

enum class Model
{
    Hadra, // base station, radio type master
    Tevo,  // subscriber, radio type station
    Qdv    // generic unit
};

enum class FrontEnd
{
    Telnet,
    Serial
};

// Switches that make the unit misbehave on purpose, for tests. 0 or empty = off.
// Command numbers count non-empty command lines from 1; serial character numbers count
// the characters received on the serial console while logged in, from 1.
struct FaultSwitches
{
    int replyDelayMs = 0;           // delay every reply (and its prompt) by this many ms
    int dropReplyOfCommand = 0;     // the Nth command since start gets no reply and no prompt
    int wrongEchoAtSerialChar = 0;  // the Nth serial character is echoed as a different one
    int omitEchoAtSerialChar = 0;   // the Nth serial character is not echoed
    int closeAfterCommands = 0;     // a session ends after its Nth command has been answered
    std::string refuseWritesOfCode; // every write of this parameter code is refused
    int unaskedAfterCommand = 0;    // after the reply to the Nth command, send unaskedText
    std::string unaskedText;
};

struct UnitOptions
{
    Model model = Model::Hadra;
    std::string versionText; // empty = the model's own version text
    std::string user = "admin";
    std::string password = "radio";
    std::uint32_t seed = 1; // seeds the live data (signal strength, counters, error rates)
    FaultSwitches faults;
    std::size_t bigListsBytes = 0; // > 0: pad the routes block to about this many bytes
    std::string stateFile;         // empty = the saved configuration lives in memory only
    std::chrono::milliseconds rebootDelay{3000};
    // > 0: the factory configuration lists this many remote units, IDs 101, 102, ... (at
    // most the model's limit; a state file read at start still wins)
    std::size_t remoteUnits = 0;

    bool telnet = true;
    std::string telnetHost = "127.0.0.1";
    std::uint16_t telnetPort = 0; // 0 = any free port
    bool pty = false;
};

// One line received in command mode: a command line (its text without the carriage
// return, possibly empty) or a bare line feed (the utility's keep-alive).
struct ReceivedLine
{
    enum class Kind
    {
        CommandLine,
        BareLineFeed
    };
    FrontEnd frontEnd;
    Kind kind;
    std::string text;

    bool operator==(const ReceivedLine &) const = default;
};

class SimulatedUnit
{
public:
    // Throws std::invalid_argument for options the unit cannot take (a version text or
    // credentials with characters the protocol cannot carry, an unreadable state file).
    explicit SimulatedUnit(UnitOptions options);
    ~SimulatedUnit(); // stops the unit if it runs
    SimulatedUnit(const SimulatedUnit &) = delete;
    SimulatedUnit &operator=(const SimulatedUnit &) = delete;

    // Opens the front ends and starts the unit's thread. Throws std::runtime_error when a
    // front end cannot be opened (port in use, no pseudo-terminal).
    void start();
    void stop();
    bool isRunning() const;

    std::uint16_t telnetPort() const; // the bound port; 0 without a telnet front end
    std::string ptySlavePath() const; // e.g. /dev/pts/7; empty without a pty
    std::string terminalType() const; // the last TERMINAL-TYPE a telnet client reported

    // Every command line and bare line feed received, in order.
    std::vector<ReceivedLine> receivedLines() const;
    // Waits until at least count lines have been received; false on time-out.
    bool waitForReceivedLines(std::size_t count, std::chrono::milliseconds timeout) const;
    // Waits until the unit is not rebooting; false on time-out.
    bool waitUntilServing(std::chrono::milliseconds timeout) const;

    // Sends bytes unasked to the client of a front end. False when no client is
    // connected (telnet) or the unit is not running.
    bool sendUnasked(FrontEnd frontEnd, std::string bytes);

    // The value "Get <code>" would report now ("N/A" when the model lacks it);
    // nullopt for a code the unit does not know or cannot read.
    std::optional<std::string> parameter(std::string_view code) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace unitsim
