// The login, telnet and serial properties dialogs, driven for real: what they show on
// opening, what OK and Cancel write back, and how they refuse bad input.
#include "platform/settings_store.h"
#include "session/mscomm.h"
#include "session_fixture.h"
#include "dialogs/frmSerialProperties.h"
#include "dialogs/frmTelnetProperties.h"
#include "dialogs/frmUserNamePassword.h"
#include "ui_frmSerialProperties.h"
#include "ui_frmTelnetProperties.h"
#include "ui_frmUserNamePassword.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <pty.h>
#include <unistd.h>
#include <wiretalk/telnet_client.h>

class ConnectionDialogs : public SessionFixture
{
protected:
    void SetUp() override
    {
        // Every case starts as a first use.
        forgetSettings();
        start();
    }
};

TEST_F(ConnectionDialogs, LoginOffersTheSavedNameAndWritesBackOnOk)
{
    platform::saveSetting(QStringLiteral("UserName"), QStringLiteral("operator"));
    frmUserNamePassword dialog(*w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter UserName and Password"));
    EXPECT_EQ(dialog.ui->txtUserName->text(), QStringLiteral("operator"));
    EXPECT_EQ(dialog.ui->txtPassword->echoMode(), QLineEdit::Password);
    dialog.ui->txtUserName->setText(QStringLiteral("admin"));
    dialog.ui->txtPassword->setText(QStringLiteral("radio"));
    dialog.ui->cmdOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(w->blnShouldConnect);
    EXPECT_TRUE(w->blnShownUsernameForm);
    EXPECT_EQ(w->strUserName, QStringLiteral("admin"));
    EXPECT_EQ(w->strPassword, QStringLiteral("radio"));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("UserName")), QStringLiteral("admin"));
}

TEST_F(ConnectionDialogs, EnteringAFieldSelectsItsText)
{
    platform::saveSetting(QStringLiteral("UserName"), QStringLiteral("operator"));
    frmUserNamePassword dialog(*w);
    dialog.show();
    ASSERT_TRUE(waitForCondition([&] { return dialog.ui->txtPassword->hasFocus(); }));
    dialog.ui->txtUserName->setFocus();
    ASSERT_TRUE(waitForCondition([&] { return dialog.ui->txtUserName->selectedText() == "operator"; }));
    dialog.ui->cmdCancel->click();
}

TEST_F(ConnectionDialogs, WithoutARememberedNameTypingStartsInTheNameField)
{
    frmUserNamePassword dialog(*w);
    dialog.show();
    ASSERT_TRUE(waitForCondition([&] { return dialog.ui->txtUserName->hasFocus(); }));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("admin"));
    EXPECT_EQ(dialog.ui->txtUserName->text(), QStringLiteral("admin"));
    EXPECT_TRUE(dialog.ui->txtPassword->text().isEmpty());
    dialog.ui->cmdCancel->click();
}

TEST_F(ConnectionDialogs, LoginCancelLeavesTheCredentials)
{
    w->blnShouldConnect = true;
    w->strPassword = QStringLiteral("kept");
    frmUserNamePassword dialog(*w);
    dialog.ui->txtPassword->setText(QStringLiteral("typed"));
    dialog.ui->cmdCancel->click();
    EXPECT_FALSE(w->blnShouldConnect);
    EXPECT_FALSE(w->blnShownUsernameForm);
    EXPECT_EQ(w->strPassword, QStringLiteral("kept"));
}

TEST_F(ConnectionDialogs, TelnetDialogShowsDefaultsOnFirstUse)
{
    frmTelnetProperties dialog(*w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Telnet Properties:"));
    EXPECT_EQ(dialog.ui->mskIP->text(), QStringLiteral("0.0.0.0"));
    EXPECT_EQ(dialog.ui->txtTelnetPort->text(), QStringLiteral("23"));
    dialog.ui->updownTelnetPortUp->click();
    EXPECT_EQ(dialog.ui->txtTelnetPort->text(), QStringLiteral("24"));
    dialog.ui->updownTelnetPortDown->click();
    dialog.ui->updownTelnetPortDown->click();
    EXPECT_EQ(dialog.ui->txtTelnetPort->text(), QStringLiteral("22"));
}

TEST_F(ConnectionDialogs, TelnetDialogRefusesABadPortBeforeTouchingTheControl)
{
    w->TelnetClient1->setRemotePort(23);
    frmTelnetProperties dialog(*w);
    dialog.show();
    for (const char *bad : {"telnet", "", "70000", "0"}) {
        boxes.clear();
        w->blnShouldConnect = false;
        dialog.ui->mskIP->setText(QStringLiteral("127.0.0.1"));
        dialog.ui->txtTelnetPort->setText(QString::fromLatin1(bad));
        dialog.ui->cmdOK->click();
        ASSERT_EQ(boxes.shown().size(), 1) << bad;
        EXPECT_EQ(boxes.shown()[0].text,
                  QStringLiteral("The telnet port is not a valid number. Please re-enter."));
        EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("BAD TELNET PORT!"));
        EXPECT_TRUE(dialog.isVisible()) << bad;
        EXPECT_FALSE(w->blnShouldConnect) << bad;
        EXPECT_EQ(w->TelnetClient1->RemotePort(), 23) << bad;
    }
}

