#include "cli/headless_session.h"

#include "dialogs/frmUploadStatus.h"
#include "forms/configuration_transfer.h"
#include "forms/update_review_dialog.h"
#include "session/mscomm.h"
#include "session/serial_error.h"
#include "session/waits.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QHostAddress>
#include <QSettings>
#include <cstdio>
#include <wiretalk/telnet_client.h>

namespace cli {

namespace {

// How long the unit may take from the connect to its first prompt after the login: as long
// as a command may wait for its prompt.
constexpr double kLoginSeconds = 20;
// A bound over a whole retrieval or update; each command in it is bounded on its own.
constexpr double kTransferSeconds = 600;

void say(const QString &text)
{
    std::fprintf(stderr, "linkset: %s\n", qPrintable(text));
}

} // namespace

HeadlessSession::HeadlessSession()
{
    // The window reads and writes its settings through QSettings: here it finds an empty
    // store of its own.
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        QSettings::setPath(QSettings::NativeFormat, scope, settingsFolder_.path());
        QSettings::setPath(QSettings::IniFormat, scope, settingsFolder_.path());
    }
    // The command prints the changes itself and nobody is there to answer a review dialog;
    // the backup before the writes is still made.
    forms::setReviewWanted(false);
    w_ = std::make_unique<frmTevoHadraConfig>();
    w_->setMessageBoxes(&boxes_);
    w_->setFileDialogs(&files_);
}

HeadlessSession::~HeadlessSession()
{
    w_.reset();
}

bool HeadlessSession::connected() const
{
    return w_->telnetConnected() || w_->serialOpen();
}

bool HeadlessSession::setUnitAddress(const UnitAddress &unit)
{
    frmTevoHadraConfig &w = *w_;
    if (unit.serial()) {
        session::MSComm &port = *w.MSComm1;
        port.setDevices(QStringList{unit.serialDevice} + port.devices());
        try {
            port.setCommPort(1);
            if (unit.baud > 0) {
                QStringList settings = port.Settings().split(QLatin1Char(','));
                settings[0] = QString::number(unit.baud);
                port.setSettings(settings.join(QLatin1Char(',')));
            }
        } catch (const session::SerialError &error) {
            say(QStringLiteral("%1: %2").arg(unit.serialDevice, error.description()));
            return false;
        }
        return true;
    }
    if (!w.TelnetClient1) {
        say(QStringLiteral("the telnet control could not be created"));
        return false;
    }
    try {
        // A dotted address is used as it is; a name is looked up.
        if (QHostAddress(unit.telnetHost).protocol() == QAbstractSocket::IPv4Protocol)
            w.TelnetClient1->setHostAddress(unit.telnetHost);
        else
            w.TelnetClient1->setHostName(unit.telnetHost);
        w.TelnetClient1->setRemotePort(unit.telnetPort);
    } catch (const wiretalk::ControlError &error) {
        say(QStringLiteral("%1: %2").arg(unit.telnetHost, error.description()));
        return false;
    }
    return true;
}

ExitCode HeadlessSession::open(const UnitAddress &unit, const QString &user, const QString &password)
{
    frmTevoHadraConfig &w = *w_;
    if (!setUnitAddress(unit))
        return ConnectionFailed;
    login_ = std::make_unique<HeadlessLoginPrompt>(user, password, boxes_);
    w.setLoginPrompt(login_.get());
    // The session lasts while this holds: a failed connect, a dropped connection and a
    // refused login all end it.
    w.blnShouldConnect = true;
    if (unit.serial())
        w.ConnectSerial();
    else
        w.ConnectTelnet();
    const session::WaitResult loggedIn =
        session::waitFor([&w] { return w.bGotPrompt; }, kLoginSeconds, [&w] { return w.blnShouldConnect; });
    if (loggedIn == session::WaitResult::Done)
        return Success;
    if (login_->refused()) {
        say(unit.serial() ? QStringLiteral("the unit refused the password")
                          : QStringLiteral("the unit refused the login of user %1").arg(user));
        return LoginRefused;
    }
    if (loggedIn == session::WaitResult::TimedOut)
        say(QStringLiteral("the unit gave no prompt within %1 seconds of the connect").arg(kLoginSeconds));
    return ConnectionFailed;
}

ExitCode HeadlessSession::retrieve()
{
    forms::ConfigurationTransfer &transfer = w_->configurationTransfer();
    w_->ui->mnuDeviceRetrieveConfig->trigger();
    session::waitFor([&transfer] { return !transfer.isBusy(); }, kTransferSeconds);
    if (transfer.isBusy() || !transfer.retrievedRecord)
        return ConnectionFailed;
    return Success;
}

bool HeadlessSession::import(const QString &path)
{
    const qsizetype boxesBefore = boxes_.shown().size();
    files_.answerNext(path);
    w_->ui->mnuFileLoad->trigger();
    return boxes_.shown().size() == boxesBefore;
}

ExitCode HeadlessSession::update()
{
    forms::ConfigurationTransfer &transfer = w_->configurationTransfer();
    w_->ui->mnuDeviceUpdateConfig->trigger();
    session::waitFor([&transfer] { return !transfer.isBusy(); }, kTransferSeconds);
    const QStringList states = entryStates();
    // An update that stopped leaves entries "Waiting", "Writing" or "Validating".
    if (transfer.isBusy() || std::any_of(states.begin(), states.end(), [](const QString &state) {
            return state != QLatin1String("Success") && state != QLatin1String("Error");
        }))
        return ConnectionFailed;
    return states.contains(QStringLiteral("Error")) ? EntriesFailed : Success;
}

QStringList HeadlessSession::entryStates() const
{
    QStringList states;
    const frmUploadStatus *status = w_->configurationTransfer().uploadStatus;
    for (int row = 0; status && row < status->entryCount(); ++row)
        states << status->entryState(row);
    return states;
}

void HeadlessSession::close()
{
    boxes_.silence();
    if (connected())
        w_->DisconnectActiveDevice();
}

} // namespace cli
