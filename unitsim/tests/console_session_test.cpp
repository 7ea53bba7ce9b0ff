// The console dialogue of both front ends: login, echo, line ends, and the fault
// switches that act on a session.
#include "console_session.h"

#include <gtest/gtest.h>

using namespace std::string_view_literals;

namespace unitsim {
namespace {

std::string joined(const std::vector<SessionWrite> &writes)
{
    std::string all;
    for (const auto &write : writes)
        all += write.bytes;
    return all;
}

class Console
{
public:
    explicit Console(FrontEnd frontEnd, FaultSwitches faults = {}, bool telnetEcho = true)
        : frontEnd_(frontEnd), faults_(std::move(faults)), unit_(UnitOptions{}),
          session_(frontEnd, unit_, activity, faults_)
    {
        session_.setEcho(telnetEcho);
        greeting = joined(session_.open());
    }

    // Sends bytes; returns everything the session wrote, concatenated.
    std::string send(std::string_view bytes)
    {
        last = session_.receive(bytes);
        return joined(last);
    }
    void login()
    {
        send(frontEnd_ == FrontEnd::Serial ? "\r" : "admin\n");
        ASSERT_EQ(send("radio\n"), "\r\n>");
    }
    ConsoleSession &session() { return session_; }

    Activity activity;
    std::string greeting;
    std::vector<SessionWrite> last;

private:
    FrontEnd frontEnd_;
    FaultSwitches faults_;
    CommandInterpreter unit_;
    ConsoleSession session_;
};

TEST(SerialConsole, AsksOnlyForThePasswordAfterTheFirstCarriageReturn)
{
    Console serial(FrontEnd::Serial);
    EXPECT_EQ(serial.greeting, "");
    EXPECT_EQ(serial.send("abc"), ""); // a logged-out console ignores typing
    EXPECT_EQ(serial.send("\r"), "\r\nPassword:");
    EXPECT_EQ(serial.send("radio"), ""); // never echoed
    EXPECT_EQ(serial.send("\n"), "\r\n>");
    EXPECT_TRUE(serial.session().loggedIn());
}

TEST(SerialConsole, EchoesEveryCharacterThenRepliesInOneWrite)
{
    Console serial(FrontEnd::Serial);
    serial.login();
    EXPECT_EQ(serial.send("G"), "G");
    EXPECT_EQ(serial.send("et 04"), "et 04");
    EXPECT_EQ(serial.send("\r"), "\r\nGET=1;04=Hadra v2.4\r\n>");
    ASSERT_EQ(serial.last.size(), 2u); // the echo, then the reply with its prompt
    EXPECT_EQ(serial.last[1].bytes, "GET=1;04=Hadra v2.4\r\n>");
    EXPECT_TRUE(serial.last[1].isReply);
    EXPECT_FALSE(serial.last[0].isReply);
}

TEST(SerialConsole, ExitLogsOutAndWaitsForACarriageReturn)
{
    Console serial(FrontEnd::Serial);
    serial.login();
    serial.send("Exit\r");
    EXPECT_FALSE(serial.session().loggedIn());
    EXPECT_EQ(serial.send("Get 01"), "");
    EXPECT_EQ(serial.send("\r"), "\r\nPassword:");
}

TEST(SerialConsole, BareLineFeedIsOnlyEchoedAndRecorded)
{
    Console serial(FrontEnd::Serial);
    serial.login();
    EXPECT_EQ(serial.send("\n"), "\n");
    EXPECT_EQ(serial.send("Get 01\r\n"), "Get 01\r\nGET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(serial.send("\r"), "\r\n>"); // an empty line: a fresh prompt
    const std::vector<ReceivedLine> expected = {
        {FrontEnd::Serial, ReceivedLine::Kind::BareLineFeed, ""},
        {FrontEnd::Serial, ReceivedLine::Kind::CommandLine, "Get 01"},
        {FrontEnd::Serial, ReceivedLine::Kind::CommandLine, ""},
    };
    EXPECT_EQ(serial.activity.lines, expected);
}

TEST(Login, WrongPasswordIsAnsweredInOneWriteAndThreeFailuresEndTheSession)
{
    for (FrontEnd frontEnd : {FrontEnd::Telnet, FrontEnd::Serial}) {
        Console console(frontEnd);
        const std::string prompt = frontEnd == FrontEnd::Telnet ? "Password: " : "Password:";
        console.send(frontEnd == FrontEnd::Telnet ? "admin\r\n" : "\r");
        EXPECT_EQ(console.send("wrong\n"), "\r\nInvalid password.\r\n" + prompt);
        EXPECT_EQ(console.last.size(), 1u);
        EXPECT_EQ(console.send("wrong again\r"), "\r\nInvalid password.\r\n" + prompt);
        EXPECT_EQ(console.send("still wrong\r\n"), "\r\nAccess denied.\r\n");
        EXPECT_EQ(console.last.back().after, SessionWrite::After::EndSession);
        EXPECT_FALSE(console.session().loggedIn());
    }
}

TEST(Login, TelnetChecksUserAndPasswordTogether)
{
    Console telnet(FrontEnd::Telnet);
    EXPECT_EQ(telnet.greeting, "\r\nHadra v2.4 radio unit\r\n\r\nUsername: ");
    telnet.send("intruder\n");
    EXPECT_EQ(telnet.send("radio\n"), "\r\nInvalid password.\r\nPassword: ");
    EXPECT_FALSE(telnet.session().loggedIn());
}

TEST(TelnetConsole, EchoesWhenAllowedButNeverThePassword)
{
    Console telnet(FrontEnd::Telnet);
    EXPECT_EQ(telnet.send("admin"), "admin");
    EXPECT_EQ(telnet.send("\n"), "\r\nPassword: "); // a line end is echoed as CR LF
    EXPECT_EQ(telnet.send("radio"), "");
    EXPECT_EQ(telnet.send("\r\0"sv), "\r\n>");
    EXPECT_EQ(telnet.send("Get 01\r"), "Get 01\r\nGET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(telnet.send("\n"), ""); // the keep-alive: nothing at all over telnet
    ASSERT_EQ(telnet.activity.lines.size(), 2u);
    EXPECT_EQ(telnet.activity.lines[1].kind, ReceivedLine::Kind::BareLineFeed);
}

TEST(TelnetConsole, LoginLineEndMaySplitAcrossArrivals)
{
    Console telnet(FrontEnd::Telnet, {}, false);
    EXPECT_EQ(telnet.send("admin\r"), "\r\nPassword: ");
    EXPECT_EQ(telnet.send("\n"), "");
    EXPECT_EQ(telnet.send("radio\r"), "\r\n>");
    EXPECT_EQ(telnet.send("\0"sv), "");
    EXPECT_TRUE(telnet.session().loggedIn());
    EXPECT_TRUE(telnet.activity.lines.empty());
}

TEST(TelnetConsole, WithoutEchoOnlyRepliesAreSent)
{
    Console telnet(FrontEnd::Telnet, {}, false);
    EXPECT_EQ(telnet.send("admin\r\n"), "\r\nPassword: ");
    EXPECT_EQ(telnet.send("radio\r\n"), "\r\n>");
    EXPECT_EQ(telnet.send("Get 01\r\n"), "GET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(telnet.send("Exit\r\n"), "Goodbye.\r\n");
    EXPECT_EQ(telnet.last.back().after, SessionWrite::After::EndSession);
}

TEST(Console, LineEndsAndEditing)
{
    Console telnet(FrontEnd::Telnet, {}, false);
    telnet.login();
    // CR LF, CR NUL and a lone CR end a line once each.
    EXPECT_EQ(telnet.send("Get 01\r\nGet 02\r\0Get 03\r"sv),
              "GET=1;01=Hadra Base\r\n>GET=1;02=Network Operations\r\n>GET=1;03=North Tower\r\n>");
    EXPECT_EQ(telnet.send("Gex\bt 0x\x7F"
                          "1\r"),
              "GET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(telnet.send("Get\x01\x1b 01\r"), "GET=1;01=Hadra Base\r\n>"); // control characters are dropped
}

TEST(Console, OverlongLinesAreCappedAndRefused)
{
    Console serial(FrontEnd::Serial);
    serial.login();
    const std::string longLine(kMaxLineLength + 500, 'x');
    const std::string echoed = serial.send(longLine);
    EXPECT_EQ(echoed.size(), kMaxLineLength); // nothing past the cap is kept or echoed
    EXPECT_EQ(serial.send("\r"), "\r\nERROR line too long\r\n>");
    ASSERT_EQ(serial.activity.lines.size(), 1u);
    EXPECT_EQ(serial.activity.lines[0].text.size(), kMaxLineLength);
    EXPECT_EQ(serial.send("Get 01\r"), "Get 01\r\nGET=1;01=Hadra Base\r\n>");
}

TEST(Console, BinaryGarbageNeverBreaksTheSession)
{
    Console telnet(FrontEnd::Telnet, {}, false);
    telnet.login();
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    telnet.send(garbage);
    telnet.send("\r");
    EXPECT_TRUE(telnet.session().loggedIn());
    EXPECT_EQ(telnet.send("Get 01\r"), "GET=1;01=Hadra Base\r\n>");
}

TEST(FaultSwitches, DropTheReplyOfTheNthCommand)
{
    FaultSwitches faults;
    faults.dropReplyOfCommand = 2;
    Console telnet(FrontEnd::Telnet, faults, false);
    telnet.login();
    EXPECT_EQ(telnet.send("Get 01\r"), "GET=1;01=Hadra Base\r\n>");
    EXPECT_EQ(telnet.send("\r"), ">"); // empty lines are not counted
    EXPECT_EQ(telnet.send("Set 01=Dropped\r"), "");
    EXPECT_EQ(telnet.send("Get 01\r"), "GET=1;01=Dropped\r\n>"); // the dropped write took effect
}

TEST(FaultSwitches, WrongAndMissingEchoOfSerialCharacters)
{
    FaultSwitches faults;
    faults.wrongEchoAtSerialChar = 2;
    faults.omitEchoAtSerialChar = 4;
    Console serial(FrontEnd::Serial, faults);
    serial.login(); // login characters are not counted
    EXPECT_EQ(serial.send("G"), "G");
    EXPECT_EQ(serial.send("e"), "?");
    EXPECT_EQ(serial.send("t"), "t");
    EXPECT_EQ(serial.send(" "), "");
    EXPECT_EQ(serial.send("01\r"), "01\r\nGET=1;01=Hadra Base\r\n>");
}

TEST(FaultSwitches, CloseAfterNCommandsOfEachSession)
{
    FaultSwitches faults;
    faults.closeAfterCommands = 2;
    Console serial(FrontEnd::Serial, faults);
    serial.login();
    serial.send("Get 01\r");
    EXPECT_EQ(serial.last.back().after, SessionWrite::After::Nothing);
    EXPECT_EQ(serial.send("Get 02\r"), "Get 02\r\nGET=1;02=Network Operations\r\n>");
    EXPECT_EQ(serial.last.back().after, SessionWrite::After::EndSession);
    EXPECT_FALSE(serial.session().loggedIn());
    serial.login(); // the next session is counted afresh
    serial.send("Get 01\r");
    EXPECT_TRUE(serial.session().loggedIn());
}

TEST(FaultSwitches, UnaskedTextFollowsTheReplyOfTheNthCommand)
{
    FaultSwitches faults;
    faults.unaskedAfterCommand = 1;
    faults.unaskedText = "GET=1;01=Surprise\r\n";
    Console telnet(FrontEnd::Telnet, faults, false);
    telnet.login();
    EXPECT_EQ(telnet.send("Get 02\r"), "GET=1;02=Network Operations\r\n>GET=1;01=Surprise\r\n");
    EXPECT_EQ(telnet.send("Get 02\r"), "GET=1;02=Network Operations\r\n>");
}

TEST(Console, RebootSilencesTheSessionAndTheSerialConsoleReturnsLoggedOut)
{
    Console serial(FrontEnd::Serial);
    serial.login();
    serial.send("Set 62= 1\rGet 01\r");
    ASSERT_FALSE(serial.last.empty());
    EXPECT_EQ(serial.last.back().after, SessionWrite::After::Reboot);
    EXPECT_EQ(serial.last.back().bytes, "");
    serial.session().logOut();
    EXPECT_EQ(joined(serial.session().rebootFinished()), "\r\nHadra v2.4 radio unit started\r\n");
    EXPECT_EQ(serial.send("\r"), "\r\nPassword:");
}

} // namespace
} // namespace unitsim
