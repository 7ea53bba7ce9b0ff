#pragma once

#include "config/device_command.h"

#include <QString>
#include <QStringView>

namespace linkset {

// The command of parameter `code` (see parameterTable()) with the row's waits.
//
// With `setFlag` false it is the read command ("Get 10", "IP RIP"); with `setFlag` true the write
// command built from `value`: "Set 10=" followed by the value as given (not trimmed, not quoted),
// a command word followed by the value ("ip route add 10.0.0.0 ..."), one of two command words
// chosen by the value as an integer ("mode bridge" for 0, "mode route" otherwise; "IP RIP Enable"
// for 1, "IP RIP Disable" otherwise), or the fixed text of an action ("Set 62= 1"), which takes
// no value.
//
// Throws CommandError for an unknown code, for a read of a parameter that cannot be read or a
// write of one that cannot be written, for a value given to a fixed action, for a word-form value
// that is not a whole number, and for a value holding a line break.
DeviceCommand parameterCommand(QStringView code, bool setFlag, const QString &value = QString());

// "Get 01" as the first command of a configuration retrieval: over serial it does not wait for a
// prompt first and gives up after 5 seconds, so an unanswered line is noticed quickly.
DeviceCommand firstRetrievalRead();

} // namespace linkset
