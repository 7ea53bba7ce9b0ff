#include "program_runs.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <optional>

namespace {

constexpr int kStartMs = 10000;
constexpr int kRunMs = 90000;

} // namespace

UnitProcess::UnitProcess(const QStringList &arguments)
{
    process_.setProgram(QStringLiteral(UNITSIM_PROGRAM));
    process_.setArguments(QStringList{QStringLiteral("--telnet"), QStringLiteral("127.0.0.1:0"),
                                      QStringLiteral("--pty"), QStringLiteral("--log-commands"),
                                      folder_.filePath(QStringLiteral("commands.log"))} +
                          arguments);
    process_.start();
    // The ready lines: "telnet 127.0.0.1:PORT", then "serial PATH".
    while (!ready() && process_.waitForReadyRead(kStartMs)) {
        while (process_.canReadLine()) {
            const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("telnet ")))
                port_ = quint16(line.section(QLatin1Char(':'), -1).toUInt());
            else if (line.startsWith(QLatin1String("serial ")))
                serialDevice_ = line.mid(7);
        }
    }
}

UnitProcess::~UnitProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(kStartMs);
    }
}

QStringList UnitProcess::stopAndReadCommands()
{
    ::kill(pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(kStartMs))
        return {QStringLiteral("(the unit did not end)")};
    QFile log(folder_.filePath(QStringLiteral("commands.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no command log)")};
    return QString::fromLatin1(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QProcessEnvironment linksetEnvironment(const QString &home, const std::optional<QString> &password)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LINKSET_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QString folder = home + QLatin1Char('/') + QString::fromLatin1(name);
        QDir().mkpath(folder);
        environment.insert(QString::fromLatin1(name), folder);
    }
    if (password)
        environment.insert(QStringLiteral("LINKSET_PASSWORD"), *password);
    return environment;
}

LinksetRun runLinkset(const QStringList &arguments, const QProcessEnvironment &environment,
                      const std::function<void(qint64 pid)> &whileRunning)
{
    QProcess process;
    process.setProgram(QStringLiteral(LINKSET_PROGRAM));
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.start();
    LinksetRun run;
    if (!process.waitForStarted(kStartMs))
        return run;
    run.pid = process.processId();
    if (whileRunning)
        whileRunning(run.pid);
    if (!process.waitForFinished(kRunMs))
        process.kill();
    process.waitForFinished(kStartMs);
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

QStringList writesIn(const QStringList &commands)
{
    QStringList writes;
    for (const QString &command : commands) {
        const bool read = command.startsWith(QLatin1String("Get ")) ||
                          command.startsWith(QLatin1String("Table ")) ||
                          command == QLatin1String("Capability") || command == QLatin1String("IP RIP");
        if (!read)
            writes << command;
    }
    return writes;
}
