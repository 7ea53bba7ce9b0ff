#include "program_options.h"

#include <gtest/gtest.h>

namespace unitsim {
namespace {

TEST(ProgramOptions, FrontEndsDefaultToTelnetOnAnyFreeLoopbackPort)
{
    const auto none = parseProgramOptions({});
    EXPECT_TRUE(none.error.empty());
    EXPECT_TRUE(none.unit.telnet);
    EXPECT_FALSE(none.unit.pty);
    EXPECT_EQ(none.unit.telnetHost, "127.0.0.1");
    EXPECT_EQ(none.unit.telnetPort, 0);

    const auto ptyOnly = parseProgramOptions({"--pty"});
    EXPECT_FALSE(ptyOnly.unit.telnet);
    EXPECT_TRUE(ptyOnly.unit.pty);

    const auto both = parseProgramOptions({"--pty", "--telnet", "0.0.0.0:2323"});
    EXPECT_TRUE(both.unit.telnet);
    EXPECT_EQ(both.unit.telnetHost, "0.0.0.0");
    EXPECT_EQ(both.unit.telnetPort, 2323);
}

TEST(ProgramOptions, UnitSettingsAndFaultSwitches)
{
    // Every option written as one argument "--name=value".
    const auto parsed = parseProgramOptions(
        {"--model=QDV", "--version-text=QDV v1.3", "--seed=42", "--big-lists=4096", "--reboot-delay=0",
         "--reply-delay=250", "--drop-reply=3", "--wrong-echo=5", "--omit-echo=6", "--close-after=7",
         "--refuse-writes=1b", "--unasked=2:RIP: on\\r\\n\\x3e", "--log-commands=/tmp/unit.log"});
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    const UnitOptions &u = parsed.unit;
    EXPECT_EQ(u.model, Model::Qdv);
    EXPECT_EQ(u.versionText, "QDV v1.3");
    EXPECT_EQ(u.seed, 42u);
    EXPECT_EQ(u.bigListsBytes, 4096u);
    EXPECT_EQ(u.rebootDelay.count(), 0);
    EXPECT_EQ(u.faults.replyDelayMs, 250);
    EXPECT_EQ(u.faults.dropReplyOfCommand, 3);
    EXPECT_EQ(u.faults.wrongEchoAtSerialChar, 5);
    EXPECT_EQ(u.faults.omitEchoAtSerialChar, 6);
    EXPECT_EQ(u.faults.closeAfterCommands, 7);
    EXPECT_EQ(u.faults.refuseWritesOfCode, "1B");
    EXPECT_EQ(u.faults.unaskedAfterCommand, 2);
    EXPECT_EQ(u.faults.unaskedText, "RIP: on\r\n>");
    EXPECT_EQ(parsed.commandLog, "/tmp/unit.log");
}

TEST(ProgramOptions, RefusedCommandLinesSayWhy)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--model", "base"},
        {"--telnet", "localhost"},
        {"--telnet", "1.2.3.4:65536"},
        {"--seed", "-1"},
        {"--refuse-writes", "123"},
        {"--unasked", "x:text"},
        {"--unasked", "1:bad\\q"},
        {"--drop-reply"},
        {"--state", ""},
        {"--log-commands", ""},
        {"--help-all"},
        {"extra"},
    };
    for (const auto &arguments : bad)
        EXPECT_FALSE(parseProgramOptions(arguments).error.empty()) << arguments.front();
    EXPECT_TRUE(parseProgramOptions({"--help"}).help);
    EXPECT_TRUE(parseProgramOptions({"-h"}).help);
    EXPECT_TRUE(parseProgramOptions({"--version"}).version);
    // The refusals name what was refused.
    EXPECT_NE(parseProgramOptions({"--frobnicate"}).error.find("frobnicate"), std::string::npos);
    EXPECT_NE(parseProgramOptions({"--seed", "x"}).error.find("--seed"), std::string::npos);
}

} // namespace
} // namespace unitsim
