// linkset retrieve, apply and diff end to end: the program run as a script runs it, against
// linkset-unitsim processes over telnet and serial, with no display; what the unit received,
// the files written, the exit statuses and the JSON result.
#include "program_runs.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

namespace {

const QString kPassword = QStringLiteral("radio");

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

void writeText(const QString &path, const QString &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toLatin1());
}

// `text` with the value of every "get=1;CODE=" line of `values` replaced.
QString withValues(QString text, const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[code, value] : values) {
        const QRegularExpression line(QStringLiteral("^get=1;%1=.*$").arg(code),
                                      QRegularExpression::MultilineOption);
        text.replace(line, QStringLiteral("get=1;%1=%2\r").arg(code, value));
    }
    return text;
}

QJsonObject jsonOf(const LinksetRun &run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

class HeadlessCommands : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return home.filePath(name); }
    QProcessEnvironment environment(const std::optional<QString> &password = kPassword) const
    {
        return linksetEnvironment(home.filePath(QStringLiteral("home")), password);
    }
    QStringList telnet(const UnitProcess &unit) const
    {
        return {QStringLiteral("--telnet"), unit.telnetAddress(), QStringLiteral("--user"),
                QStringLiteral("admin")};
    }
    // Retrieves the unit's configuration over telnet into `file`.
    void retrieveInto(const UnitProcess &unit, const QString &file)
    {
        const LinksetRun run = runLinkset(QStringList{QStringLiteral("retrieve")} + telnet(unit) +
                                              QStringList{QStringLiteral("--output"), file},
                                          environment());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    // The retrieved configuration with three settings changed, in a file of its own.
    QString threeChanges(const UnitProcess &unit)
    {
        const QString retrieved = path(QStringLiteral("retrieved.qdv"));
        retrieveInto(unit, retrieved);
        const QString changed = path(QStringLiteral("changed.qdv"));
        writeText(changed,
                  withValues(readText(retrieved), {{QStringLiteral("01"), QStringLiteral("Ridge Mast")},
                                                   {QStringLiteral("02"), QStringLiteral("Field Team")},
                                                   {QStringLiteral("03"), QStringLiteral("North Hill")}}));
        return changed;
    }
    // Applies the three changes over telnet, with one more option.
    LinksetRun applyThreeChanges(const UnitProcess &unit, const QString &option)
    {
        const QString changed = threeChanges(unit);
        return runLinkset(QStringList{QStringLiteral("apply"), changed, option} + telnet(unit),
                          environment());
    }

    QTemporaryDir home;
};

