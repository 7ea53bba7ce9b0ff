// Interoperability with a telnet server written elsewhere: Debian's inetutils telnetd,
// started by socat on a loopback port for one connection, running /bin/sh. The real
// server negotiates its options; the control answers, runs a command and reads the
// answer. Without the two programs the test skips, unless CI is set: then it fails.
#include "telnet_test_server.h"

#include "wiretalk/telnet_client.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

using linkset::testing::TelnetTestServer;
using wiretalk::TelnetClient;
using wiretalk::TelnetClientEvents;

namespace {

QString findTelnetd()
{
    for (const char *path : {"/usr/sbin/telnetd", "/usr/sbin/in.telnetd", "/usr/libexec/telnetd"}) {
        if (QFileInfo(QString::fromLatin1(path)).isExecutable())
            return QString::fromLatin1(path);
    }
    return QStandardPaths::findExecutable(QStringLiteral("telnetd"));
}

class InetutilsTelnetd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        const QString telnetd = findTelnetd();
        if (socat.isEmpty() || telnetd.isEmpty()) {
            const char *what =
                "socat and inetutils-telnetd are needed (scripts/install-deps.sh installs them)";
            if (qEnvironmentVariableIsSet("CI"))
                FAIL() << what;
            GTEST_SKIP() << what;
        }
        // socat picks a free port and reports it; nofork hands the connection itself to
        // telnetd, as inetd would.
        server.start(socat, {QStringLiteral("-d"), QStringLiteral("-d"),
                             QStringLiteral("TCP-LISTEN:0,bind=127.0.0.1,reuseaddr"),
                             QStringLiteral("EXEC:%1 -h -E /bin/sh,nofork").arg(telnetd)});
        ASSERT_TRUE(server.waitForStarted(5000));
        const QRegularExpression listening(QStringLiteral("listening on AF=2 127\\.0\\.0\\.1:(\\d+)"));
        QByteArray log;
        QRegularExpressionMatch match;
        const bool ready = TelnetTestServer::waitUntil(
            [&] {
                log += server.readAllStandardError();
                match = listening.match(QString::fromLatin1(log));
                return match.hasMatch();
            },
            10000);
        ASSERT_TRUE(ready) << "socat did not report its port: " << log.constData();
        port = match.captured(1).toInt();
    }

    void TearDown() override
    {
        if (server.state() != QProcess::NotRunning) {
            server.kill();
            server.waitForFinished(5000);
        }
    }

    QProcess server;
    int port = 0;
};

TEST_F(InetutilsTelnetd, NegotiatesRunsACommandAndReadsTheAnswer)
{
    TelnetClient client;
    client.setHostAddress(QStringLiteral("127.0.0.1"));
    client.setRemotePort(port);
    QString output;
    QObject::connect(&client, &TelnetClientEvents::Read, [&](short &) {
        QString part;
        while (client.Read(part, 512) > 0)
            output += part;
    });
    bool connected = false;
    QObject::connect(&client, &TelnetClientEvents::Connect, [&] { connected = true; });
    ASSERT_EQ(client.Connect(), 0);
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return connected; }, 10000));

    // The shell's first output (its prompt) comes once the negotiation is done.
    ASSERT_TRUE(TelnetTestServer::waitUntil([&] { return !output.isEmpty(); }, 15000));
    // The shell computes the number, so seeing it proves the command ran there.
    const QString command = QStringLiteral("echo wiretalk-$((6*7))\r\n");
    ASSERT_EQ(client.Write(command, static_cast<short>(command.size())), command.size());
    EXPECT_TRUE(
        TelnetTestServer::waitUntil([&] { return output.contains(QStringLiteral("wiretalk-42")); }, 15000))
        << "received: " << output.toStdString();
    EXPECT_TRUE(client.Connected());
    client.Disconnect();
}

} // namespace
