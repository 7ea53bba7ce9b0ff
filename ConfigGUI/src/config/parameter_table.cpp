#include "config/parameter_table.h"

#include <QString>
#include <array>

namespace linkset {
namespace {

constexpr ParameterRow readWrite(std::string_view code, std::string_view meaning, std::string_view get,
                                 std::string_view set)
{
    return {.code = code,
            .meaning = meaning,
            .shape = ParameterShape::ReadWrite,
            .readText = get,
            .writeForm = WriteForm::Prefix,
            .writeText = set};
}

// A read-or-write parameter whose write is one of two command words, chosen by the value as an integer.
constexpr ParameterRow readWriteChoice(std::string_view code, std::string_view meaning, std::string_view get,
                                       int choiceValue, std::string_view whenEqual,
                                       std::string_view otherwise)
{
    return {.code = code,
            .meaning = meaning,
            .shape = ParameterShape::ReadWrite,
            .readText = get,
            .writeForm = WriteForm::IntegerChoice,
            .writeText = whenEqual,
            .choiceValue = choiceValue,
            .otherText = otherwise};
}

constexpr ParameterRow readOnly(std::string_view code, std::string_view meaning, std::string_view get)
{
    return {.code = code, .meaning = meaning, .shape = ParameterShape::ReadOnly, .readText = get};
}

constexpr ParameterRow writeOnly(std::string_view code, std::string_view meaning, std::string_view prefix)
{
    return {.code = code,
            .meaning = meaning,
            .shape = ParameterShape::WriteOnly,
            .writeForm = WriteForm::Prefix,
            .writeText = prefix};
}

constexpr ParameterRow fixed(std::string_view code, std::string_view meaning, std::string_view text)
{
    return {.code = code,
            .meaning = meaning,
            .shape = ParameterShape::Fixed,
            .writeForm = WriteForm::Fixed,
            .writeText = text};
}

constexpr ParameterRow replyOnly(std::string_view code, std::string_view meaning)
{
    return {.code = code, .meaning = meaning, .shape = ParameterShape::ReplyOnly};
}

constexpr ParameterRow withWaits(ParameterRow row, TelnetWait telnet, SerialWait serial)
{
    row.telnet = telnet;
    row.serial = serial;
    return row;
}

// The radio channel is changed with a command word and answered sooner over serial.
constexpr ParameterRow radioChannel()
{
    return withWaits(readWrite("43", "Radio channel", "Get 43", "radio channel "), TelnetWait{},
                     SerialWait{.seconds = 15.0});
}

// Loading factory defaults: whatever happens on the line is of no interest.
constexpr ParameterRow loadDefaults()
{
    return withWaits(fixed("61", "Load factory defaults", "Set 61= 1"), TelnetWait{.ignoreErrors = true},
                     SerialWait{.ignoreErrors = true});
}

// The unit restarts at once and sends no prompt: telnet waits briefly and quietly; serial sends
// without waiting for a prompt, ignores errors and tells the operator to wait.
constexpr ParameterRow reboot()
{
    ParameterRow row = withWaits(fixed("62", "Reboot", "Set 62= 1"), TelnetWait{.seconds = 5, .quiet = true},
                                 SerialWait{.seconds = 1.0, .skipPromptWait = true, .ignoreErrors = true});
    row.serialNotice = "Please wait approximately one minute to allow the device to reboot";
    return row;
}

constexpr std::array kParameters{
    readWrite("01", "System name", "Get 01", "Set 01="),
    readWrite("02", "System contact", "Get 02", "Set 02="),
    readWrite("03", "System location", "Get 03", "Set 03="),
    readOnly("04", "Model and software version", "Get 04"),
    readOnly("05", "Serial number", "Get 05"),
    writeOnly("06", "Password", "Set 06="),
    readWrite("10", "Ethernet address", "Get 10", "Set 10="),
    readWrite("11", "Ethernet netmask", "Get 11", "Set 11="),
    readWrite("12", "Radio address", "Get 12", "Set 12="),
    readWrite("13", "Radio netmask", "Get 13", "Set 13="),
    readWrite("14", "Routing mode", "Get 14", "Set 14="),
    readWrite("15", "DNS domain name", "Get 15", "Set 15="),
    readWriteChoice("16", "Forwarding mode", "Get 16", 0, "mode bridge", "mode route"),
    readWrite("17", "RIP active or quiet", "Get 17", "Set 17="),
    readWrite("18", "RIP default route", "Get 18", "Set 18="),
    readWrite("19", "RIP version", "Get 19", "Set 19="),
    readWrite("1B", "RIP broadcast or multicast", "Get 1B", "Set 1B="),
    readWrite("1C", "RIP static route updates", "Get 1C", "Set 1C="),
    fixed("1D", "Flush the routing table", "Set 1D= 1"),
    fixed("1E", "Erase the routing table", "Set 1E= 1"),
    writeOnly("1F", "Add a static route", "ip route add "),
    writeOnly("20", "Delete a static route", "ip route del "),
    writeOnly("21", "Add a DNS server", "ip dns server add "),
    writeOnly("22", "Delete a DNS server", "ip dns server del "),
    writeOnly("23", "Add an SNMP community", "Set 23="),
    writeOnly("24", "Remove an SNMP community", "Set 24="),
    writeOnly("25", "Add an SNMP trap server", "Set 25="),
    writeOnly("26", "Remove an SNMP trap server", "Set 26="),
    readWrite("27", "Router address", "Get 27", "Set 27="),
    readWrite("28", "Router netmask", "Get 28", "Set 28="),
    readWrite("29", "RADIUS server address", "Get 29", "Set 29="),
    replyOnly("2A", "RADIUS netmask"),
    readWrite("30", "DHCP mode", "Get 30", "Set 30="),
    writeOnly("31", "Add a DHCP relay server", "Set 31="),
    writeOnly("32", "Remove a DHCP relay server", "Set 32="),
    readWrite("33", "RIP interval", "Get 33", "Set 33="),
    readWrite("34", "RIP expire time", "Get 34", "Set 34="),
    readWriteChoice("35", "RIP enabled", "IP RIP", 1, "IP RIP Enable", "IP RIP Disable"),
    replyOnly("40", "MAC address"),
    readWrite("41", "Radio type", "Get 41", "Set 41="),
    readOnly("42", "Regulatory domain", "Get 42"),
    radioChannel(),
    readOnly("44", "Queried during retrieval", "Get 44"),
    readWrite("45", "Radio speed", "Get 45", "Set 45="),
    readOnly("46", "Queried during retrieval", "Get 46"),
    readWrite("47", "Local ID", "Get 47", "Set 47="),
    readWrite("48", "Remote master ID of a bridging station", "Get 48", "Set 48="),
    replyOnly("49", "Radio packet loss"),
    readOnly("4A", "Queried during retrieval", "Get 4A"),
    writeOnly("50", "Add a remote unit", "Set 50="),
    writeOnly("51", "Remove a remote unit", "Set 51="),
    readWrite("52", "Radio enabled", "Get 52", "Set 52="),
    fixed("53", "Packet-loss counter command", "set 53 = 1"),
    readWrite("58", "Signal-strength alarm threshold", "Get 58", "Set 58="),
    fixed("60", "Save the configuration in the unit", "Set 60= 1"),
    loadDefaults(),
    reboot(),
    fixed("63", "Reset interface statistics", "Set 63= 1"),
};

} // namespace

std::span<const ParameterRow> parameterTable()
{
    return kParameters;
}

const ParameterRow *findParameter(QStringView code)
{
    const QString wanted = code.toString().toUpper();
    for (const ParameterRow &row : kParameters)
        if (wanted == QLatin1String(row.code.data(), qsizetype(row.code.size())))
            return &row;
    return nullptr;
}

} // namespace linkset