TEST_F(HeadlessCommands, RetrieveOverTelnetAndSerialSavesTheSameConfigurationFile)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const QString overTelnet = path(QStringLiteral("telnet.qdv"));
    retrieveInto(unit, overTelnet);

    const QString overSerial = path(QStringLiteral("serial.qdv"));
    const LinksetRun serial =
        runLinkset({QStringLiteral("retrieve"), QStringLiteral("--serial"), unit.serialDevice(),
                    QStringLiteral("--baud"), QStringLiteral("9600"), QStringLiteral("--output"), overSerial,
                    QStringLiteral("--json")},
                   environment());
    ASSERT_EQ(serial.exitCode, 0) << serial.err.toStdString();

    const QStringList lines = readText(overTelnet).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 27);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("get=1;15=")));
    EXPECT_TRUE(lines.contains(QStringLiteral("get=1;01=Hadra Base")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DNS=1;START")));
    EXPECT_EQ(readText(overSerial), readText(overTelnet));

    const QJsonObject result = jsonOf(serial);
    EXPECT_EQ(result[u"command"].toString(), QStringLiteral("retrieve"));
    EXPECT_EQ(result[u"exitCode"].toInt(), 0);
    EXPECT_EQ(result[u"output"].toString(), overSerial);
    EXPECT_FALSE(result[u"unit"][u"serial"].toString().isEmpty());
    EXPECT_TRUE(result[u"unit"][u"version"].toString().startsWith(QLatin1String("Hadra")))
        << result[u"unit"][u"version"].toString().toStdString();
}

TEST_F(HeadlessCommands, ApplyWritesExactlyTheThreeChangedSettingsAndValidatesThem)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const LinksetRun run = applyThreeChanges(unit, QStringLiteral("--json"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QJsonArray entries = jsonOf(run)[u"entries"].toArray();
    ASSERT_EQ(entries.size(), 3) << run.out.toStdString();
    QStringList written;
    for (const QJsonValue &entry : entries) {
        EXPECT_EQ(entry[u"state"].toString(), QStringLiteral("Success"));
        written << entry[u"toWrite"].toString();
    }
    EXPECT_EQ(written, (QStringList{QStringLiteral("Ridge Mast"), QStringLiteral("Field Team"),
                                    QStringLiteral("North Hill")}));
    EXPECT_EQ(entries[0][u"retrieved"].toString(), QStringLiteral("Hadra Base"));
    EXPECT_EQ(writesIn(unit.stopAndReadCommands()),
              (QStringList{QStringLiteral("Set 01=Ridge Mast"), QStringLiteral("Set 02=Field Team"),
                           QStringLiteral("Set 03=North Hill"), QStringLiteral("Set 60= 1")}));

    // A run without a window backs the unit up before it writes, as the window does.
    QStringList backups;
    for (QDirIterator files(path(QStringLiteral("home/XDG_DATA_HOME")), {QStringLiteral("*.qdv")},
                            QDir::Files, QDirIterator::Subdirectories);
         files.hasNext();)
        backups << files.next();
    // The file applied cleared the unit's fields on the General tab; the backup and the
    // result still name the unit the configuration came from.
    const QString serial = jsonOf(run)[u"unit"][u"serial"].toString();
    EXPECT_FALSE(serial.isEmpty());
    ASSERT_EQ(backups.size(), 1) << backups.join(u' ').toStdString();
    EXPECT_TRUE(backups[0].contains(QStringLiteral("/backups/%1/").arg(serial))) << backups[0].toStdString();
    EXPECT_EQ(readText(backups[0]), readText(path(QStringLiteral("retrieved.qdv"))));
}

TEST_F(HeadlessCommands, DryRunPrintsTheEntriesAndWritesNothing)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const LinksetRun run = applyThreeChanges(unit, QStringLiteral("--dry-run"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char *value : {"Hadra Base", "Ridge Mast", "Field Team", "North Hill"})
        EXPECT_TRUE(run.out.contains(QLatin1String(value))) << value << "\n" << run.out.toStdString();
    EXPECT_EQ(writesIn(unit.stopAndReadCommands()), QStringList());
}

TEST_F(HeadlessCommands, AnEntryTheUnitRefusesEndsInErrorWithItsOwnStatus)
{
    UnitProcess unit({QStringLiteral("--refuse-writes"), QStringLiteral("02")});
    ASSERT_TRUE(unit.ready());
    const LinksetRun run = applyThreeChanges(unit, QStringLiteral("--json"));
    EXPECT_EQ(run.exitCode, 5) << run.err.toStdString();
    QStringList states;
    for (const QJsonValue &entry : jsonOf(run)[u"entries"].toArray())
        states << entry[u"state"].toString();
    EXPECT_EQ(states,
              (QStringList{QStringLiteral("Success"), QStringLiteral("Error"), QStringLiteral("Success")}));
    EXPECT_EQ(jsonOf(run)[u"result"].toString(), QStringLiteral("entries failed"));
}

TEST_F(HeadlessCommands, AWrongPasswordExitsWithTheLoginStatusOverBothTransports)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const QStringList serial{QStringLiteral("--serial"), unit.serialDevice()};
    for (const QStringList &transport : {telnet(unit), serial}) {
        const LinksetRun run =
            runLinkset(QStringList{QStringLiteral("retrieve")} + transport +
                           QStringList{QStringLiteral("-o"), path(QStringLiteral("x.qdv"))},
                       environment(QStringLiteral("wrong")));
        EXPECT_EQ(run.exitCode, 4) << transport.first().toStdString() << "\n" << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.qdv"))));
    }
}

TEST_F(HeadlessCommands, AUnitThatVanishesOrIsNotThereExitsWithTheConnectionStatus)
{
    UnitProcess vanishing({QStringLiteral("--close-after"), QStringLiteral("10")});
    ASSERT_TRUE(vanishing.ready());
    // A port nobody listens on: taken, then given back.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString nobody = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
    server.close();

    for (const QString &address : {vanishing.telnetAddress(), nobody}) {
        const LinksetRun run = runLinkset({QStringLiteral("retrieve"), QStringLiteral("--telnet"), address,
                                           QStringLiteral("--user"), QStringLiteral("admin"),
                                           QStringLiteral("--output"), path(QStringLiteral("x.qdv"))},
                                          environment());
        EXPECT_EQ(run.exitCode, 3) << address.toStdString() << "\n" << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.qdv"))));
    }
}

TEST_F(HeadlessCommands, DiffPrintsWhatAnApplyOfTheSecondFileWouldWrite)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const QString changed = threeChanges(unit);
    const QString retrieved = path(QStringLiteral("retrieved.qdv"));

    const LinksetRun text =
        runLinkset({QStringLiteral("diff"), retrieved, changed}, environment(std::nullopt));
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    for (const char *value : {"Hadra Base", "Ridge Mast", "Field Team", "North Hill"})
        EXPECT_TRUE(text.out.contains(QLatin1String(value))) << value << "\n" << text.out.toStdString();

    const LinksetRun json = runLinkset({QStringLiteral("diff"), changed, retrieved, QStringLiteral("--json")},
                                       environment(std::nullopt));
    QStringList toWrite;
    for (const QJsonValue &entry : jsonOf(json)[u"entries"].toArray())
        toWrite << entry[u"toWrite"].toString();
    EXPECT_EQ(toWrite.size(), 3);
    EXPECT_TRUE(toWrite.contains(QStringLiteral("Hadra Base"))) << json.out.toStdString();

    const LinksetRun same = runLinkset(
        {QStringLiteral("diff"), retrieved, retrieved, QStringLiteral("--json")}, environment(std::nullopt));
    EXPECT_EQ(jsonOf(same)[u"entries"].toArray().size(), 0) << same.out.toStdString();

    EXPECT_EQ(runLinkset({QStringLiteral("diff"), retrieved, path(QStringLiteral("missing.qdv"))},
                         environment(std::nullopt))
                  .exitCode,
              1);
}

