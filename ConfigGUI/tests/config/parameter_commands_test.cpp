// The parameter vocabulary: the exact command text and waits of every code.
#include "config/command_error.h"
#include "config/parameter_commands.h"
#include "config/parameter_table.h"

#include <gtest/gtest.h>
#include <set>

using namespace linkset;

namespace {

// Every code with its read command and its write command for the value "v 1" (nullptr: refused).
// Fixed actions are written with no value.
struct Expected
{
    const char *code;
    const char *read;
    const char *write;
};

constexpr Expected kExpected[] = {
    {"01", "Get 01", "Set 01=v 1"},
    {"02", "Get 02", "Set 02=v 1"},
    {"03", "Get 03", "Set 03=v 1"},
    {"04", "Get 04", nullptr},
    {"05", "Get 05", nullptr},
    {"06", nullptr, "Set 06=v 1"},
    {"10", "Get 10", "Set 10=v 1"},
    {"11", "Get 11", "Set 11=v 1"},
    {"12", "Get 12", "Set 12=v 1"},
    {"13", "Get 13", "Set 13=v 1"},
    {"14", "Get 14", "Set 14=v 1"},
    {"15", "Get 15", "Set 15=v 1"},
    {"16", "Get 16", nullptr}, // word form, below
    {"17", "Get 17", "Set 17=v 1"},
    {"18", "Get 18", "Set 18=v 1"},
    {"19", "Get 19", "Set 19=v 1"},
    {"1B", "Get 1B", "Set 1B=v 1"},
    {"1C", "Get 1C", "Set 1C=v 1"},
    {"1D", nullptr, "Set 1D= 1"},
    {"1E", nullptr, "Set 1E= 1"},
    {"1F", nullptr, "ip route add v 1"},
    {"20", nullptr, "ip route del v 1"},
    {"21", nullptr, "ip dns server add v 1"},
    {"22", nullptr, "ip dns server del v 1"},
    {"23", nullptr, "Set 23=v 1"},
    {"24", nullptr, "Set 24=v 1"},
    {"25", nullptr, "Set 25=v 1"},
    {"26", nullptr, "Set 26=v 1"},
    {"27", "Get 27", "Set 27=v 1"},
    {"28", "Get 28", "Set 28=v 1"},
    {"29", "Get 29", "Set 29=v 1"},
    {"2A", nullptr, nullptr},
    {"30", "Get 30", "Set 30=v 1"},
    {"31", nullptr, "Set 31=v 1"},
    {"32", nullptr, "Set 32=v 1"},
    {"33", "Get 33", "Set 33=v 1"},
    {"34", "Get 34", "Set 34=v 1"},
    {"35", "IP RIP", nullptr}, // word form, below
    {"40", nullptr, nullptr},
    {"41", "Get 41", "Set 41=v 1"},
    {"42", "Get 42", nullptr},
    {"43", "Get 43", "radio channel v 1"},
    {"44", "Get 44", nullptr},
    {"45", "Get 45", "Set 45=v 1"},
    {"46", "Get 46", nullptr},
    {"47", "Get 47", "Set 47=v 1"},
    {"48", "Get 48", "Set 48=v 1"},
    {"49", nullptr, nullptr},
    {"4A", "Get 4A", nullptr},
    {"50", nullptr, "Set 50=v 1"},
    {"51", nullptr, "Set 51=v 1"},
    {"52", "Get 52", "Set 52=v 1"},
    {"53", nullptr, "set 53 = 1"},
    {"58", "Get 58", "Set 58=v 1"},
    {"60", nullptr, "Set 60= 1"},
    {"61", nullptr, "Set 61= 1"},
    {"62", nullptr, "Set 62= 1"},
    {"63", nullptr, "Set 63= 1"},
};

const std::set<std::string> kWordForms = {"16", "35"};

bool isFixed(const QString &code)
{
    return findParameter(code)->shape == ParameterShape::Fixed;
}

} // namespace

TEST(ParameterTable, ListsExactlyTheKnownCodesOnceEach)
{
    std::set<std::string> expected;
    for (const Expected &e : kExpected)
        expected.insert(e.code);
    std::set<std::string> actual;
    for (const ParameterRow &row : parameterTable())
        EXPECT_TRUE(actual.insert(std::string(row.code)).second) << "code listed twice: " << row.code;
    EXPECT_EQ(actual, expected);
}

TEST(ParameterCommand, ReadsEveryReadableCodeAndRefusesTheOthers)
{
    for (const Expected &e : kExpected) {
        SCOPED_TRACE(e.code);
        if (e.read) {
            EXPECT_EQ(parameterCommand(QString::fromLatin1(e.code), false).text, QString::fromLatin1(e.read));
        } else {
            EXPECT_THROW(parameterCommand(QString::fromLatin1(e.code), false), CommandError);
        }
    }
}

TEST(ParameterCommand, WritesEveryWritableCodeAndRefusesTheOthers)
{
    for (const Expected &e : kExpected) {
        SCOPED_TRACE(e.code);
        const QString code = QString::fromLatin1(e.code);
        if (kWordForms.count(e.code))
            continue;
        const QString value = isFixed(code) ? QString() : QStringLiteral("v 1");
        if (e.write) {
            EXPECT_EQ(parameterCommand(code, true, value).text, QString::fromLatin1(e.write));
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
    for (const Expected &e : kExpected) {
        const QString code = QString::fromLatin1(e.code);
        const std::string c = e.code;
        SCOPED_TRACE(c);
        if (!e.read && !e.write)
            continue; // reply-only rows have no command
        const bool set = e.read == nullptr;
        const QString value =
            kWordForms.count(c) ? QStringLiteral("1") : (isFixed(code) ? QString() : QStringLiteral("v"));
        const DeviceCommand command = parameterCommand(code, set, value);

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
