// Connection management without a unit: the connect-time text, keep-alive counting while
// disconnected, the status indicators, saved serial settings at start-up, the connect
// animation's Cancel and the exit confirmation.
#include "platform/settings_store.h"
#include "session/connection.h"
#include "session/mscomm.h"
#include "session_fixture.h"
#include "dialogs/frmConnectAnimation.h"
#include "dialogs/status_panels.h"
#include "ui_frmConnectAnimation.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <wiretalk/telnet_client.h>

TEST(ConnectTime, IsShownAsHoursMinutesSecondsAndABlank)
{
    const struct
    {
        qint64 seconds;
        const char *text;
    } cases[] = {{0, "00:00:00 "},
                 {59, "00:00:59 "},
                 {3723, "01:02:03 "},
                 {86399, "23:59:59 "},
                 {360000, "100:00:00 "}};
    for (const auto &c : cases)
        EXPECT_EQ(session::formatConnectTime(c.seconds), QString::fromLatin1(c.text)) << c.seconds;
}

class Connection : public SessionFixture
{
protected:
    void SetUp() override
    {
        forgetSettings();
        start();
    }
};

TEST_F(Connection, StartsDisconnectedWithItsTimers)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Corvane Configuration Utility"));
    EXPECT_FALSE(w->tmrSerialRead->isActive());
    EXPECT_EQ(w->tmrSerialRead->interval(), 5);
    EXPECT_FALSE(w->tmrSerialTimer->isActive());
    EXPECT_FALSE(w->tmrStatusMessages->isActive());
    EXPECT_EQ(w->sbrTerminal().picture(QStringLiteral("Receive")), QStringLiteral("Quiet"));
    EXPECT_EQ(w->sbrTerminal().picture(QStringLiteral("Connected")), QStringLiteral("Disconnected"));
    EXPECT_EQ(w->sbrTerminal().panel(QStringLiteral("Status"))->toolTip(),
              QStringLiteral("Communications Port Status"));
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Telnet"))->isEnabled());
    EXPECT_FALSE(w->tlbrMainButton(QStringLiteral("Disconnect"))->isEnabled());
    EXPECT_FALSE(w->ui->mnuConnectDisconnect->isEnabled());
    EXPECT_EQ(w->cmboNetmask(3)->count(), 33);
    EXPECT_EQ(w->optionGroup(QStringLiteral("optRadioType"))->checkedId(), 0);
}

TEST_F(Connection, KeepAliveTicksWhileDisconnectedOnlyCount)
{
    for (int tick = 0; tick < 30; ++tick)
        session::onKeepAliveTick(*w);
    EXPECT_EQ(w->intKeepAliveCount, 26);
    EXPECT_FALSE(w->blnKeepAliveWrite);
    EXPECT_EQ(bareLineFeeds(), 0);
    session::onWriteCompleted(*w); // a real write
    EXPECT_EQ(w->intKeepAliveCount, 0);
}

TEST_F(Connection, ReceiveIndicatorAndStatusTextReturnToRest)
{
    w->ShowReceiveActivity();
    EXPECT_EQ(w->sbrTerminal().picture(QStringLiteral("Receive")), QStringLiteral("Active"));
    ASSERT_TRUE(
        waitForCondition([this] { return w->sbrTerminal().picture(QStringLiteral("Receive")) == "Quiet"; }));
    EXPECT_FALSE(w->tmrSerialStatus->isActive());

    w->sbrTerminal().setText(QStringLiteral("Status"), QStringLiteral("Status: Framing Error"));
    w->tmrStatusMessages->setInterval(10);
    w->tmrStatusMessages->start();
    ASSERT_TRUE(
        waitForCondition([this] { return w->sbrTerminal().text(QStringLiteral("Status")) == "Status: "; }));
    EXPECT_FALSE(w->tmrStatusMessages->isActive());
}

TEST_F(Connection, ASavedSettingTheControlRefusesWarnsAndStopsLoading)
{
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("9600,n,8,1.5"));
    platform::saveSetting(QStringLiteral("Handshaking"), QStringLiteral("2"));
    w->setMessageBoxes(&boxes);
    w->LoadSerialSettings();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("1.5 stop bits")));
    EXPECT_EQ(w->MSComm1->Handshaking(), 0);

    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("38400,e,7,2"));
    w->LoadSerialSettings();
    EXPECT_EQ(w->MSComm1->Settings(), QStringLiteral("38400,e,7,2"));
    EXPECT_EQ(w->MSComm1->Handshaking(), 2);
}

TEST_F(Connection, ASavedPortThatIsNotPresentIsNotedAndTheOtherSettingsStillApply)
{
    const QStringList present = w->MSComm1->devices();
    const int unplugged = int(present.size()) + 1; // an adapter that is not plugged in
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("19200,e,7,1"));
    platform::saveSetting(QStringLiteral("CommPort"), QString::number(unplugged));
    platform::saveSetting(QStringLiteral("Handshaking"), QStringLiteral("2"));
    w->LoadSerialSettings();
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(w->MSComm1->Settings(), QStringLiteral("19200,e,7,1"));
    EXPECT_EQ(w->MSComm1->Handshaking(), 2);
    EXPECT_EQ(w->sbrTerminal().text(QStringLiteral("Status")),
              QStringLiteral("Status: Com%1 is not present").arg(unplugged));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("CommPort")), QString::number(unplugged));

    // Plugged in again: the next start chooses it.
    w->MSComm1->setDevices(present + QStringList{QStringLiteral("/dev/ttyUSB0")});
    w->LoadSerialSettings();
    EXPECT_EQ(w->MSComm1->CommPort(), unplugged);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(Connection, CancellingTheConnectAnimationDisconnects)
{
    w->TelnetClient1->setHostAddress(QStringLiteral("127.0.0.1"));
    w->TelnetClient1->setRemotePort(unit->telnetPort());
    w->ConnectTelnet();
    ASSERT_TRUE(w->blnAnimationShowing);
    ASSERT_TRUE(w->connectAnimation);
    EXPECT_EQ(w->connectAnimation->ui->lblStatus->text(),
              QStringLiteral("Establishing Connection to: 127.0.0.1  on Port #: %1").arg(unit->telnetPort()));
    EXPECT_TRUE(w->ui->txtEthernetIP->isReadOnly());
    w->connectAnimation->ui->CancelButton->click();
    EXPECT_FALSE(w->blnAnimationShowing);
    EXPECT_FALSE(w->telnetConnected());
    EXPECT_EQ(boxes.titles(), QStringList{"CONNECTION LOST"});
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Telnet"))->isEnabled());
    // The connection attempt that was under way reports nothing more.
    bool settled = false;
    QTimer::singleShot(200, [&] { settled = true; });
    waitForCondition([&] { return settled; });
    EXPECT_EQ(boxes.shown().size(), 1);
}

TEST_F(Connection, ClosingAsksOnlyOverAnOpenConnection)
{
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(boxes.shown().isEmpty());

    w->show();
    ASSERT_TRUE(connectSerialAndLogIn());
    boxes.answerNext(platform::MsgAnswer::No);
    EXPECT_FALSE(w->close());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("WARNING!"));
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral("You have an open connection in progress!\r\nAre you sure you wish to exit?"));
    EXPECT_TRUE(w->serialOpen());

    boxes.answerNext(platform::MsgAnswer::Yes);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->serialOpen());
    EXPECT_EQ(boxes.shown().size(), 2); // no "Connection to Host lost!" on the way out
}
