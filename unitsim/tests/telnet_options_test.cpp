// Option negotiation of the unit's telnet side.
#include "telnet_options.h"

#include <gtest/gtest.h>

namespace unitsim {
namespace {

constexpr char IAC = '\xFF', DONT = '\xFE', DO = '\xFD', WONT = '\xFC', WILL = '\xFB', SB = '\xFA',
               SE = '\xF0';
constexpr char ECHO = 1, SGA = 3, TTYPE = 24, NAWS = 31, LINEMODE = 34;

std::string command(char verb, char option)
{
    return {IAC, verb, option};
}

struct Fed
{
    std::string data;
    std::string answers;
};

Fed feed(TelnetServerProtocol &protocol, const std::string &bytes)
{
    Fed fed;
    protocol.receive(bytes, fed.data, fed.answers);
    return fed;
}

TEST(TelnetOptions, OffersEchoAndSuppressGoAheadAndAsksForTheTerminalType)
{
    TelnetServerProtocol protocol;
    EXPECT_EQ(protocol.start(), command(WILL, ECHO) + command(WILL, SGA) + command(DO, TTYPE));
    EXPECT_FALSE(protocol.echoEnabled());
}

TEST(TelnetOptions, AcceptedRequestsAreNotAnsweredAgain)
{
    TelnetServerProtocol protocol;
    protocol.start();
    // The client agrees: no answers, or each side would answer the other forever.
    EXPECT_EQ(feed(protocol, command(DO, ECHO) + command(DO, SGA)).answers, "");
    EXPECT_TRUE(protocol.echoEnabled());
    EXPECT_EQ(feed(protocol, command(DO, ECHO)).answers, "");
    // It agrees to send its terminal type: the unit asks for it once.
    const std::string ask = {IAC, SB, TTYPE, 1, IAC, SE};
    EXPECT_EQ(feed(protocol, command(WILL, TTYPE)).answers, ask);
    EXPECT_EQ(feed(protocol, std::string{IAC, SB, TTYPE, 0} + "VT100" + std::string{IAC, SE}).answers, "");
    EXPECT_EQ(protocol.terminalType(), "VT100");
}

TEST(TelnetOptions, RefusalsAndWithdrawals)
{
    TelnetServerProtocol protocol;
    protocol.start();
    EXPECT_EQ(feed(protocol, command(DONT, ECHO)).answers, ""); // refused request: no answer
    EXPECT_FALSE(protocol.echoEnabled());
    EXPECT_EQ(feed(protocol, command(DO, ECHO)).answers, command(WILL, ECHO)); // asked later: agree
    EXPECT_TRUE(protocol.echoEnabled());
    EXPECT_EQ(feed(protocol, command(DONT, ECHO)).answers, command(WONT, ECHO)); // withdrawn: confirm
    EXPECT_FALSE(protocol.echoEnabled());
    EXPECT_EQ(feed(protocol, command(WONT, NAWS)).answers, "");
    EXPECT_EQ(feed(protocol, command(WILL, NAWS)).answers, command(DONT, NAWS));
    EXPECT_EQ(feed(protocol, command(DO, LINEMODE)).answers, command(WONT, LINEMODE));
}

TEST(TelnetOptions, NegotiationStormGetsAtMostOneAnswerPerRequest)
{
    TelnetServerProtocol protocol;
    protocol.start();
    std::string storm;
    for (int i = 0; i < 1000; ++i)
        storm += command(DO, ECHO) + command(WILL, TTYPE) + command(DO, SGA);
    const Fed fed = feed(protocol, storm);
    EXPECT_EQ(fed.data, "");
    // Only the first WILL TTYPE gets an answer (the request for the type).
    EXPECT_EQ(fed.answers, std::string({IAC, SB, TTYPE, 1, IAC, SE}));
}

TEST(TelnetOptions, DataIsSeparatedFromCommands)
{
    TelnetServerProtocol protocol;
    const Fed fed = feed(protocol, std::string("ab") + IAC + IAC + "c" + IAC + '\xF1' + "d" + IAC + SB +
                                       NAWS + std::string(500, 'x') + IAC + SE + "e");
    EXPECT_EQ(fed.data, std::string("ab\xFF") + "cde");
    EXPECT_EQ(TelnetServerProtocol::escape("a\xFF"
                                           "b"),
              "a\xFF\xFF"
              "b");
}

TEST(TelnetOptions, TerminalTypeIsCleanedAndCapped)
{
    TelnetServerProtocol protocol;
    protocol.start();
    feed(protocol, command(WILL, TTYPE));
    feed(protocol,
         std::string{IAC, SB, TTYPE, 0} + "an\x01si" + std::string(200, 'z') + std::string{IAC, SE});
    EXPECT_EQ(protocol.terminalType().substr(0, 4), "ansi");
    EXPECT_LE(protocol.terminalType().size(), 64u);
}

} // namespace
} // namespace unitsim
