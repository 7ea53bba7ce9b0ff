#include "session/connection.h"

#include "platform/settings_store.h"
#include "session/handler_boundary.h"
#include "session/mscomm.h"
#include "session/serial_error.h"
#include "dialogs/frmConnectAnimation.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <wiretalk/telnet_client.h>

namespace session {

namespace {

const QString kStatus = QStringLiteral("Status");
const QString kSettings = QStringLiteral("Settings");
const QString kConnectTime = QStringLiteral("ConnectTime");
const QString kReceive = QStringLiteral("Receive");
const QString kConnected = QStringLiteral("Connected");

void showDisconnectedPanels(frmTevoHadraConfig &w)
{
    w.sbrTerminal().setText(kSettings, QStringLiteral("Settings: "));
    w.sbrTerminal().setPicture(kConnected, QStringLiteral("Disconnected"));
    w.sbrTerminal().setText(kStatus, QStringLiteral("Status: Disconnected"));
}

// The address fields may not be edited in place over telnet: a new address would cut the
// session. They change through the address guards (ui/address_guards.h) instead.
void lockAddressFields(frmTevoHadraConfig &w, bool locked)
{
    w.ui->txtEthernetIP->setReadOnly(locked);
    w.ui->txtRadioIP->setReadOnly(locked);
    for (int i = 0; i < 2; ++i)
        w.cmboNetmask(i)->lineEdit()->setReadOnly(locked);
    QPalette palette = w.cmboNetmask(0)->palette();
    const QColor background =
        locked ? w.palette().color(QPalette::Inactive, QPalette::Window) : QColor(Qt::white);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    w.cmboNetmask(0)->setPalette(palette);
}

void endSession(frmTevoHadraConfig &w)
{
    applyCommandStates(w, false);
    lockAddressFields(w, false);
    w.blnShouldConnect = false;
    w.blnShownUsernameForm = false;
}

void showConnectionLost(frmTevoHadraConfig &w, bool foreground)
{
    platform::MessageBox box;
    box.text = QStringLiteral("Connection to Host lost!");
    box.title = QStringLiteral("CONNECTION LOST");
    box.icon = platform::MsgIcon::Information;
    box.foreground = foreground;
    w.messageBoxes().show(&w, box);
}

void focusAfterConnect(frmTevoHadraConfig &w)
{
    if (!w.blnFormsView) {
        w.ui->txtTerm->setFocus();
        return;
    }
    w.ui->SSTab1->setCurrentIndex(0);
    w.ui->picMain->setFocus();
}

} // namespace

void applyCommandStates(frmTevoHadraConfig &w, bool connected)
{
    w.tlbrMainButton(QStringLiteral("Telnet"))->setEnabled(!connected && w.TelnetClient1);
    w.tlbrMainButton(QStringLiteral("Serial"))->setEnabled(!connected);
    w.tlbrMainButton(QStringLiteral("Disconnect"))->setEnabled(connected);
    w.tlbrMainButton(QStringLiteral("RadioEnable"))->setEnabled(connected);
    w.ui->mnuConnectTelnet->setEnabled(!connected && w.TelnetClient1);
    w.ui->mnuConnectSerial->setEnabled(!connected);
    w.ui->mnuConnectDisconnect->setEnabled(connected);
}

void ConnectTelnet(frmTevoHadraConfig &w)
{
    w.bGotPrompt = false;
    wiretalk::TelnetClient &telnet = *w.TelnetClient1;
    if (telnet.Connected()) {
        w.messageBoxes().inform(&w, QStringLiteral("There is Already a Telnet session active"),
                                QStringLiteral("UNABLE TO CONNECT THROUGH TELNET"),
                                platform::MsgIcon::Information);
        return;
    }
    applyCommandStates(w, true);

    auto *animation = new frmConnectAnimation(w);
    w.connectAnimation = animation;
    w.blnAnimationShowing = true;
    animation->setStatus(QStringLiteral("Establishing Connection to: ") + telnet.HostAddress() +
                         QStringLiteral("  on Port #: ") + QString::number(telnet.RemotePort()));
    animation->show();

    lockAddressFields(w, true);
    w.optRadioType(0)->setFocus();
    // Completion arrives as the control's Connect event, failure as its LastError event.
    telnet.Connect();
}

void onTelnetConnect(frmTevoHadraConfig &w)
{
    wiretalk::TelnetClient &telnet = *w.TelnetClient1;
    w.sbrTerminal().setText(kSettings, QStringLiteral("Telnet: ") + telnet.HostAddress() +
                                           QStringLiteral("     Port:") +
                                           QString::number(telnet.RemotePort()));
    w.sbrTerminal().setPicture(kConnected, QStringLiteral("Connected"));
    w.sbrTerminal().setText(kStatus, QStringLiteral("Status: Connected"));
    StartConnectTimer(w);
    if (w.connectAnimation)
        w.connectAnimation->close();
    focusAfterConnect(w);
}

void ConnectSerial(frmTevoHadraConfig &w)
{
    w.bEnableOnCommReceiveEvents = true;
    w.bGotPrompt = false;
    session::MSComm &port = *w.MSComm1;
    if (port.PortOpen()) {
        w.messageBoxes().inform(&w, QStringLiteral("This Port is already in use!"),
                                QStringLiteral("UNABLE TO CONNECT THROUGH SERIAL CONNECTION"),
                                platform::MsgIcon::Information);
        return;
    }
    try {
        applyCommandStates(w, true);
        w.sbrTerminal().setText(kStatus, QStringLiteral("Connected"));
        w.sbrTerminal().setText(kSettings, QStringLiteral("Settings: ") + port.Settings());
        w.sbrTerminal().setPicture(kConnected, QStringLiteral("Connected"));
        lockAddressFields(w, false);
        focusAfterConnect(w);
        port.setPortOpen(true);
        port.Output(QByteArray("\r"));
        w.tmrSerialRead->start();
        StartConnectTimer(w);
    } catch (const std::exception &error) {
        // A busy port keeps its well-known message; other causes are named.
        w.messageBoxes().inform(&w, errorDescription(error),
                                QStringLiteral("UNABLE TO CONNECT THROUGH SERIAL CONNECTION"),
                                platform::MsgIcon::Information);
        SerialPortClosed(w);
        DisconnectActiveDevice(w);
    }
}

void DisconnectActiveDevice(frmTevoHadraConfig &w)
{
    w.tlbrMainButton(QStringLiteral("RadioEnable"))->setEnabled(false);
    if (w.serialOpen())
        SerialPortClosed(w); // says "Exit" to the unit and closes the port first
    if (w.telnetConnected()) {
        w.TelnetClient1->Disconnect();
        TelnetClient1_Disconnect(w);
    }
}

void TelnetClient1_Disconnect(frmTevoHadraConfig &w)
{
    showDisconnectedPanels(w);
    endSession(w);
    StopConnectTimer(w);
    if (w.telnetConnected())
        w.TelnetClient1->Disconnect();
    showConnectionLost(w, true);
}

void SerialPortClosed(frmTevoHadraConfig &w)
{
    if (w.serialOpen()) {
        w.MSComm1->Output(QByteArray("Exit\r"));
        w.MSComm1->setPortOpen(false);
    }
    showDisconnectedPanels(w);
    endSession(w);
    w.tmrSerialRead->stop();
    StopConnectTimer(w);
    showConnectionLost(w, false);
}

void StartConnectTimer(frmTevoHadraConfig &w)
{
    w.dtConnectStart = QDateTime::currentDateTime();
    w.tmrSerialTimer->start();
    w.tmrKeepAlive->start();
}

void StopConnectTimer(frmTevoHadraConfig &w)
{
    w.tmrSerialTimer->stop();
    w.sbrTerminal().setText(kConnectTime, QString());
    w.tmrKeepAlive->stop();
}

QString formatConnectTime(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    return QStringLiteral("%1:%2:%3 ")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void onConnectTimeTick(frmTevoHadraConfig &w)
{
    w.sbrTerminal().setText(kConnectTime,
                            formatConnectTime(w.dtConnectStart.secsTo(QDateTime::currentDateTime())));
}

void ShowReceiveActivity(frmTevoHadraConfig &w)
{
    w.sbrTerminal().setPicture(kReceive, QStringLiteral("Active"));
    w.tmrSerialStatus->start();
}

void onReceiveIndicatorTick(frmTevoHadraConfig &w)
{
    if (w.sbrTerminal().picture(kReceive) == QLatin1String("Active"))
        w.sbrTerminal().setPicture(kReceive, QStringLiteral("Quiet"));
    w.tmrSerialStatus->stop();
}

void onStatusMessageTick(frmTevoHadraConfig &w)
{
    w.sbrTerminal().setText(kStatus, QStringLiteral("Status: "));
    w.tmrStatusMessages->stop();
}

void onKeepAliveTick(frmTevoHadraConfig &w)
{
    constexpr qint16 kMaxKeepAlives = 26;
    if (w.intKeepAliveCount >= kMaxKeepAlives)
        return;
    if (w.serialOpen())
        w.MSComm1->Output(QByteArray(1, '\n'));
    if (w.telnetConnected() && w.TelnetClient1->IsWritable()) {
        w.blnKeepAliveWrite = true;
        w.TelnetClient1->Write(QStringLiteral("\n"), 1);
    }
    ++w.intKeepAliveCount;
}

void onWriteCompleted(frmTevoHadraConfig &w)
{
    w.ShowReceiveActivity();
    if (!w.blnKeepAliveWrite)
        w.intKeepAliveCount = 0;
    else
        w.blnKeepAliveWrite = false;
}

namespace {

// A saved port whose device is not there (a USB adapter unplugged) is only noted in the
// status bar: the setting stays as it is, so the port is chosen again at a start when its
// device is back, and the other saved settings still apply.
void chooseSavedPort(frmTevoHadraConfig &w, int port)
{
    if (port >= 1 && port <= MSComm::kHighestPort && w.MSComm1->devicePath(port).isEmpty()) {
        w.sbrTerminal().setText(kStatus, QStringLiteral("Status: Com%1 is not present").arg(port));
        return;
    }
    w.MSComm1->setCommPort(port);
}

} // namespace

void LoadSerialSettings(frmTevoHadraConfig &w)
{
    w.sbrTerminal().setPicture(kReceive, QStringLiteral("Quiet"));
    w.sbrTerminal().setPicture(kConnected, QStringLiteral("Disconnected"));
    try {
        const QString settings = platform::loadSetting(QStringLiteral("Settings"));
        if (!settings.isEmpty())
            w.MSComm1->setSettings(settings);
        const QString port = platform::loadSetting(QStringLiteral("CommPort"));
        if (!port.isEmpty())
            chooseSavedPort(w, port.toInt());
        const QString handshaking = platform::loadSetting(QStringLiteral("Handshaking"));
        if (!handshaking.isEmpty())
            w.MSComm1->setHandshaking(handshaking.toInt());
    } catch (const SerialError &error) {
        // A saved value this system cannot use: say so and leave the rest unapplied.
        reportError(w, error);
    }
}

} // namespace session
