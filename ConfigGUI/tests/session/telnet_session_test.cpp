// The device session over telnet, end to end against the simulated unit: login,
// refused and dropped sessions, the command exchange's time-outs and the keep-alive.
#include "session/mod_config_script.h"
#include "session_fixture.h"
#include "telnet_test_server.h"
#include "dialogs/status_panels.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <wiretalk/telnet_client.h>

using namespace modConfigScript;
using platform::MsgIcon;

namespace {

bool windowShowsDisconnected(const frmTevoHadraConfig &w)
{
    return !w.telnetConnected() && w.tlbrMainButton(QStringLiteral("Telnet"))->isEnabled() &&
           !w.tlbrMainButton(QStringLiteral("Disconnect"))->isEnabled() &&
           !w.ui->mnuConnectDisconnect->isEnabled() &&
           w.sbrTerminal().text(QStringLiteral("Status")) == QLatin1String("Status: Disconnected") &&
           w.sbrTerminal().picture(QStringLiteral("Connected")) == QLatin1String("Disconnected");
}

} // namespace

using TelnetSession = SessionFixture;

TEST_F(TelnetSession, LogsInOnceAndAnswersALaterRequestFromMemory)
{
    start();
    ASSERT_TRUE(connectTelnetAndLogIn());
    EXPECT_EQ(logins(), 1);
    EXPECT_EQ(w->sbrTerminal().text(QStringLiteral("Status")), QStringLiteral("Status: Connected"));
    EXPECT_EQ(w->sbrTerminal().text(QStringLiteral("Settings")),
              QStringLiteral("Telnet: 127.0.0.1     Port:%1").arg(unit->telnetPort()));
    EXPECT_FALSE(w->tlbrMainButton(QStringLiteral("Telnet"))->isEnabled());
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Disconnect"))->isEnabled());
    EXPECT_FALSE(w->blnAnimationShowing);

    // A second request in the same session: answered with the remembered name (which the
    // unit, already logged in, takes for the start of a command line).
    const int feeds = bareLineFeeds();
    ASSERT_TRUE(unit->sendUnasked(unitsim::FrontEnd::Telnet, "\r\nUsername: "));
    ASSERT_TRUE(waitForCondition([&] { return bareLineFeeds() == feeds + 1; }));
    SendTelnetCommand(*w, QStringLiteral("\r"), 5, false);
    EXPECT_EQ(commandLines(), QStringList{"admin"});
    EXPECT_EQ(logins(), 1);
    EXPECT_EQ(modals.missedCount(), 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TelnetSession, InvalidPasswordShowsTheDialogAgain)
{
    start();
    // Both answers in advance: the second dialog opens inside the first one's event loop,
    // where a wait for the first answer would not return until the second was answered.
    answerLogin(QStringLiteral("admin"), QStringLiteral("wrong"));
    answerLogin(QStringLiteral("admin"), QStringLiteral("radio"));
    ASSERT_TRUE(connectTelnet());
    ASSERT_TRUE(waitForCondition([this] { return logins() == 2 && w->bGotPrompt; }));
    EXPECT_TRUE(w->blnShownUsernameForm);
    EXPECT_EQ(w->strPassword, QStringLiteral("radio"));
}

TEST_F(TelnetSession, AnEmptyUserNameSendsABareLineFeed)
{
    start();
    linkset::testing::TelnetTestServer server; // to see the exact bytes of the answers
    answerLogin(QString(), QStringLiteral("secret"));
    requestTelnetConnection(server.port());
    ASSERT_TRUE(server.waitForConnection());
    ASSERT_TRUE(waitForCondition([this] { return w->telnetConnected(); }));
    server.send("\r\nUsername: ");
    ASSERT_TRUE(server.waitForReceived(1));
    EXPECT_EQ(server.received(), QByteArray("\n"));
    server.send("\r\nPassword: ");
    ASSERT_TRUE(server.waitForReceived(8));
    EXPECT_EQ(server.received(), QByteArray("\nsecret\n"));
    EXPECT_EQ(logins(), 1);
}

TEST_F(TelnetSession, CancelledLoginDisconnects)
{
    start();
    cancelLogin();
    requestTelnetConnection();
    ASSERT_TRUE(waitForCondition([this] { return logins() == 1 && !w->telnetConnected(); }));
    EXPECT_TRUE(windowShowsDisconnected(*w));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Connection to Host lost!"));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("CONNECTION LOST"));
    EXPECT_FALSE(w->blnShouldConnect);
    EXPECT_FALSE(w->blnShownUsernameForm);
}

TEST_F(TelnetSession, ASessionAlreadyInProgressIsReportedAndDisconnected)
{
    start();
    QTcpSocket holder; // another operator's session
    holder.connectToHost(QStringLiteral("127.0.0.1"), unit->telnetPort());
    ASSERT_TRUE(holder.waitForConnected(3000));
    ASSERT_TRUE(holder.waitForReadyRead(3000));

    requestTelnetConnection();
    ASSERT_TRUE(waitForCondition([this] { return !w->telnetConnected() && boxes.shown().size() >= 2; }));
    EXPECT_EQ(boxes.titles(), (QStringList{"Session In Progress", "CONNECTION LOST"}));
    EXPECT_EQ(
        boxes.shown()[0].text,
        QStringLiteral("A Session is already in Progress!\r\nYou must wait for the current session to end."));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(logins(), 0);
    EXPECT_TRUE(windowShowsDisconnected(*w));
}

TEST_F(TelnetSession, ADroppedConnectionLeavesTheWindowDisconnected)
{
    start(withFaults([](auto &faults) { faults.closeAfterCommands = 1; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    SendTelnetCommand(*w, QStringLiteral("Get 01\r"), 5, false);
    ASSERT_TRUE(waitForCondition([this] { return !w->telnetConnected(); }));
    EXPECT_TRUE(windowShowsDisconnected(*w));
    EXPECT_EQ(boxes.titles(), QStringList{"CONNECTION LOST"});
    EXPECT_TRUE(w->sbrTerminal().text(QStringLiteral("ConnectTime")).isEmpty());
}

TEST_F(TelnetSession, ARefusedConnectionIsReportedAndUndone)
{
    start();
    quint16 closedPort = 0;
    {
        linkset::testing::TelnetTestServer server; // a port that was free a moment ago
        closedPort = server.port();
    }
    requestTelnetConnection(closedPort);
    ASSERT_TRUE(waitForCondition([this] { return boxes.shown().size() >= 2; }));
    EXPECT_EQ(boxes.titles(), (QStringList{"TELNET CONNECTION ERROR", "CONNECTION LOST"}));
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Unable to establish connection with server!"));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(w->blnAnimationShowing);
    EXPECT_TRUE(windowShowsDisconnected(*w));
}

TEST_F(TelnetSession, TimeOutFailsUnlessQuiet)
{
    start(withFaults([](auto &faults) { faults.dropReplyOfCommand = 1; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    EXPECT_THROW(SendTelnetCommand(*w, QStringLiteral("Get 01\r"), 1, false), CommError);
    EXPECT_FALSE(w->bGotPrompt);

    // The report names the transport.
    ReportCommFailure(*w, CommError());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("IP Communication Error: 1001"));
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral("Problem communicating with device.\r"
                             "Please check the IP connection to the device and try again!"));
    EXPECT_TRUE(boxes.shown()[0].systemModal);

    EXPECT_NO_THROW(SendTelnetCommand(*w, QStringLiteral("Get 02\r"), 1, true)); // answered
    EXPECT_EQ(commandLines().mid(0, 2), (QStringList{"Get 01", "Get 02"}));
}

TEST_F(TelnetSession, QuietTimeOutReturnsSilently)
{
    start(withFaults([](auto &faults) { faults.dropReplyOfCommand = 1; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    EXPECT_NO_THROW(SendTelnetCommand(*w, QStringLiteral("Get 10\r"), 1, true));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(w->telnetConnected());
}

// The unit takes a new Ethernet address and drops the session without a reply: expected of
// a quiet command (it returns at once, not after its time-out), a failure of any other.
TEST_F(TelnetSession, AConnectionDroppedUnderAQuietCommandIsNoFailure)
{
    start();
    ASSERT_TRUE(connectTelnetAndLogIn());
    EXPECT_NO_THROW(SendTelnetCommand(*w, QStringLiteral("ip address ethernet 192.168.1.9 24\r"), 20, true));
    EXPECT_FALSE(w->telnetConnected());

    ASSERT_TRUE(connectTelnetAndLogIn());
    EXPECT_THROW(SendTelnetCommand(*w, QStringLiteral("ip address ethernet 192.168.1.10 24\r"), 20, false),
                 CommError);
    EXPECT_EQ(unit->parameter("10"), "192.168.1.10");
}

TEST_F(TelnetSession, ACommandAfterTheLoginPromptWaitsForItsOwnReply)
{
    start(withFaults([](auto &faults) { faults.replyDelayMs = 300; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    ASSERT_TRUE(w->bGotPrompt); // left standing by the login
    QSignalSpy reads(static_cast<wiretalk::TelnetClientEvents *>(w->TelnetClient1),
                     &wiretalk::TelnetClientEvents::Read);
    SendTelnetCommand(*w, QStringLiteral("Get 01\r"), 5, false);
    EXPECT_GE(reads.count(), 1) << "the exchange returned before the unit answered";
    EXPECT_FALSE(w->bGotPrompt);
}

TEST_F(TelnetSession, ANestedCommandIsRefusedWithoutSending)
{
    start(withFaults([](auto &faults) { faults.replyDelayMs = 200; }));
    ASSERT_TRUE(connectTelnetAndLogIn());
    bool refused = false;
    QTimer::singleShot(20, [&] {
        RunReportingCommFailure(*w, [&] { SendDeviceCommand(*w, QStringLiteral("Get 02\r")); });
        refused = w->sbrTerminal().text(QStringLiteral("Status")) ==
                  QLatin1String("Status: Busy - command not sent");
    });
    SendDeviceCommand(*w, QStringLiteral("Get 01\r"));
    EXPECT_TRUE(refused);
    EXPECT_EQ(commandLines(), QStringList{"Get 01"});
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TelnetSession, KeepAlivesStopAfterTwentySixAndResumeAfterACommand)
{
    start();
    ASSERT_TRUE(connectTelnetAndLogIn());
    w->tmrKeepAlive->setInterval(10);
    w->tmrKeepAlive->start();
    ASSERT_TRUE(waitForCondition([this] { return bareLineFeeds() == 26; }, 10000));
    // Twenty more ticks send nothing.
    QSignalSpy ticks(w->tmrKeepAlive, &QTimer::timeout);
    ASSERT_TRUE(waitForCondition([&] { return ticks.count() >= 20; }));
    EXPECT_EQ(bareLineFeeds(), 26);
    EXPECT_EQ(w->intKeepAliveCount, 26);

    SendDeviceCommand(*w, QStringLiteral("Get 01\r"));
    ASSERT_TRUE(waitForCondition([this] { return bareLineFeeds() > 26; }));
}
