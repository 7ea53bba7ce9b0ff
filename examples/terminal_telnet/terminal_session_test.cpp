// The example's session against a host on 127.0.0.1: host output reaches the
// terminal, typed characters and special keys reach the host.
#include "terminal_session.h"

#include <glyphterm/screen.h>
#include <glyphterm/terminal.h>
#include <wiretalk/telnet_client.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString screenRow(const glyphterm::Terminal &terminal, int row)
{
    QByteArray text(81, '\0');
    glyphterm::TermGetText(terminal.screenHandle(), row * 80, text.data(), 80);
    return QString::fromLatin1(text.constData()).trimmed();
}

TEST(TerminalSession, HostOutputAndKeysTravelBothWays)
{
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost));
    glyphterm::Terminal terminal;
    wiretalk::TelnetClient client;
    TerminalSession session(terminal, client);
    QStringList statuses;
    QObject::connect(&session, &TerminalSession::status, [&](const QString &text) { statuses << text; });
    terminal.show();

    session.open(QStringLiteral("127.0.0.1"), host.serverPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.hasPendingConnections(); }, 5000));
    QTcpSocket *peer = host.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.contains(QStringLiteral("Connected")); }, 5000));

    peer->write("\033[2J\033[3;5H\033[1mWelcome\033[0m\r\n$ ");
    ASSERT_TRUE(QTest::qWaitFor([&] { return screenRow(terminal, 2) == QStringLiteral("Welcome"); }, 5000))
        << statuses.join(QStringLiteral(" | ")).toStdString() << " / "
        << screenRow(terminal, 0).toStdString();
    EXPECT_EQ(screenRow(terminal, 3), QStringLiteral("$"));

    QTest::keyClick(&terminal, Qt::Key_L);
    QTest::keyClick(&terminal, Qt::Key_F1);
    QByteArray received;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            received += peer->readAll();
            return received.contains("l\033[M");
        },
        5000))
        << received.toStdString();

    peer->close();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return statuses.contains(QStringLiteral("Connection closed by the host")); }, 5000));
}

TEST(TerminalSession, AnUnreachableHostIsReported)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close(); // nothing listens there now
    glyphterm::Terminal terminal;
    wiretalk::TelnetClient client;
    TerminalSession session(terminal, client);
    QStringList statuses;
    QObject::connect(&session, &TerminalSession::status, [&](const QString &text) { statuses << text; });
    session.open(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::any_of(statuses.begin(), statuses.end(), [](const QString &s) {
                return s.startsWith(QStringLiteral("Error")) ||
                       s.startsWith(QStringLiteral("Cannot connect"));
            });
        },
        5000))
        << statuses.join(QStringLiteral(" | ")).toStdString();
}

} // namespace
