// The server side of the telnet protocol for the unit: splits the client's stream into
// console data and commands, and negotiates options with the Q method of RFC 1143, so
// that no exchange of requests can loop. The unit offers ECHO and SUPPRESS-GO-AHEAD,
// asks for TERMINAL-TYPE and refuses everything else.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace unitsim {

class TelnetServerProtocol
{
public:
    // The unit's opening requests.
    std::string start();

    // Feeds received bytes; console data is appended to `data`, answers to the client
    // (negotiation replies) to `toClient`.
    void receive(std::string_view bytes, std::string &data, std::string &toClient);

    bool echoEnabled() const; // the client agreed that the unit echoes
    // The client has sent its terminal type or refused to: negotiation has settled.
    bool terminalTypeSettled() const;
    const std::string &terminalType() const { return terminalType_; }

    // Doubles every 0xFF byte of console output.
    static std::string escape(std::string_view data);

private:
    enum class Q : std::uint8_t
    {
        No,
        Yes,
        WantNo,
        WantYes
    };
    enum class Parse
    {
        Data,
        Iac,
        Option,
        Subnegotiation,
        SubnegotiationIac
    };

    void request(bool ours, std::uint8_t option, std::string &toClient);
    void onVerb(std::uint8_t verb, std::uint8_t option, std::string &toClient);
    void onSubnegotiation();

    std::array<Q, 256> us_{};  // options the unit performs
    std::array<Q, 256> him_{}; // options the client performs
    Parse parse_ = Parse::Data;
    std::uint8_t verb_ = 0;
    std::string subnegotiation_;
    std::string terminalType_;
    bool terminalTypeReceived_ = false;
};

} // namespace unitsim
