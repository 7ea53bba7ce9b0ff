// The command line of linkset: which arguments make which command, and which are refused
// with what reason.
#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace {

using cli::Command;

QStringList split(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(CommandLine, CommandsTakeTheirAddressesFilesAndSwitches)
{
    const cli::Invocation retrieve =
        cli::parseCommandLine(split("retrieve --telnet 10.1.2.3:2323 --user oper -o unit.qdv --json"));
    ASSERT_TRUE(retrieve.usageError.isEmpty()) << retrieve.usageError.toStdString();
    EXPECT_EQ(retrieve.command, Command::Retrieve);
    EXPECT_EQ(retrieve.unit.telnetHost, QStringLiteral("10.1.2.3"));
    EXPECT_EQ(retrieve.unit.telnetPort, 2323);
    EXPECT_FALSE(retrieve.unit.serial());
    EXPECT_EQ(retrieve.user, QStringLiteral("oper"));
    EXPECT_EQ(retrieve.output, QStringLiteral("unit.qdv"));
    EXPECT_TRUE(retrieve.json);

    const cli::Invocation apply = cli::parseCommandLine(
        split("apply new.qdv --serial /dev/ttyUSB0 --baud 19200 --password-file pw --dry-run"));
    ASSERT_TRUE(apply.usageError.isEmpty()) << apply.usageError.toStdString();
    EXPECT_EQ(apply.command, Command::Apply);
    EXPECT_EQ(apply.files, QStringList{QStringLiteral("new.qdv")});
    EXPECT_EQ(apply.unit.serialDevice, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(apply.unit.baud, 19200);
    EXPECT_EQ(apply.passwordFile, QStringLiteral("pw"));
    EXPECT_TRUE(apply.dryRun);
    EXPECT_FALSE(apply.json);

    // The telnet port defaults to 23; a serial console needs no user name.
    EXPECT_EQ(cli::parseCommandLine(split("retrieve --telnet unit7 --user a -o x")).unit.telnetPort, 23);
    EXPECT_TRUE(cli::parseCommandLine(split("retrieve --serial /dev/ttyS0 -o x")).usageError.isEmpty());

    const cli::Invocation diff = cli::parseCommandLine(split("diff a.qdv b.qdv"));
    EXPECT_EQ(diff.command, Command::Diff);
    EXPECT_EQ(diff.files, (QStringList{QStringLiteral("a.qdv"), QStringLiteral("b.qdv")}));

    const cli::Invocation window = cli::parseCommandLine(split("--demo"));
    EXPECT_EQ(window.command, Command::Window);
    EXPECT_TRUE(window.demo);
    EXPECT_TRUE(window.usageError.isEmpty());
}

TEST(CommandLine, RefusedCommandLinesSayWhy)
{
    const struct
    {
        const char *arguments;
        const char *reason;
    } cases[] = {
        {"--frobnicate", "frobnicate"},
        {"fetch", "unknown command fetch"},
        {"retrieve --user a -o x", "either --telnet"},
        {"retrieve --telnet h --serial /dev/ttyS0 --user a -o x", "either --telnet"},
        {"retrieve --telnet h:0 --user a -o x", "port from 1 to 65535"},
        {"retrieve --telnet h:23x --user a -o x", "port from 1 to 65535"},
        {"retrieve --telnet :23 --user a -o x", "HOST"},
        {"retrieve --telnet h -o x", "--user NAME"},
        {"retrieve --telnet h --user a", "--output"},
        {"retrieve --telnet h --user a -o x extra", "takes no FILE"},
        {"retrieve --telnet h --user a -o x --baud 9600", "--baud goes with --serial"},
        {"retrieve --serial /dev/ttyS0 -o x --baud fast", "positive number"},
        {"retrieve --telnet h --user a -o x --password radio", "never taken from the command line"},
        {"retrieve --telnet", "telnet"},
        {"apply --telnet h --user a", "apply needs one FILE"},
        {"apply a b --telnet h --user a", "apply needs one FILE"},
        {"apply a --telnet h --user a --output x", "output"},
        {"diff a", "diff needs FILE_A and FILE_B"},
        {"--help-all", "help-all"},
        {"diff a b --telnet h", "telnet"},
    };
    for (const auto &c : cases) {
        const cli::Invocation invocation = cli::parseCommandLine(split(c.arguments));
        EXPECT_TRUE(invocation.usageError.contains(QLatin1String(c.reason)))
            << c.arguments << " gave \"" << invocation.usageError.toStdString() << '"';
        EXPECT_TRUE(invocation.text.isEmpty()) << c.arguments;
    }
}

TEST(CommandLine, HelpAndVersionTexts)
{
    const QString overview = cli::parseCommandLine(split("--help")).text;
    for (const char *part : {"linkset retrieve", "linkset apply", "linkset diff", "--demo",
                             "LINKSET_PASSWORD", "Exit status:", "4  login refused"})
        EXPECT_TRUE(overview.contains(QLatin1String(part))) << part;
    EXPECT_EQ(cli::parseCommandLine(split("-h")).text, overview);

    const QString apply = cli::parseCommandLine(split("apply --help")).text;
    for (const char *part :
         {"Usage: linkset apply FILE", "--dry-run", "--password-file <FILE>", "Exit status:"})
        EXPECT_TRUE(apply.contains(QLatin1String(part))) << part << "\n" << apply.toStdString();
    EXPECT_FALSE(apply.contains(QLatin1String("<executable_name>"))) << apply.toStdString();

    EXPECT_EQ(cli::parseCommandLine(split("--version")).text,
              QStringLiteral("linkset " LINKSET_VERSION "\n"));
}

} // namespace