TEST_F(HeadlessCommands, ThePasswordStaysOutOfTheArgumentsAndOfEveryFileWritten)
{
    const QString secret = QStringLiteral("Sx9-unlikely-Pw");
    UnitProcess unit({QStringLiteral("--password"), secret});
    ASSERT_TRUE(unit.ready());
    const QString output = path(QStringLiteral("home/out.qdv"));
    QByteArray commandLine;
    const LinksetRun run =
        runLinkset(QStringList{QStringLiteral("retrieve")} + telnet(unit) +
                       QStringList{QStringLiteral("--output"), output},
                   environment(secret), [&](qint64 pid) {
                       // Right after the start the new program may still be
                       // taking the place of the old one: read until its
                       // arguments show, for at most ten seconds.
                       QDeadlineTimer deadline(10'000);
                       while (!commandLine.contains("retrieve") && !deadline.hasExpired()) {
                           QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
                           if (!cmdline.open(QIODevice::ReadOnly))
                               break; // the program has ended
                           commandLine = cmdline.readAll();
                           if (!commandLine.contains("retrieve"))
                               QThread::msleep(5);
                       }
                   });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(commandLine.contains("retrieve")) << "the argument list was not read while the program ran";
    EXPECT_FALSE(commandLine.contains(secret.toLatin1()));

    // Every file under HOME and the XDG folders: the output, and nothing with the password.
    QStringList written;
    for (QDirIterator files(path(QStringLiteral("home")), QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
         files.hasNext();) {
        const QString file = files.next();
        written << file;
        EXPECT_FALSE(readText(file).contains(secret)) << file.toStdString();
    }
    EXPECT_EQ(written, QStringList{output}) << "the run wrote settings or other files";
}

TEST_F(HeadlessCommands, PasswordFilesReadableByOthersAndMissingPasswordsAreRefused)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    const QString file = path(QStringLiteral("password"));
    writeText(file, kPassword + QLatin1Char('\n'));
    struct Case
    {
        QFile::Permissions permissions;
        bool giveFile;
        int exitCode;
    };
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
    for (const Case &c : {Case{owner, true, 0}, Case{owner | QFile::ReadGroup | QFile::ReadOther, true, 2},
                          Case{owner, false, 2}}) {
        ASSERT_TRUE(QFile::setPermissions(file, c.permissions));
        QStringList arguments = QStringList{QStringLiteral("retrieve")} + telnet(unit) +
                                QStringList{QStringLiteral("--output"), path(QStringLiteral("x.qdv"))};
        if (c.giveFile)
            arguments << QStringLiteral("--password-file") << file;
        // No LINKSET_PASSWORD, and standard input is a pipe: no prompt either.
        const LinksetRun run = runLinkset(arguments, environment(std::nullopt));
        EXPECT_EQ(run.exitCode, c.exitCode) << int(c.permissions) << " " << c.giveFile << "\n"
                                            << run.err.toStdString();
    }
}

TEST_F(HeadlessCommands, OnATerminalThePasswordIsAskedForWithoutEcho)
{
    UnitProcess unit;
    ASSERT_TRUE(unit.ready());
    int master = -1;
    int slave = -1;
    char terminal[128] = {};
    ASSERT_EQ(::openpty(&master, &slave, terminal, nullptr, nullptr), 0);
    ::fcntl(master, F_SETFL, O_NONBLOCK);

    QProcess process;
    process.setProgram(QStringLiteral(LINKSET_PROGRAM));
    process.setArguments(QStringList{QStringLiteral("retrieve")} + telnet(unit) +
                         QStringList{QStringLiteral("--output"), path(QStringLiteral("x.qdv"))});
    process.setProcessEnvironment(environment(std::nullopt));
    process.setStandardInputFile(QString::fromLocal8Bit(terminal));
    process.setReadChannel(QProcess::StandardError);
    process.start();
    QByteArray prompt;
    while (!prompt.contains("Password: ") && process.waitForReadyRead(10000))
        prompt += process.readAllStandardError();
    ASSERT_TRUE(prompt.contains("Password: ")) << prompt.toStdString();
    ASSERT_EQ(::write(master, "radio\n", 6), 6);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    // What the terminal showed after the prompt: the line end the program writes, no password.
    char shown[256] = {};
    const ssize_t count = ::read(master, shown, sizeof shown - 1);
    EXPECT_FALSE(QByteArray(shown, count > 0 ? int(count) : 0).contains("radio"));
    ::close(master);
    ::close(slave);
}

TEST_F(HeadlessCommands, UsageErrorsHelpAndTheWindowsOptions)
{
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *saying;
    } cases[] = {
        {{QStringLiteral("--frobnicate")}, 2, "frobnicate"},
        {{QStringLiteral("fetch")}, 2, "unknown command fetch"},
        {{QStringLiteral("retrieve"), QStringLiteral("--telnet"), QStringLiteral("127.0.0.1"),
          QStringLiteral("--user"), QStringLiteral("admin"), QStringLiteral("--password"),
          QStringLiteral("radio"), QStringLiteral("-o"), QStringLiteral("x")},
         2,
         "never taken from the command line"},
        {{QStringLiteral("retrieve"), QStringLiteral("--telnet"), QStringLiteral("127.0.0.1:99999"),
          QStringLiteral("--user"), QStringLiteral("admin"), QStringLiteral("-o"), QStringLiteral("x")},
         2,
         "port from 1 to 65535"},
        {{QStringLiteral("apply"), QStringLiteral("--serial"), QStringLiteral("/dev/null")},
         2,
         "apply needs one FILE"},
        {{QStringLiteral("--help")}, 0, "5  written, but at least one entry ended in \"Error\""},
        {{QStringLiteral("apply"), QStringLiteral("--help")}, 0, "--dry-run"},
        {{QStringLiteral("--version")}, 0, "linkset " LINKSET_VERSION},
    };
    for (const auto &c : cases) {
        const LinksetRun run = runLinkset(c.arguments, environment());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE((run.out + run.err).contains(QLatin1String(c.saying)))
            << c.arguments.join(u' ').toStdString() << "\n"
            << (run.out + run.err).toStdString();
    }
}

} // namespace
