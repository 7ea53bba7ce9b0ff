// The unit driven as the utility drives it: telnet on loopback and a serial console on
// a pseudo-terminal, with the unit running in its own thread.
#include "test_clients.h"
#include "unitsim/simulated_unit.h"

#include <gtest/gtest.h>

namespace unitsim {
namespace {

using namespace std::chrono_literals;
using testing::RawTelnetClient;
using testing::SerialClient;

// A unit started as soon as it is made.
class StartedUnit : public SimulatedUnit
{
public:
    explicit StartedUnit(UnitOptions options = {}) : SimulatedUnit(std::move(options)) { start(); }
};

UnitOptions bothFrontEnds()
{
    UnitOptions options;
    options.pty = true;
    options.rebootDelay = 50ms;
    return options;
}

TEST(TelnetFrontEnd, NegotiatesLogsInEchoesAndRecordsCommands)
{
    StartedUnit unit;
    RawTelnetClient client(unit.telnetPort(), "xterm");
    ASSERT_TRUE(client.login());
    EXPECT_EQ(unit.terminalType(), "xterm");
    EXPECT_GE(client.negotiationCommands(), 4); // WILL ECHO, WILL SGA, DO TTYPE, SB TTYPE SEND
    // The client accepted ECHO, so the command comes back before the reply.
    EXPECT_EQ(client.command("Get 01"), "Get 01\r\nGET=1;01=Hadra Base\r\n>");
    client.write("\n");
    EXPECT_EQ(client.command("Get 04"), "Get 04\r\nGET=1;04=Hadra v2.4\r\n>");
    ASSERT_TRUE(unit.waitForReceivedLines(3, 5s));
    const std::vector<ReceivedLine> expected = {
        {FrontEnd::Telnet, ReceivedLine::Kind::CommandLine, "Get 01"},
        {FrontEnd::Telnet, ReceivedLine::Kind::BareLineFeed, ""},
        {FrontEnd::Telnet, ReceivedLine::Kind::CommandLine, "Get 04"},
    };
    EXPECT_EQ(unit.receivedLines(), expected);
}

TEST(TelnetFrontEnd, GreetsAClientThatDoesNotNegotiateAfterAWhile)
{
    StartedUnit unit;
    RawTelnetClient silent(unit.telnetPort(), "");
    EXPECT_EQ(silent.readUntil("Username: "), "\r\nHadra v2.4 radio unit\r\n\r\nUsername: ");
    silent.write("admin\r\n");
    silent.readUntil("Password: ");
    silent.write("radio\r\n");
    EXPECT_EQ(silent.readUntil(">"), "\r\n>");
    EXPECT_EQ(unit.terminalType(), "");
}

TEST(TelnetFrontEnd, SecondConnectionIsRefusedWhileASessionIsOpen)
{
    StartedUnit unit(bothFrontEnds());
    RawTelnetClient first(unit.telnetPort());
    ASSERT_TRUE(first.login());
    {
        RawTelnetClient second(unit.telnetPort());
        EXPECT_EQ(second.readUntil("\r\n"), "Session already in progress.\r\n");
        EXPECT_TRUE(second.waitForClose());
    }
    // The serial console works meanwhile, and the first session too.
    SerialClient serial(unit.ptySlavePath());
    ASSERT_TRUE(serial.login());
    serial.write("Get 01\r");
    EXPECT_EQ(serial.readUntil(">"), "Get 01\r\nGET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(first.command("Get 02"), "Get 02\r\nGET=1;02=Network Operations\r\n>");
    // Once the session ends, the next connection is served.
    first.close();
    RawTelnetClient third(unit.telnetPort());
    EXPECT_TRUE(third.login());
}

TEST(SerialFrontEnd, EchoesEveryCharacterButNotThePassword)
{
    StartedUnit unit(bothFrontEnds());
    SerialClient serial(unit.ptySlavePath());
    serial.write("\r");
    EXPECT_EQ(serial.readUntil("Password:"), "\r\nPassword:");
    serial.write("radio\n");
    EXPECT_EQ(serial.readUntil(">"), "\r\n>");
    // One character at a time, as the utility sends over serial.
    for (char c : std::string("Get 05")) {
        serial.write(std::string(1, c));
        EXPECT_EQ(serial.readUntil(std::string(1, c), 2s), std::string(1, c));
    }
    serial.write("\r");
    EXPECT_EQ(serial.readUntil(">"), "\r\nGET=1;05=HD2401175;40=00:0A:5E:24:01:17\r\n>");
    serial.write("Exit\r");
    serial.readUntil("Goodbye.\r\n");
    serial.write("\r");
    EXPECT_EQ(serial.readUntil("Password:"), "\r\nPassword:");
}

TEST(Reboot, SavedValuesAreThereAfterReconnectingAndUnsavedOnesAreGone)
{
    StartedUnit unit(bothFrontEnds());
    SerialClient serial(unit.ptySlavePath());
    ASSERT_TRUE(serial.login());
    {
        RawTelnetClient client(unit.telnetPort());
        ASSERT_TRUE(client.login());
        EXPECT_EQ(client.command("Set 01=Saved Name"), "Set 01=Saved Name\r\nOK\r\n>");
        EXPECT_EQ(client.command("Set 60= 1"), "Set 60= 1\r\nOK\r\n>");
        client.command("Set 02=Not Saved");
        client.write("Set 62= 1\r");
        EXPECT_TRUE(client.waitForClose());
    }
    // The serial console went silent and comes back logged out.
    EXPECT_EQ(serial.readUntil("started\r\n"), "\r\nHadra v2.4 radio unit started\r\n");
    ASSERT_TRUE(unit.waitUntilServing(5s));
    RawTelnetClient again(unit.telnetPort());
    ASSERT_TRUE(again.login());
    EXPECT_EQ(again.command("Get 01"), "Get 01\r\nGET=1;01=Saved Name\r\n>");
    EXPECT_EQ(again.command("Get 02"), "Get 02\r\nGET=1;02=Network Operations\r\n>");
    EXPECT_TRUE(serial.login());
}

TEST(TelnetFrontEnd, EthernetAddressCommandDropsTheSession)
{
    StartedUnit unit;
    RawTelnetClient client(unit.telnetPort());
    ASSERT_TRUE(client.login());
    client.write("ip address ethernet 192.168.9.9 255.255.255.0\r");
    EXPECT_TRUE(client.waitForClose());
    EXPECT_EQ(unit.parameter("10"), "192.168.9.9");
    client.close();
    RawTelnetClient next(unit.telnetPort());
    ASSERT_TRUE(next.login());
    EXPECT_EQ(next.command("Set 10=192.168.9.10"), "Set 10=192.168.9.10\r\nOK\r\n>");
    EXPECT_EQ(next.command("Get 10"), "Get 10\r\nGET=1;10=192.168.9.10\r\n>"); // still connected
}

TEST(FaultSwitches, ReplyDelayHoldsTheReplyBack)
{
    UnitOptions options;
    options.faults.replyDelayMs = 400;
    StartedUnit unit(options);
    RawTelnetClient client(unit.telnetPort());
    ASSERT_TRUE(client.login());
    client.write("Get 01\r");
    // The echo comes at once; the reply not before its delay (a slow machine can only
    // make it later).
    EXPECT_EQ(client.readFor(150ms), "Get 01\r\n");
    EXPECT_EQ(client.readUntil(">"), "GET=1;01=Hadra Base\r\n>");
}

TEST(FaultSwitches, CloseAfterCommandsEndsTheTelnetConnection)
{
    UnitOptions options;
    options.faults.closeAfterCommands = 2;
    StartedUnit unit(options);
    RawTelnetClient client(unit.telnetPort());
    ASSERT_TRUE(client.login());
    client.command("Get 01");
    EXPECT_EQ(client.command("Get 02"), "Get 02\r\nGET=1;02=Network Operations\r\n>");
    EXPECT_TRUE(client.waitForClose());
}

TEST(FaultSwitches, UnaskedBytesReachTheClientAtAnyMoment)
{
    StartedUnit unit(bothFrontEnds());
    EXPECT_FALSE(unit.sendUnasked(FrontEnd::Telnet, "nobody there"));
    RawTelnetClient client(unit.telnetPort());
    ASSERT_TRUE(client.login());
    SerialClient serial(unit.ptySlavePath());
    EXPECT_TRUE(unit.sendUnasked(FrontEnd::Telnet, "GET=1;01=Pushed\r\n"));
    EXPECT_EQ(client.readUntil("Pushed\r\n"), "GET=1;01=Pushed\r\n");
    EXPECT_TRUE(unit.sendUnasked(FrontEnd::Serial, "RADIO RSSI=0;33\r\n"));
    EXPECT_EQ(serial.readUntil("33\r\n"), "RADIO RSSI=0;33\r\n");
}

TEST(BadClients, NegotiationStormFromAClientThatNeverReadsIsCutOff)
{
    StartedUnit unit;
    RawTelnetClient flooder(unit.telnetPort(), "ansi", 4096);
    // Every WILL of an unknown option is refused with three bytes; the client reads
    // none of them, so the unit's output for it grows until the unit gives up.
    std::string storm;
    for (int i = 0; i < 4000; ++i)
        storm += "\xFF\xFB\x1F";
    bool cutOff = false;
    for (int round = 0; round < 5000 && !cutOff; ++round)
        cutOff = !flooder.tryWrite(storm);
    EXPECT_TRUE(cutOff);
    flooder.close();
    // The unit still serves.
    RawTelnetClient next(unit.telnetPort());
    EXPECT_TRUE(next.login());
}

TEST(Lifecycle, StopsWithClientsConnectedAndRefusesATakenPort)
{
    auto unit = std::make_unique<SimulatedUnit>(bothFrontEnds());
    unit->start();
    EXPECT_TRUE(unit->isRunning());
    RawTelnetClient client(unit->telnetPort());
    ASSERT_TRUE(client.login());
    SerialClient serial(unit->ptySlavePath());
    serial.write("\r");

    UnitOptions taken;
    taken.telnetPort = unit->telnetPort();
    SimulatedUnit second(taken);
    EXPECT_THROW(second.start(), std::runtime_error);

    unit->stop();
    EXPECT_FALSE(unit->isRunning());
    EXPECT_TRUE(client.waitForClose());
    unit->stop(); // twice is harmless
    unit.reset();
}

TEST(Lifecycle, OptionsTheProtocolCannotCarryAreRefused)
{
    UnitOptions options;
    options.versionText = "Hadra > v3";
    EXPECT_THROW(SimulatedUnit{options}, std::invalid_argument);
    options.versionText = "Hadra Password v3";
    EXPECT_THROW(SimulatedUnit{options}, std::invalid_argument);
    options.versionText.clear();
    options.user = "two words";
    EXPECT_THROW(SimulatedUnit{options}, std::invalid_argument);
}

} // namespace
} // namespace unitsim