TEST_F(ConnectionDialogs, TelnetDialogRefusesAnAddressTheControlRejects)
{
    frmTelnetProperties dialog(*w);
    dialog.show();
    dialog.ui->mskIP->setText(QStringLiteral("300.1.2.3"));
    dialog.ui->txtTelnetPort->setText(QStringLiteral("2323"));
    dialog.ui->cmdOK->click();
    EXPECT_EQ(boxes.titles(), QStringList{"INVALID IP ADDRESS"});
    EXPECT_EQ(boxes.texts(), QStringList{"The IP address is invalid. Please re-enter."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(w->blnShouldConnect); // already set, as the dialog's rules have it
    dialog.ui->cmdCancel->click();
    EXPECT_FALSE(w->blnShouldConnect);
    EXPECT_TRUE(platform::loadSetting(QStringLiteral("TelnetIP")).isEmpty());
}

TEST_F(ConnectionDialogs, TelnetDialogOkSetsTheControlAndRemembers)
{
    frmTelnetProperties dialog(*w);
    dialog.ui->mskIP->setText(QStringLiteral("127.0.0.1"));
    dialog.ui->txtTelnetPort->setText(QStringLiteral("2323"));
    dialog.ui->cmdOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(w->blnShouldConnect);
    EXPECT_EQ(w->TelnetClient1->HostAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w->TelnetClient1->RemotePort(), 2323);
    EXPECT_EQ(platform::loadSetting(QStringLiteral("TelnetIP")), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("TelnetPort")), QStringLiteral("2323"));

    frmTelnetProperties again(*w);
    EXPECT_EQ(again.ui->mskIP->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(again.ui->txtTelnetPort->text(), QStringLiteral("2323"));
}

TEST_F(ConnectionDialogs, SerialDialogShowsTheControlsSettings)
{
    w->MSComm1->setSettings(QStringLiteral("19200,O,7,2"));
    w->MSComm1->setHandshaking(1);
    frmSerialProperties dialog(*w);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Port Properties"));
    EXPECT_EQ(dialog.ui->cboSpeed->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(dialog.ui->cboParity->currentText(), QStringLiteral("Odd"));
    EXPECT_EQ(dialog.ui->cboDataBits->currentText(), QStringLiteral("7"));
    EXPECT_EQ(dialog.ui->cboStopBits->currentText(), QStringLiteral("2"));
    EXPECT_EQ(dialog.ui->cboPort->currentText(), QStringLiteral("Com1"));
    EXPECT_EQ(dialog.ui->cboPort->count(), 16);
    EXPECT_EQ(dialog.ui->lblPortDevice->text(), QString::fromStdString(unit->ptySlavePath()));
    EXPECT_TRUE(dialog.optFlow(1)->isChecked());
    EXPECT_TRUE(dialog.optEcho(0)->isChecked());
}

TEST_F(ConnectionDialogs, SerialDialogOkAppliesAndSavesWhatTheControlReportsBack)
{
    frmSerialProperties dialog(*w);
    dialog.ui->cboSpeed->setCurrentText(QStringLiteral("57600"));
    dialog.ui->cboParity->setCurrentText(QStringLiteral("Even"));
    dialog.ui->cboDataBits->setCurrentText(QStringLiteral("7"));
    dialog.ui->cboStopBits->setCurrentText(QStringLiteral("1"));
    dialog.optFlow(2)->click();
    dialog.optEcho(1)->click();
    dialog.ui->cmdOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(w->MSComm1->Settings(), QStringLiteral("57600,e,7,1"));
    EXPECT_EQ(w->MSComm1->Handshaking(), 2);
    EXPECT_EQ(platform::loadSetting(QStringLiteral("Settings")), QStringLiteral("57600,e,7,1"));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("CommPort")), QStringLiteral("1"));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("Handshaking")), QStringLiteral("2"));
    EXPECT_EQ(platform::loadSetting(QStringLiteral("Echo")), QStringLiteral("True"));
}

TEST_F(ConnectionDialogs, SerialDialogKeepsItselfOpenOnWhatThisSystemCannotDo)
{
    const QString before = w->MSComm1->Settings();
    frmSerialProperties dialog(*w);
    dialog.show();
    dialog.ui->cboStopBits->setCurrentText(QStringLiteral("1.5"));
    dialog.ui->cmdOK->click();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("1.5 stop bits")));
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(w->MSComm1->Settings(), before);

    dialog.ui->cboStopBits->setCurrentText(QStringLiteral("1"));
    dialog.optFlow(3)->click();
    dialog.ui->cmdOK->click();
    EXPECT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(platform::loadSetting(QStringLiteral("Settings")).isEmpty());
}

TEST_F(ConnectionDialogs, SerialDialogMovesAnOpenConnectionToTheNewPort)
{
    int master = -1, slave = -1;
    char name[128] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    const QString second = QString::fromLocal8Bit(name);
    w->MSComm1->setDevices({QString::fromStdString(unit->ptySlavePath()), second});
    w->MSComm1->setPortOpen(true);

    frmSerialProperties dialog(*w);
    dialog.ui->cboPort->setCurrentIndex(1);
    EXPECT_EQ(dialog.ui->lblPortDevice->text(), second);
    dialog.ui->cmdOK->click();
    EXPECT_EQ(w->MSComm1->CommPort(), 2);
    EXPECT_TRUE(w->MSComm1->PortOpen());

    // A port without a device is refused; the old one is kept, open, and the dialog stays.
    frmSerialProperties refused(*w);
    refused.show();
    refused.ui->cboPort->setCurrentIndex(4);
    refused.ui->cmdOK->click();
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(w->MSComm1->CommPort(), 2);
    EXPECT_TRUE(w->MSComm1->PortOpen());
    EXPECT_EQ(refused.ui->cboPort->currentIndex(), 1);
    EXPECT_TRUE(refused.isVisible());
    w->MSComm1->setPortOpen(false);
    ::close(master);
    ::close(slave);
}
