#pragma once

#include <QString>
#include <string_view>

// Text helpers shared by the command builders.
namespace linkset::command_text {

// The table texts are ASCII; one byte is one character.
QString fromTable(std::string_view text);

// Returns `value` unchanged, or throws CommandError when it holds a carriage return or line
// feed: the unit would take the rest of the value as a command of its own. `owner` names what
// the value is for in the message.
const QString &singleLine(const QString &value, const QString &owner);

} // namespace linkset::command_text
