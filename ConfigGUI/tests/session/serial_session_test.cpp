// The device session over the serial console of the simulated unit (a pseudo-terminal):
// login, the echo-checked exchange and its failures, the signal-strength poll.
#include "session/mod_config_script.h"
#include "session/mscomm.h"
#include "session_fixture.h"
#include "dialogs/status_panels.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QCheckBox>
#include <QTimer>

using namespace modConfigScript;

class SerialSession : public SessionFixture
{
protected:
    // Logged in on a unit that never answers its first command, both signal-strength boxes ticked.
    void startMonitoring()
    {
        start(withFaults([](auto &faults) { faults.dropReplyOfCommand = 1; }));
        ASSERT_TRUE(connectSerialAndLogIn());
        w->ui->chkRSSIMonitor->setChecked(true);
        w->ui->chkHistoryRSSIMonitor->setChecked(true);
    }
};

TEST_F(SerialSession, ConnectsLogsInAndChecksEveryEcho)
{
    start();
    ASSERT_TRUE(connectSerialAndLogIn());
    EXPECT_EQ(logins(), 1);
    EXPECT_EQ(w->sbrTerminal().text(QStringLiteral("Status")), QStringLiteral("Connected"));
    EXPECT_EQ(w->sbrTerminal().text(QStringLiteral("Settings")), QStringLiteral("Settings: 9600,n,8,1"));
    EXPECT_TRUE(w->tmrSerialRead->isActive());

    SendSerialCommand(*w, QStringLiteral("Get 01\r"), 5, false);
    EXPECT_EQ(commandLines(), QStringList{"Get 01"});
    EXPECT_TRUE(w->bGotPrompt); // the next command waits for this prompt before it writes
    SendSerialCommand(*w, QStringLiteral("Get 02\r"), 5, false);
    EXPECT_EQ(commandLines(), (QStringList{"Get 01", "Get 02"}));
    EXPECT_TRUE(w->bEnableOnCommReceiveEvents);
    EXPECT_EQ(w->MSComm1->InputLen(), 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(SerialSession, AWrongEchoFailsWithoutTheTimeOutBox)
{
    start(withFaults([](auto &faults) { faults.wrongEchoAtSerialChar = 3; }));
    ASSERT_TRUE(connectSerialAndLogIn());
    EXPECT_THROW(SendSerialCommand(*w, QStringLiteral("Get 01\r"), 5, false), CommError);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(w->bEnableOnCommReceiveEvents);
    EXPECT_EQ(w->MSComm1->InputLen(), 0);

    ReportCommFailure(*w, CommError());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Serial Communication Error: 1001"));
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Problem communicating with device.\r"
                                                    "Please check the serial connection and try again!"));
}

TEST_F(SerialSession, AMissingEchoTimesOutWithTheBox)
{
    start(withFaults([](auto &faults) { faults.omitEchoAtSerialChar = 2; }));
    ASSERT_TRUE(connectSerialAndLogIn());
    EXPECT_THROW(SendSerialCommand(*w, QStringLiteral("Get 01\r"), 5, false), CommError);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral("Operation Timed Out: ")));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
}

TEST_F(SerialSession, ANeverAnsweredCommandTimesOut)
{
    start(withFaults([](auto &faults) { faults.dropReplyOfCommand = 1; }));
    ASSERT_TRUE(connectSerialAndLogIn());
    EXPECT_THROW(SendSerialCommand(*w, QStringLiteral("Get 01\r"), 1, false), CommError);
    EXPECT_EQ(boxes.titles(), QStringList{"Warning"});
    EXPECT_EQ(commandLines(), QStringList{"Get 01"});
}

TEST_F(SerialSession, CharactersWaitingBeforeACommandAreDiscarded)
{
    start();
    ASSERT_TRUE(connectSerialAndLogIn());
    // Text arrives while nobody reads the port (as during another exchange).
    w->bEnableOnCommReceiveEvents = false;
    ASSERT_TRUE(unit->sendUnasked(unitsim::FrontEnd::Serial, "GET=1;01=stale\r\n"));
    ASSERT_TRUE(waitForCondition([this] { return w->MSComm1->InBufferCount() >= 16; }));
    w->strCommBuffer.clear();

    // Left in the port, the stale text would be taken for the echo and fail the command.
    SendSerialCommand(*w, QStringLiteral("Get 02\r"), 5, true);
    EXPECT_EQ(commandLines(), QStringList{"Get 02"});
    EXPECT_FALSE(w->strCommBuffer.contains(QStringLiteral("stale")));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(SerialSession, TheSignalStrengthPollEndsWhenMonitoringStops)
{
    startMonitoring();
    bool stillPolling = false;
    QTimer::singleShot(100, [&] {
        stillPolling = w->exchangeInProgress;
        w->ui->chkRSSIMonitor->setChecked(false);
    });
    // No answer comes: only the cleared check box ends the poll (the watchdog catches a hang).
    SendDeviceCommand(*w, QStringLiteral("Radio RSSI\r"), CommandWaits{20, false, 20, false, true});
    EXPECT_TRUE(stillPolling);
    EXPECT_TRUE(w->bGotPrompt); // left standing, as the poll's callers expect
    EXPECT_FALSE(w->exchangeInProgress);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(SerialSession, TheSignalStrengthPollEndsWhenThePortCloses)
{
    startMonitoring();
    QTimer::singleShot(100, [this] { w->DisconnectActiveDevice(); });
    EXPECT_THROW(SendSerialMonitorCommand(*w, QStringLiteral("Radio RSSI\r"), false), CommError);
    EXPECT_FALSE(w->serialOpen());
    EXPECT_EQ(boxes.titles(), QStringList{"CONNECTION LOST"});
}

TEST_F(SerialSession, DisconnectEndsTheConsoleSession)
{
    start();
    ASSERT_TRUE(connectSerialAndLogIn());
    w->ui->mnuConnectDisconnect->trigger();
    EXPECT_FALSE(w->serialOpen());
    ASSERT_TRUE(waitForCondition([this] { return commandLines().contains(QStringLiteral("Exit")); }));
    EXPECT_EQ(boxes.titles(), QStringList{"CONNECTION LOST"});
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Serial"))->isEnabled());
    EXPECT_FALSE(w->tmrSerialRead->isActive());
    EXPECT_FALSE(w->blnShownUsernameForm);
}

TEST_F(SerialSession, APortInUseIsReportedWithItsOwnText)
{
    start();
    session::MSComm other;
    other.setDevices({QString::fromStdString(unit->ptySlavePath())});
    other.setPortOpen(true);
    w->ConnectSerial();
    EXPECT_EQ(boxes.texts(), (QStringList{"This Port is Already in Use!", "Connection to Host lost!"}));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("UNABLE TO CONNECT THROUGH SERIAL CONNECTION"));
    EXPECT_FALSE(w->serialOpen());
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Serial"))->isEnabled());
}

TEST_F(SerialSession, AMissingDeviceIsNamedInsteadOfCalledBusy)
{
    start();
    w->MSComm1->setDevices({QStringLiteral("/dev/linkset-no-such-tty")});
    w->ConnectSerial();
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("/dev/linkset-no-such-tty does not exist")));
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("UNABLE TO CONNECT THROUGH SERIAL CONNECTION"));
    EXPECT_EQ(boxes.shown()[1].text, QStringLiteral("Connection to Host lost!"));
}
