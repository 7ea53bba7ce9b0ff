#include "ui/frmTevoHadraConfig.h"

#include "forms/configuration_file_commands.h"
#include "forms/configuration_transfer.h"
#include "forms/maintenance_commands.h"
#include "forms/model_adaptation.h"
#include "monitor/export_menus.h"
#include "monitor/history_charts.h"
#include "monitor/monitors.h"
#include "monitor/packet_error_displays.h"
#include "session/connection.h"
#include "session/handler_boundary.h"
#include "session/log_stamp_menu.h"
#include "session/log_stamps.h"
#include "session/mscomm.h"
#include "session/receive_path.h"
#include "session/transport_events.h"
#include "ui/address_guards.h"
#include "ui/backup_commands.h"
#include "ui/configuration_commands.h"
#include "ui/connection_commands.h"
#include "ui/field_validation.h"
#include "ui/list_editor_commands.h"
#include "ui/monitoring_rate.h"
#include "forms/option_rules.h"
#include "ui/radio_settings.h"
#include "ui/start_up.h"
#include "ui/times_in_utc.h"
#include "dialogs/status_panels.h"
#include "session/terminal_view.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/angular_gauge.h"
#include "dialogs/frmAbout.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpression>
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
        const auto &key = *static_cast<QKeyEvent *>(event);
        bool consumed = false;
        session::guarded(w_, [&] { consumed = handleTerminalKey(w_, key); });
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
    : QMainWindow(parent), ui(std::make_unique<Ui::frmTevoHadraConfig>()),
      logStamps(std::make_unique<session::LogStamps>()), options_(std::move(options))
{
    registerImages();
    ui->setupUi(this);
    ui->txtTerm->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    statusPanels_ = std::make_unique<StatusPanels>(ui->sbrTerminal);
    createControlArrays();

    MSComm1 = new session::MSComm(this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
    if (!options_.demoSerialDevice.isEmpty())
        MSComm1->setDevices(QStringList{options_.demoSerialDevice} + MSComm1->devices());

    createTimers();
    transfer_ = new forms::ConfigurationTransfer(*this);
    monitors_ = new monitor::Monitors(*this);
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
    disconnectAddressGuards(*this);
}

namespace {

template <typename T, std::size_t N> T *element(const std::array<T *, N> &elements, int index)
{
    return index >= 0 && std::size_t(index) < N ? elements[std::size_t(index)] : nullptr;
}

} // namespace

QComboBox *frmTevoHadraConfig::cmboNetmask(int index) const
{
    return element(std::array{ui->cmboNetmask_0, ui->cmboNetmask_1, ui->cmboNetmask_2, ui->cmboNetmask_3},
                   index);
}

QLabel *frmTevoHadraConfig::lblStringNetmask(int index) const
{
    return element(std::array{ui->lblStringNetmask_0, ui->lblStringNetmask_1, ui->lblStringNetmask_2,
                              ui->lblStringNetmask_3},
                   index);
}

QCheckBox *frmTevoHadraConfig::chkRoutingMode(int index) const
{
    return element(std::array{ui->chkRoutingMode_0, ui->chkRoutingMode_1, ui->chkRoutingMode_2}, index);
}

QLineEdit *frmTevoHadraConfig::txtPassword(int index) const
{
    return element(std::array<QLineEdit *, 3>{nullptr, ui->txtPassword_1, ui->txtPassword_2}, index);
}

linkset::StripChart *frmTevoHadraConfig::iStripChartX1(int index) const
{
    return element(std::array{ui->iStripChartX1_0, ui->iStripChartX1_1}, index);
}

QLabel *frmTevoHadraConfig::Label12(int index) const
{
    return element(std::array{ui->Label12_0, ui->Label12_1, ui->Label12_2, ui->Label12_3, ui->Label12_4,
                              ui->Label12_5, ui->Label12_6, ui->Label12_7, ui->Label12_8, ui->Label12_9,
                              ui->Label12_10, ui->Label12_11},
                   index);
}

QLabel *frmTevoHadraConfig::lblStations(int index) const
{
    return index >= 0 && index < lblStationsElements.size() ? lblStationsElements[index] : nullptr;
}

QButtonGroup *frmTevoHadraConfig::optionGroup(const QString &array) const
{
    return optionGroups_.value(array);
}

QRadioButton *frmTevoHadraConfig::option(const QString &array, int index) const
{
    const QButtonGroup *group = optionGroups_.value(array);
    return group ? qobject_cast<QRadioButton *>(group->button(index)) : nullptr;
}

// Option buttons named "<array>_<index>" join the button group of their array.
void frmTevoHadraConfig::createControlArrays()
{
    static const QRegularExpression elementName(QStringLiteral("^(\\w+)_(\\d+)$"));
    for (QRadioButton *option : findChildren<QRadioButton *>()) {
        const QRegularExpressionMatch match = elementName.match(option->objectName());
        if (!match.hasMatch())
            continue;
        QButtonGroup *&group = optionGroups_[match.captured(1)];
        if (!group) {
            group = new QButtonGroup(this);
            group->setObjectName(match.captured(1));
        }
        group->addButton(option, match.captured(2).toInt());
    }
    lblStationsElements = {ui->lblStations_0};
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

void frmTevoHadraConfig::setLoginPrompt(session::LoginPrompt *prompt)
{
    loginPrompt_ = prompt ? prompt : &dialogLoginPrompt_;
}

void frmTevoHadraConfig::setUrlOpener(platform::UrlOpener *opener)
{
    urlOpener_ = opener ? opener : &desktopUrlOpener_;
}

void frmTevoHadraConfig::createTimers()
{
    tmrSerialRead = makeTimer(this, "tmrSerialRead", 5);
    tmrSerialStatus = makeTimer(this, "tmrSerialStatus", 10);
    tmrSerialTimer = makeTimer(this, "tmrSerialTimer", 1000);
    tmrStatusMessages = makeTimer(this, "tmrStatusMessages", 2000);
    tmrKeepAlive = makeTimer(this, "tmrKeepAlive", 55000);
    tmrRSSI = makeTimer(this, "tmrRSSI", 1000);
    tmrBeeper = makeTimer(this, "tmrBeeper", 2000);
    tmrPacketStats = makeTimer(this, "tmrPacketStats", 1000);
    tmrDataLogging = makeTimer(this, "tmrDataLogging", 0); // set when logging starts
    tmrOrigConfig = makeTimer(this, "tmrOrigConfig", 25);
    tmrCompareUpdates = makeTimer(this, "tmrCompareUpdates", 25);
    tmrSlowImport = makeTimer(this, "tmrSlowImport", 20);

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
    onTriggered(ui->mnuWindowUseForms, [this] {
        // What was typed in the terminal view may have changed the unit: read it again.
        const bool retrieve = (telnetConnected() || serialOpen()) && blnTerminalTyped;
        useFormsView(*this);
        if (retrieve)
            transfer_->StartRetrieval();
    });
    // The file commands: configuration files in the forms view, the communications log in the
    // terminal view.
    const auto load = [this] {
        if (blnFormsView)
            forms::ImportConfiguration(*this);
        else
            openCommunicationsLog(*this);
    };
    const auto save = [this] {
        if (blnFormsView)
            forms::SaveConfiguration(*this);
        else if (communicationsLog)
            CloseLogFile();
    };
    onTriggered(ui->mnuFileLoad, load);
    onTriggered(tlbrMainButton(QStringLiteral("Import")), load);
    onTriggered(ui->mnuFileSave, save);
    onTriggered(tlbrMainButton(QStringLiteral("Save")), save);

    onTriggered(ui->mnuDeviceRetrieveConfig, [this] { retrieveConfiguration(*this, *transfer_, false); });
    onTriggered(tlbrMainButton(QStringLiteral("RefreshConfig")),
                [this] { retrieveConfiguration(*this, *transfer_, true); });
    onTriggered(ui->mnuDeviceUpdateConfig, [this] { startUpdate(*this, *transfer_, false); });
    onTriggered(tlbrMainButton(QStringLiteral("UpdateConfig")),
                [this] { startUpdate(*this, *transfer_, true); });
    onTriggered(tlbrMainButton(QStringLiteral("RadioEnable")), [this] { forms::toggleRadio(*this); });
    onTriggered(ui->mnuDeviceRouteTableFlush, [this] { forms::flushRoutingTable(*this); });
    onTriggered(ui->mnuDeviceRouteTableErase, [this] { forms::eraseRoutingTable(*this); });
    onTriggered(ui->mnuDeviceReboot, [this] { forms::rebootDevice(*this); });
    onTriggered(ui->mnuDeviceLoadFactory, [this] { forms::loadFactoryDefaults(*this); });
    // The Device menu's radio entries do nothing: the toolbar's radio switch is the command.
    const auto onClicked = [this](QAbstractButton *button, void (*command)(frmTevoHadraConfig &)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, command] { session::guarded(*this, [this, command] { command(*this); }); });
    };
    onClicked(ui->cmdFlushArpTable, forms::flushArpTable);
    onClicked(ui->cmdFlushRoutingTable, forms::flushRoutingTable);
    onClicked(ui->cmdEraseRoutingTable, forms::eraseRoutingTable);
    onClicked(ui->cmdReboot, forms::rebootDevice);
    onClicked(ui->cmdLoadDefaults, forms::loadFactoryDefaults);
    onClicked(ui->cmdResetPassword, forms::resetPassword);
    onClicked(ui->cmdPasswordClear, forms::clearPasswordFields);
    onTriggered(ui->mnuAbout, [this] {
        frmAbout about(messageBoxes(), this);
        about.exec();
    });
    onTriggered(ui->mnuFileExit, [this] { close(); });
    onTriggered(tlbrMainButton(QStringLiteral("Exit")), [this] { close(); });

    ui->txtTerm->installEventFilter(new TerminalKeys(*this));

    connect(ui->txtQDVVersion, &QLineEdit::textChanged, this,
            [this] { session::guarded(*this, [this] { adaptToModel(*this); }); });
    connectRadioSettings(*this);
    connectOptionRules(*this);
    connectListEditors(*this);
    connectFieldValidation(*this);
    connectAddressGuards(*this);
    connectBackupCommands(*this);
    connectMonitoringRate(*this);
    addTimesInUtcEntry(*this);
    monitor::addExportCommands(*this);
    session::addLogStampMenu(*this);
    for (QComboBox *window : {ui->cmbHistoryHrs, ui->cmbHistoryMins})
        connect(window, &QComboBox::currentIndexChanged, this,
                [this] { session::guarded(*this, [this] { monitor::applyTimeWindow(*this); }); });
}

void frmTevoHadraConfig::startUp()
{
    runStartUp(*this);
    if (!options_.demoSerialDevice.isEmpty())
        MSComm1->setCommPort(1);
    session::applyCommandStates(*this, false);
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

void frmTevoHadraConfig::SetupDiagnostics()
{
    monitor::SetupDiagnostics(*this);
}

void frmTevoHadraConfig::UpdatePERDisplays(int stationIndex, double rate)
{
    monitor::UpdatePERDisplays(*this, stationIndex, rate);
}

void frmTevoHadraConfig::UpdateRSSIHistory()
{
    monitor::UpdateRSSIHistory(*this);
}

void frmTevoHadraConfig::EnableRIPOptions(bool state)
{
    ::EnableRIPOptions(*this, state);
}

void frmTevoHadraConfig::EnableOSPFFrame(bool state)
{
    ::EnableOSPFFrame(*this, state);
}

void frmTevoHadraConfig::EnableRSSIOptions(bool flag)
{
    ::EnableRSSIOptions(*this, flag);
}
