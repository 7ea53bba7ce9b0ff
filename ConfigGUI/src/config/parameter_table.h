#pragma once

#include "config/device_command.h"

#include <QStringView>
#include <span>
#include <string_view>

namespace linkset {

// What the utility can do with a parameter.
enum class ParameterShape
{
    ReadWrite, // read, or write a value, chosen by the set flag
    ReadOnly,  // read only
    WriteOnly, // write a value only
    Fixed,     // one fixed command text, sent without a value
    ReplyOnly, // only ever arrives in replies; no command exists
};

// How the write command of a parameter is spelled.
enum class WriteForm
{
    None,          // cannot be written
    Prefix,        // writeText followed by the value, untouched ("Set 01=", "ip route add ")
    IntegerChoice, // writeText when the value as an integer equals choiceValue, otherwise otherText
    Fixed,         // writeText alone
};

// One row of the unit's parameter vocabulary: the code, its command texts and its waits.
struct ParameterRow
{
    std::string_view code = {};    // two characters, decimal digits and "A" to "F"
    std::string_view meaning = {}; // for messages
    ParameterShape shape = ParameterShape::ReplyOnly;
    std::string_view readText = {}; // the read command; empty when the parameter cannot be read
    WriteForm writeForm = WriteForm::None;
    std::string_view writeText = {};
    int choiceValue = 0;
    std::string_view otherText = {};
    TelnetWait telnet = {};
    SerialWait serial = {};
    std::string_view serialNotice = {}; // shown after the command was sent over serial
};

// Every parameter code the unit knows, in code order.
std::span<const ParameterRow> parameterTable();

// The row of `code`, compared upper-cased; nullptr for an unknown code.
const ParameterRow *findParameter(QStringView code);

} // namespace linkset
