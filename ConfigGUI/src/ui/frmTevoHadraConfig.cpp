#include "ui/frmTevoHadraConfig.h"

#include "session/connection.h"
#include "session/handler_boundary.h"
#include "session/mscomm.h"
#include "session/receive_path.h"
#include "session/transport_events.h"
#include "ui/connection_commands.h"
#include "ui/dialog_placement.h"
#include "ui/status_panels.h"
#include "ui/terminal_view.h"
#include "ui_frmTevoHadraConfig.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTimer>
#include <wiretalk/telnet_client.h>

// The image list lives in a static library: its resources are registered explicitly.
static void registerImages()
{
    Q_INIT_RESOURCE(linkset);
}

namespace {

// Sends the keys typed in the terminal view to the unit instead of the text box.
class TerminalKeys : public QObject
{
public:
    explicit TerminalKeys(frmTevoHadraConfig &w) : QObject(&w), w_(w) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QString text = static_cast<QKeyEvent *>(event)->text();
        bool consumed = false;
        session::guarded(w_, [&] { consumed = sendTypedKey(w_, text); });
        return consumed;
    }

private:
    frmTevoHadraConfig &w_;
};

QTimer *makeTimer(QObject *owner, const char *name, int interval)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

frmTevoHadraConfig::frmTevoHadraConfig(StartOptions options, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmTevoHadraConfig>()), options_(std::move(options))
{
    registerImages();
    ui->setupUi(this);
    ui->txtTerm->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    statusPanels_ = std::make_unique<StatusPanels>(ui->sbrTerminal);
    optRadioTypeGroup = new QButtonGroup(this);
    optRadioTypeGroup->addButton(ui->optRadioType_0, 0);
    optRadioTypeGroup->addButton(ui->optRadioType_1, 1);

    MSComm1 = new session::MSComm(this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
    if (!options_.demoSerialDevice.isEmpty())
        MSComm1->setDevices(QStringList{options_.demoSerialDevice} + MSComm1->devices());

    createTimers();
    createTelnetControl();
    connectCommands();
    startUp();
}

frmTevoHadraConfig::~frmTevoHadraConfig()
{
    // The controls go with the window; their last events must not reach it half-destroyed.
    if (TelnetClient1)
        TelnetClient1->disconnect(this);
    MSComm1->disconnect(this);
}

QComboBox *frmTevoHadraConfig::cmboNetmask(int index) const
{
    QComboBox *const combos[] = {ui->cmboNetmask_0, ui->cmboNetmask_1, ui->cmboNetmask_2, ui->cmboNetmask_3};
    return combos[index];
}

QLabel *frmTevoHadraConfig::lblStringNetmask(int index) const
{
    QLabel *const labels[] = {ui->lblStringNetmask_0, ui->lblStringNetmask_1, ui->lblStringNetmask_2,
                              ui->lblStringNetmask_3};
    return labels[index];
}

QRadioButton *frmTevoHadraConfig::optRadioType(int index) const
{
    return qobject_cast<QRadioButton *>(optRadioTypeGroup->button(index));
}

QAction *frmTevoHadraConfig::tlbrMainButton(const QString &key) const
{
    for (QAction *action : ui->tlbrMain->actions()) {
        if (action->property("key").toString() == key)
            return action;
    }
    return nullptr;
}

bool frmTevoHadraConfig::telnetConnected() const
{
    return TelnetClient1 && TelnetClient1->Connected();
}

bool frmTevoHadraConfig::serialOpen() const
{
    return MSComm1->PortOpen();
}

void frmTevoHadraConfig::setMessageBoxes(platform::MessageBoxes *boxes)
{
    messageBoxes_ = boxes ? boxes : &qtMessageBoxes_;
}

void frmTevoHadraConfig::setFileDialogs(platform::FileDialogs *dialogs)
{
    fileDialogs_ = dialogs ? dialogs : &qtFileDialogs_;
}

void frmTevoHadraConfig::createTimers()
{
    tmrSerialRead = makeTimer(this, "tmrSerialRead", 5);
    tmrSerialStatus = makeTimer(this, "tmrSerialStatus", 10);
    tmrSerialTimer = makeTimer(this, "tmrSerialTimer", 1000);
    tmrStatusMessages = makeTimer(this, "tmrStatusMessages", 2000);
    tmrKeepAlive = makeTimer(this, "tmrKeepAlive", 55000);

    const auto onTick = [this](QTimer *timer, void (*tick)(frmTevoHadraConfig &)) {
        connect(timer, &QTimer::timeout, this,
                [this, tick] { session::guarded(*this, [&] { tick(*this); }); });
    };
    onTick(tmrSerialRead, session::onSerialReadTick);
    onTick(tmrSerialStatus, session::onReceiveIndicatorTick);
    onTick(tmrSerialTimer, session::onConnectTimeTick);
    onTick(tmrStatusMessages, session::onStatusMessageTick);
    onTick(tmrKeepAlive, session::onKeepAliveTick);
    tmrSerialStatus->start();
    tmrKeepAlive->start();
}

void frmTevoHadraConfig::createTelnetControl()
{
    QString error;
    TelnetClient1 =
        wiretalk::CreateTelnetClient(QString::fromLatin1(wiretalk::kTelnetClientProgId), this, &error);
    if (!TelnetClient1) {
        // Serial connections still work; the telnet commands stay off (see applyCommandStates).
        QTimer::singleShot(0, this, [this, error] {
            messageBoxes().inform(this, QStringLiteral("The telnet control could not be created: ") + error,
                                  QString(), platform::MsgIcon::Exclamation);
        });
        return;
    }
    TelnetClient1->setObjectName(QStringLiteral("TelnetClient1"));
    TelnetClient1->setTerminal(QStringLiteral("ansi"));
    TelnetClient1->setTimeout(60);

    const auto *events = static_cast<wiretalk::TelnetClientEvents *>(TelnetClient1);
    connect(events, &wiretalk::TelnetClientEvents::Connect, this,
            [this] { session::guarded(*this, [this] { session::onTelnetConnect(*this); }); });
    connect(events, &wiretalk::TelnetClientEvents::Disconnect, this,
            [this] { session::guarded(*this, [this] { TelnetClient1_Disconnect(); }); });
    connect(events, &wiretalk::TelnetClientEvents::Write, this,
            [this] { session::guarded(*this, [this] { session::onWriteCompleted(*this); }); });
    connect(
        events, &wiretalk::TelnetClientEvents::LastError, this,
        [this](short &ErrorCode, QString &ErrorString, short &) {
            session::guarded(*this, [&] { session::onTelnetLastError(*this, ErrorCode, ErrorString); });
        },
        Qt::DirectConnection);
    connect(
        events, &wiretalk::TelnetClientEvents::Read, this,
        [this](short &DataLength) {
            const short length = DataLength;
            session::guarded(*this, [&] { session::onTelnetRead(*this, length); });
        },
        Qt::DirectConnection);
}

void frmTevoHadraConfig::connectCommands()
{
    connect(MSComm1, &session::MSComm::OnComm, this,
            [this] { session::guarded(*this, [this] { session::onSerialComm(*this); }); });
    connect(MSComm1, &session::MSComm::portLost, this,
            [this] { session::guarded(*this, [this] { session::onSerialPortLost(*this); }); });

    const auto onTriggered = [this](QAction *action, std::function<void()> command) {
        connect(action, &QAction::triggered, this, [this, command] { session::guarded(*this, command); });
    };
    onTriggered(ui->mnuConnectTelnet, [this] { connectByTelnet(*this, false); });
    onTriggered(tlbrMainButton(QStringLiteral("Telnet")), [this] { connectByTelnet(*this, true); });
    onTriggered(ui->mnuConnectSerial, [this] { connectBySerial(*this, false); });
    onTriggered(tlbrMainButton(QStringLiteral("Serial")), [this] { connectBySerial(*this, true); });
    onTriggered(ui->mnuConnectDisconnect, [this] { DisconnectActiveDevice(); });
    onTriggered(tlbrMainButton(QStringLiteral("Disconnect")), [this] { DisconnectActiveDevice(); });
    onTriggered(ui->mnuConnectPortProperties, [this] { showPortProperties(*this); });
    onTriggered(ui->mnuWindowUseTerminal, [this] { useTerminalView(*this); });
    onTriggered(ui->mnuWindowUseForms, [this] { useFormsView(*this); });
    // In the terminal view the file commands open and close the communications log; the
    // configuration files of the forms view are not built yet.
    const auto openLog = [this] {
        if (!blnFormsView)
            openCommunicationsLog(*this);
    };
    const auto closeLog = [this] {
        if (!blnFormsView && communicationsLog)
            CloseLogFile();
    };
    onTriggered(ui->mnuFileLoad, openLog);
    onTriggered(tlbrMainButton(QStringLiteral("Import")), openLog);
    onTriggered(ui->mnuFileSave, closeLog);
    onTriggered(tlbrMainButton(QStringLiteral("Save")), closeLog);
    onTriggered(ui->mnuFileExit, [this] { close(); });
    onTriggered(tlbrMainButton(QStringLiteral("Exit")), [this] { close(); });

    ui->txtTerm->installEventFilter(new TerminalKeys(*this));
}

void frmTevoHadraConfig::startUp()
{
    session::LoadSerialSettings(*this);
    if (!options_.demoSerialDevice.isEmpty())
        MSComm1->setCommPort(1);
    blnFormsView = true;
    ui->SSTab1->setCurrentIndex(0);
    session::applyCommandStates(*this, false);
    QTimer::singleShot(0, this, [this] { centreOnScreen(*this); });
}

void frmTevoHadraConfig::closeEvent(QCloseEvent *event)
{
    bool closing = true;
    session::guarded(*this, [&] { closing = confirmExit(*this); });
    if (!closing) {
        event->ignore();
        return;
    }
    if (TelnetClient1)
        TelnetClient1->disconnect(this);
    event->accept();
}

void frmTevoHadraConfig::DisconnectActiveDevice()
{
    session::DisconnectActiveDevice(*this);
}

void frmTevoHadraConfig::TelnetClient1_Disconnect()
{
    session::TelnetClient1_Disconnect(*this);
}

void frmTevoHadraConfig::ConnectTelnet()
{
    session::ConnectTelnet(*this);
}

void frmTevoHadraConfig::ConnectSerial()
{
    session::ConnectSerial(*this);
}

void frmTevoHadraConfig::SerialPortClosed()
{
    session::SerialPortClosed(*this);
}

void frmTevoHadraConfig::StartConnectTimer()
{
    session::StartConnectTimer(*this);
}

void frmTevoHadraConfig::StopConnectTimer()
{
    session::StopConnectTimer(*this);
}

void frmTevoHadraConfig::ShowReceiveActivity()
{
    session::ShowReceiveActivity(*this);
}

void frmTevoHadraConfig::LoadSerialSettings()
{
    session::LoadSerialSettings(*this);
}

void frmTevoHadraConfig::CloseLogFile()
{
    closeCommunicationsLog(*this);
}
