#include "telnet_options.h"

namespace unitsim {

namespace {

constexpr std::uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr std::uint8_t ECHO = 1, SGA = 3, TTYPE = 24;
constexpr std::uint8_t TTYPE_IS = 0, TTYPE_SEND = 1;
constexpr std::size_t kMaxSubnegotiation = 64; // longer ones are cut; nothing needs more

bool weSupport(std::uint8_t option)
{
    return option == ECHO || option == SGA;
}

bool heMaySupport(std::uint8_t option)
{
    return option == TTYPE || option == SGA;
}

void send(std::string &out, std::uint8_t verb, std::uint8_t option)
{
    out += static_cast<char>(IAC);
    out += static_cast<char>(verb);
    out += static_cast<char>(option);
}

void askTerminalType(std::string &out)
{
    out += std::string{static_cast<char>(IAC),        static_cast<char>(SB),  static_cast<char>(TTYPE),
                       static_cast<char>(TTYPE_SEND), static_cast<char>(IAC), static_cast<char>(SE)};
}

} // namespace

std::string TelnetServerProtocol::start()
{
    std::string out;
    request(true, ECHO, out);
    request(true, SGA, out);
    request(false, TTYPE, out);
    return out;
}

void TelnetServerProtocol::request(bool ours, std::uint8_t option, std::string &toClient)
{
    Q &state = ours ? us_[option] : him_[option];
    if (state != Q::No)
        return;
    state = Q::WantYes;
    send(toClient, ours ? WILL : DO, option);
}

bool TelnetServerProtocol::echoEnabled() const
{
    return us_[ECHO] == Q::Yes;
}

bool TelnetServerProtocol::terminalTypeSettled() const
{
    return terminalTypeReceived_ || him_[TTYPE] == Q::No;
}

void TelnetServerProtocol::receive(std::string_view bytes, std::string &data, std::string &toClient)
{
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        switch (parse_) {
        case Parse::Data:
            if (byte == IAC)
                parse_ = Parse::Iac;
            else
                data += c;
            break;
        case Parse::Iac:
            if (byte == IAC) {
                data += c;
                parse_ = Parse::Data;
            } else if (byte >= WILL) {
                verb_ = byte;
                parse_ = Parse::Option;
            } else if (byte == SB) {
                subnegotiation_.clear();
                parse_ = Parse::Subnegotiation;
            } else {
                parse_ = Parse::Data; // NOP, GA, AYT and the like: nothing to do
            }
            break;
        case Parse::Option:
            onVerb(verb_, byte, toClient);
            parse_ = Parse::Data;
            break;
        case Parse::Subnegotiation:
            if (byte == IAC)
                parse_ = Parse::SubnegotiationIac;
            else if (subnegotiation_.size() < kMaxSubnegotiation)
                subnegotiation_ += c;
            break;
        case Parse::SubnegotiationIac:
            if (byte == SE) {
                onSubnegotiation();
                parse_ = Parse::Data;
            } else {
                if (byte == IAC && subnegotiation_.size() < kMaxSubnegotiation)
                    subnegotiation_ += c;
                parse_ = Parse::Subnegotiation;
            }
            break;
        }
    }
}

void TelnetServerProtocol::onVerb(std::uint8_t verb, std::uint8_t option, std::string &toClient)
{
    const bool aboutUs = verb == DO || verb == DONT;
    const bool enable = verb == DO || verb == WILL;
    Q &state = aboutUs ? us_[option] : him_[option];
    const bool acceptable = aboutUs ? weSupport(option) : heMaySupport(option);
    const std::uint8_t agree = aboutUs ? WILL : DO;
    const std::uint8_t refuse = aboutUs ? WONT : DONT;

    if (enable) {
        switch (state) {
        case Q::No:
            if (acceptable) {
                state = Q::Yes;
                send(toClient, agree, option);
            } else {
                send(toClient, refuse, option);
            }
            break;
        case Q::Yes:
            return; // already enabled: no answer, or two sides would loop
        case Q::WantNo:
            state = Q::No; // the other side answered a disable with an enable
            return;
        case Q::WantYes:
            state = Q::Yes;
            break;
        }
        if (!aboutUs && option == TTYPE && state == Q::Yes)
            askTerminalType(toClient);
        return;
    }
    switch (state) {
    case Q::No:
        return;
    case Q::Yes:
        state = Q::No;
        send(toClient, refuse, option);
        return;
    case Q::WantNo:
    case Q::WantYes:
        state = Q::No;
        return;
    }
}

void TelnetServerProtocol::onSubnegotiation()
{
    if (subnegotiation_.size() < 2 || static_cast<std::uint8_t>(subnegotiation_[0]) != TTYPE ||
        static_cast<std::uint8_t>(subnegotiation_[1]) != TTYPE_IS)
        return;
    std::string name;
    for (char c : subnegotiation_.substr(2)) {
        if (c > 0x20 && c < 0x7F)
            name += c;
    }
    terminalType_ = name;
    terminalTypeReceived_ = true;
}

std::string TelnetServerProtocol::escape(std::string_view data)
{
    std::string out;
    out.reserve(data.size());
    for (char c : data) {
        out += c;
        if (static_cast<std::uint8_t>(c) == IAC)
            out += c;
    }
    return out;
}

} // namespace unitsim
