#pragma once
// The system-information program the About window starts: the first of a short list of
// such programs found on PATH.
#include <QString>
#include <QStringList>

namespace platform {

// The programs tried, in this order.
QStringList systemInfoPrograms();

// The full path of the first program of the list found in the folders of `searchPath`
// (the form of PATH: folders separated by ':'); empty when none is there.
QString findSystemInfoProgram(const QString &searchPath);

// Starts the first program found on PATH in a window of its own; false when none is found
// or it could not be started.
bool startSystemInfo();

} // namespace platform
