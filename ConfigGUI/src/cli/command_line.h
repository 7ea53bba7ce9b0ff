#pragma once
// The command line of linkset: the window (--demo, --version, --help) or one of the
// commands that run without a window: retrieve, apply and diff.
#include <QString>
#include <QStringList>

namespace cli {

enum class Command
{
    Window,
    Retrieve,
    Apply,
    Diff
};

// Where the unit is: a telnet address, or a serial device.
struct UnitAddress
{
    QString telnetHost;
    quint16 telnetPort = 23;
    QString serialDevice;
    int baud = 0; // 0: the serial control's own speed

    bool serial() const { return !serialDevice.isEmpty(); }
};

struct Invocation
{
    Command command = Command::Window;
    bool demo = false;
    // Help or version text: printed to standard output, and the program ends with success.
    QString text;
    // Not empty: the command line cannot be used; printed to standard error.
    QString usageError;

    UnitAddress unit;
    QString user;
    QString passwordFile;
    QString output;
    QStringList files; // apply: the file to write; diff: the two files
    bool dryRun = false;
    bool json = false;
};

// Reads the arguments that follow the program's name.
Invocation parseCommandLine(const QStringList &arguments);

} // namespace cli
