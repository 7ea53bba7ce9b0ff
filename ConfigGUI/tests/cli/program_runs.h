#pragma once
// The programs as a script runs them: linkset-unitsim started as a process of its own,
// and linkset run to its end with a chosen environment, every wait bounded.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

// A simulated unit in a process of its own, serving telnet on a free loopback port and a
// serial console on a pseudo-terminal. The credentials are admin / radio unless the
// arguments say otherwise.
class UnitProcess
{
public:
    explicit UnitProcess(const QStringList &arguments = {});
    ~UnitProcess();

    bool ready() const { return port_ != 0 && !serialDevice_.isEmpty(); }
    quint16 port() const { return port_; }
    QString telnetAddress() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    const QString &serialDevice() const { return serialDevice_; }
    // Ends the unit and returns every command line it received, in order.
    QStringList stopAndReadCommands();

private:
    QTemporaryDir folder_;
    QProcess process_;
    quint16 port_ = 0;
    QString serialDevice_;
};

struct LinksetRun
{
    int exitCode = -1; // -1: it did not end in time, or crashed
    QString out;
    QString err;
    qint64 pid = 0;
};

// An environment for linkset: no display, HOME and the XDG folders inside `home`, and
// LINKSET_PASSWORD when `password` is given.
QProcessEnvironment linksetEnvironment(const QString &home, const std::optional<QString> &password);

// Runs linkset to its end (bounded); `whileRunning` is called once it has started.
LinksetRun runLinkset(const QStringList &arguments, const QProcessEnvironment &environment,
                      const std::function<void(qint64 pid)> &whileRunning = {});

// The command lines of a transcript that change the unit: everything but the reads.
QStringList writesIn(const QStringList &commands);
