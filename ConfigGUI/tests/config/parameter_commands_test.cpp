// The parameter vocabulary: the command texts of each kind of parameter and the waits of every code.
#include "config/command_error.h"
#include "config/parameter_commands.h"
#include "config/parameter_table.h"

#include <gtest/gtest.h>
#include <set>

using namespace linkset;

namespace {

QString codeOf(const ParameterRow &row)
{
    return QString::fromLatin1(row.code.data(), qsizetype(row.code.size()));
}

} // namespace

TEST(ParameterTable, ListsEachCodeOnce)
{
    std::set<std::string_view> codes;
    for (const ParameterRow &row : parameterTable())
        EXPECT_TRUE(codes.insert(row.code).second) << "code listed twice: " << row.code;
}

// One code of each shape and write form: its read command and its write command for the value
// "v 1" (nullptr: refused). Fixed actions are written with no value.
TEST(ParameterCommand, EachShapeReadsAndWritesAsItAllows)
{
    const struct
    {
        const char *code;
        const char *read;
        const char *write;
    } cases[] = {
        {"01", "Get 01", "Set 01=v 1"},        {"04", "Get 04", nullptr},
        {"06", nullptr, "Set 06=v 1"},         {"1F", nullptr, "ip route add v 1"},
        {"43", "Get 43", "radio channel v 1"}, {"2A", nullptr, nullptr},
        {"53", nullptr, "set 53 = 1"},         {"60", nullptr, "Set 60= 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const QString code = QString::fromLatin1(c.code);
        if (c.read) {
            EXPECT_EQ(parameterCommand(code, false).text, QString::fromLatin1(c.read));
        } else {
            EXPECT_THROW(parameterCommand(code, false), CommandError);
        }
        const QString value =
            findParameter(code)->shape == ParameterShape::Fixed ? QString() : QStringLiteral("v 1");
        if (c.write) {
            EXPECT_EQ(parameterCommand(code, true, value).text, QString::fromLatin1(c.write));
        } else {
            EXPECT_THROW(parameterCommand(code, true, value), CommandError);
        }
    }
}

TEST(ParameterCommand, WordFormsChooseTheirWordByTheValueAsANumber)
{
    const struct
    {
        const char *code;
        const char *value;
        const char *text;
    } cases[] = {
        {"16", "0", "mode bridge"},    {"16", "1", "mode route"},     {"16", "2", "mode route"},
        {"16", "-1", "mode route"},    {"16", " 0 ", "mode bridge"},  {"35", "1", "IP RIP Enable"},
        {"35", "0", "IP RIP Disable"}, {"35", "2", "IP RIP Disable"}, {"35", "01", "IP RIP Enable"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.code) + " = '" + c.value + "'");
        EXPECT_EQ(parameterCommand(QString::fromLatin1(c.code), true, QString::fromLatin1(c.value)).text,
                  QString::fromLatin1(c.text));
    }
    EXPECT_EQ(parameterCommand(u"16", false).text, QStringLiteral("Get 16"));
    EXPECT_EQ(parameterCommand(u"35", false).text, QStringLiteral("IP RIP"));
}

TEST(ParameterCommand, WordFormsRefuseAValueThatIsNotAWholeNumber)
{
    for (const char *code : {"16", "35"}) {
        for (const char *value : {"", "abc", "1.5", "1x", "99999999999"}) {
            SCOPED_TRACE(std::string(code) + " = '" + value + "'");
            try {
                parameterCommand(QString::fromLatin1(code), true, QString::fromLatin1(value));
                ADD_FAILURE() << "no error";
            } catch (const CommandError &error) {
                EXPECT_NE(std::string(error.what()).find("is not a whole number"), std::string::npos)
                    << error.what();
            }
        }
    }
}

TEST(ParameterCommand, TakesTheValueAsGivenButNeverALineBreak)
{
    EXPECT_EQ(parameterCommand(u"01", true, QStringLiteral("  Tower \"A\";x  ")).text,
              QStringLiteral("Set 01=  Tower \"A\";x  "));
    EXPECT_EQ(parameterCommand(u"01", true, QString()).text, QStringLiteral("Set 01="));
    for (const char *value : {"a\rSet 61= 1", "a\n", "\r"}) {
        EXPECT_THROW(parameterCommand(u"01", true, QString::fromLatin1(value)), CommandError);
        EXPECT_THROW(parameterCommand(u"1F", true, QString::fromLatin1(value)), CommandError);
    }
}

TEST(ParameterCommand, FixedActionsTakeNoValue)
{
    EXPECT_THROW(parameterCommand(u"62", true, QStringLiteral("1")), CommandError);
    EXPECT_THROW(parameterCommand(u"53", false), CommandError);
}

TEST(ParameterCommand, FindsCodesWhateverTheirCaseAndRefusesUnknownOnes)
{
    EXPECT_EQ(parameterCommand(u"1b", false).text, QStringLiteral("Get 1B"));
    EXPECT_EQ(parameterCommand(u"4a", false).text, QStringLiteral("Get 4A"));
    for (const char *code : {"", "1A", "07", "64", "1", "010", "Get 01"})
        EXPECT_THROW(parameterCommand(QString::fromLatin1(code), false), CommandError) << code;
}

TEST(ParameterCommand, WaitsOfEveryRow)
{
    const DeviceCommand defaults;
    for (const ParameterRow &row : parameterTable()) {
        if (row.shape == ParameterShape::ReplyOnly)
            continue; // no command
        const std::string_view c = row.code;
        SCOPED_TRACE(c);
        const bool set = row.readText.empty();
        const QString value = row.shape == ParameterShape::Fixed ? QString() : QStringLiteral("v");
        const DeviceCommand command = parameterCommand(codeOf(row), set, value);

        TelnetWait telnet;
        SerialWait serial;
        QString notice;
        if (c == "43") {
            serial.seconds = 15.0;
        } else if (c == "61") {
            telnet.ignoreErrors = true;
            serial.ignoreErrors = true;
        } else if (c == "62") {
            telnet = TelnetWait{.seconds = 5, .quiet = true};
            serial = SerialWait{.seconds = 1.0, .skipPromptWait = true, .ignoreErrors = true};
            notice = QStringLiteral("Please wait approximately one minute to allow the device to reboot");
        }
        EXPECT_EQ(command.telnet, telnet);
        EXPECT_EQ(command.serial, serial);
        EXPECT_EQ(command.serialNotice, notice);
    }
    EXPECT_EQ(defaults.telnet.seconds, 20);
    EXPECT_EQ(defaults.serial.seconds, 20.0);
}

TEST(ParameterCommand, ReadAndWriteOfTheRadioChannelShareItsWaits)
{
    EXPECT_EQ(parameterCommand(u"43", false).serial.seconds, 15.0);
    EXPECT_EQ(parameterCommand(u"43", true, QStringLiteral("6")).serial.seconds, 15.0);
}

TEST(ParameterCommand, FirstReadOfARetrievalDoesNotWaitLongOverSerial)
{
    const DeviceCommand first = firstRetrievalRead();
    EXPECT_EQ(first.text, QStringLiteral("Get 01"));
    EXPECT_EQ(first.telnet, TelnetWait{});
    EXPECT_EQ(first.serial, (SerialWait{.seconds = 5.0, .skipPromptWait = true}));
    EXPECT_EQ(parameterCommand(u"01", false).serial, SerialWait{});
}
