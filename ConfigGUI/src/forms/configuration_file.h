#pragma once
// Configuration files: a configuration in the unit's own reply grammar, one reply line a
// line, so that importing a file replays it through the reply parser.
#include "forms/config_record.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace forms {

inline constexpr char kConfigurationFileFilter[] = "Configuration Files (*.qdv)|*.qdv|All Files (*.*)|*.*";
inline constexpr char kConfigurationFileExtension[] = "qdv";

// The lines of a saved configuration: the parameter lines, the RIP line when the unit has
// RIP (its box is shown), then the DNS, community, trap server, static route, radio address
// and DHCP relay blocks.
QStringList configurationFileLines(const ConfigRecord &record, bool ripBoxShown);

// Writes the lines (Latin-1, each ended by CR LF) to a temporary file beside `path` and puts
// it in place of `path` only once it is complete: a failure leaves an existing file as it
// was. Returns the error text, empty on success.
QString writeConfigurationFile(const QString &path, const QStringList &lines);

struct FileReading
{
    QString error;          // the file could not be opened or read; empty when it could
    bool truncated = false; // the file is longer than a configuration can be: its end was not read
};

// A configuration file is never larger than this; a larger file is read up to here.
inline constexpr qint64 kLargestConfigurationFile = 1 << 20;

// Hands every line of the file (Latin-1, without its line break) to `line`, in order. A line
// longer than any reply line can be is skipped whole.
FileReading readConfigurationFile(const QString &path, const std::function<void(const QString &)> &line);

} // namespace forms
