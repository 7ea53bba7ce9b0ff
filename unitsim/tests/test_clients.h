// Plain clients for driving the unit in tests: a telnet client that negotiates by hand
// over a loopback socket, and a serial client on the pseudo-terminal's slave side.
// Every read waits with a bound.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace unitsim::testing {

using namespace std::chrono_literals;

class ByteClient
{
public:
    virtual ~ByteClient();
    void write(const std::string &bytes);
    // Writes everything or returns false when the peer has gone.
    bool tryWrite(const std::string &bytes);
    // Reads until the received text contains `wanted`; returns everything read up to
    // and including it (the rest stays for the next call). Empty on time-out or close.
    std::string readUntil(const std::string &wanted, std::chrono::milliseconds timeout = 5s);
    // Whatever arrives within the time (for checks that something does NOT arrive).
    std::string readFor(std::chrono::milliseconds time);
    // True when the peer closes the connection within the time.
    bool waitForClose(std::chrono::milliseconds timeout = 5s);
    bool isOpen() const { return fd_ >= 0; }

protected:
    // Adds received bytes to the text; a telnet client filters them first.
    virtual void received(const std::string &bytes) { text_ += bytes; }
    bool readOnce(std::chrono::milliseconds timeout);

    int fd_ = -1;
    bool isSocket_ = false;
    bool closed_ = false;
    std::string text_;
};

class RawTelnetClient : public ByteClient
{
public:
    // Connects; answers WILL ECHO and WILL SUPPRESS-GO-AHEAD with DO, DO TERMINAL-TYPE
    // with WILL and the type request with `terminalType`, everything else with refusal.
    // An empty terminal type: the client ignores every negotiation, as a raw socket tool does.
    explicit RawTelnetClient(std::uint16_t port, std::string terminalType = "ansi", int receiveBuffer = 0);
    ~RawTelnetClient() override;
    void close();
    // "admin"/"radio" by default: waits for each prompt and answers as the utility does.
    bool login(const std::string &user = "admin", const std::string &password = "radio");
    // Sends a command with a carriage return; returns the reply up to its prompt.
    std::string command(const std::string &line);
    int negotiationCommands() const { return negotiationCommands_; }

protected:
    void received(const std::string &bytes) override;

private:
    std::string terminalType_;
    std::string pending_; // an IAC sequence cut by a read
    int negotiationCommands_ = 0;
};

class SerialClient : public ByteClient
{
public:
    explicit SerialClient(const std::string &slavePath);
    ~SerialClient() override;
    // A carriage return, then the password: waits for each prompt.
    bool login(const std::string &password = "radio");
};

} // namespace unitsim::testing
