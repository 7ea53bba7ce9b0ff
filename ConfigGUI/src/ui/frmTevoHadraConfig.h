#pragma once
// The main window: owns every control, the telnet and serial controls, the timers and the
// session state. Its behaviour lives by subsystem in session/ (exchange, receive path and
// login, connections, errors, terminal view), forms/ (reply grammar, record reading,
// transfer, files, model adaptation, option rules), monitor/ (the diagnostics displays),
// dialogs/ (the leaf windows) and ui/ (the window, its commands, start-up); the public
// routines here keep their well-known names and delegate.
#include "monitor/station_table.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "session/login_prompt.h"
#include "platform/url_opener.h"
#include "ui/start_options.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFile;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;

namespace Ui {
class frmTevoHadraConfig;
}
namespace session {
class LogStamps;
class MSComm;
}
namespace forms {
class ConfigurationTransfer;
}
namespace wiretalk {
class TelnetClient;
}
namespace linkset {
class StripChart;
}
namespace monitor {
class Monitors;
}

class frmConnectAnimation;
class StatusPanels;

class frmTevoHadraConfig : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmTevoHadraConfig(StartOptions options = {}, QWidget *parent = nullptr);
    ~frmTevoHadraConfig() override;

    // ---- Controls ----
    std::unique_ptr<Ui::frmTevoHadraConfig> ui;
    // Control arrays: the element of an index, or null for an index the array does not have.
    QComboBox *cmboNetmask(int index) const;
    QLabel *lblStringNetmask(int index) const;
    QCheckBox *chkRoutingMode(int index) const;
    QLineEdit *txtPassword(int index) const;
    linkset::StripChart *iStripChartX1(int index) const;
    QLabel *Label12(int index) const;
    // The station labels under the LED columns: element 0 is designed, the others are made
    // by SetupDiagnostics and unloaded by the display reset.
    QLabel *lblStations(int index) const;
    QList<QLabel *> lblStationsElements;
    // Option-button arrays sit in button groups whose ids are the indexes.
    QButtonGroup *optionGroup(const QString &array) const;
    QRadioButton *option(const QString &array, int index) const;
    QRadioButton *optRadioType(int index) const { return option(QStringLiteral("optRadioType"), index); }
    QRadioButton *optForwardingMode(int index) const
    {
        return option(QStringLiteral("optForwardingMode"), index);
    }
    // A toolbar button of tlbrMain by its key ("Telnet", "Serial", "Disconnect", ...).
    QAction *tlbrMainButton(const QString &key) const;
    StatusPanels &sbrTerminal() const { return *statusPanels_; }

    session::MSComm *MSComm1 = nullptr;
    // Created from its ProgID; null when the telnet control could not be created.
    wiretalk::TelnetClient *TelnetClient1 = nullptr;
    QPointer<frmConnectAnimation> connectAnimation;

    QTimer *tmrSerialRead = nullptr;
    QTimer *tmrSerialStatus = nullptr;
    QTimer *tmrSerialTimer = nullptr;
    QTimer *tmrStatusMessages = nullptr;
    QTimer *tmrKeepAlive = nullptr;
    QTimer *tmrRSSI = nullptr;
    QTimer *tmrBeeper = nullptr;
    QTimer *tmrPacketStats = nullptr;
    QTimer *tmrDataLogging = nullptr;
    QTimer *tmrOrigConfig = nullptr;
    QTimer *tmrCompareUpdates = nullptr;
    QTimer *tmrSlowImport = nullptr;

    // ---- Session state ----
    bool bGotPrompt = false;
    bool bEnableOnCommReceiveEvents = false;
    QString strCommBuffer;
    bool bInitialConnect = false;
    bool blnAnimationShowing = false;
    bool blnShownUsernameForm = false;
    bool blnShouldConnect = false;
    bool blnFormsView = true;
    bool blnTerminalTyped = false;
    bool blnKeepAliveWrite = false;
    QString strUserName;
    QString strPassword;
    QDateTime dtConnectStart;
    qint16 intKeepAliveCount = 0;
    // A command exchange is waiting for its prompt (exchanges do not nest).
    bool exchangeInProgress = false;
    // The telnet receive path is gathering the rest of a list block split across reads...
    bool completingSplitBlock = false;
    // ...for at most this long (the command exchange's time-out).
    double listBlockSeconds = 20;
    // The communications log of the terminal view; null when none is open.
    std::unique_ptr<QFile> communicationsLog;
    // The time stamps of its lines, when chosen.
    std::unique_ptr<session::LogStamps> logStamps;

    // ---- Configuration and monitoring state ----
    // The monitoring rate in seconds: "5", "30" or "60".
    QString strStatsSpeed;
    // The last accepted signal-strength threshold; empty until one is known.
    std::optional<QString> mvntRSSIThreshold;
    // The password the next update writes: empty for no change, "None" for no password.
    QString pendingNewPassword;
    // The caption of the progress window while a configuration is read.
    QString strStatusText;
    // The colours of the per-station traces, by (station number - 1) mod 10.
    std::array<QColor, 10> stationColours;
    // One column per station: the data of the packet-loss chart.
    monitor::StationTable StationChartTable;
    // A PER block's start line has opened an update of the PER strip chart.
    bool perBlockOpen = false;

    // ---- Public routines ----
    void DisconnectActiveDevice();
    void TelnetClient1_Disconnect();
    void ConnectTelnet();
    void ConnectSerial();
    void SerialPortClosed();
    void StartConnectTimer();
    void StopConnectTimer();
    void ShowReceiveActivity();
    void LoadSerialSettings();
    void CloseLogFile();
    void SetupDiagnostics();
    void UpdatePERDisplays(int stationIndex, double rate);
    void UpdateRSSIHistory();
    void EnableRIPOptions(bool state);
    void EnableOSPFFrame(bool state);
    void EnableRSSIOptions(bool flag);

    // True while a transport is open.
    bool telnetConnected() const;
    bool serialOpen() const;

    // ---- Seams ----
    platform::MessageBoxes &messageBoxes() const { return *messageBoxes_; }
    void setMessageBoxes(platform::MessageBoxes *boxes);
    platform::FileDialogs &fileDialogs() const { return *fileDialogs_; }
    void setFileDialogs(platform::FileDialogs *dialogs);
    session::LoginPrompt &loginPrompt() const { return *loginPrompt_; }
    void setLoginPrompt(session::LoginPrompt *prompt);
    platform::UrlOpener &urlOpener() const { return *urlOpener_; }
    void setUrlOpener(platform::UrlOpener *opener);
    const StartOptions &startOptions() const { return options_; }

    // Retrieval, update and validation of the unit's configuration.
    forms::ConfigurationTransfer &configurationTransfer() const { return *transfer_; }
    // The statistics, signal-strength and packet-error monitors and the link log.
    monitor::Monitors &monitors() const { return *monitors_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControlArrays();
    void createTimers();
    void createTelnetControl();
    void connectCommands();
    void startUp();

    StartOptions options_;
    QHash<QString, QButtonGroup *> optionGroups_;
    std::unique_ptr<StatusPanels> statusPanels_;
    forms::ConfigurationTransfer *transfer_ = nullptr;
    monitor::Monitors *monitors_ = nullptr;
    platform::QtMessageBoxes qtMessageBoxes_;
    platform::QtFileDialogs qtFileDialogs_;
    platform::MessageBoxes *messageBoxes_ = &qtMessageBoxes_;
    platform::FileDialogs *fileDialogs_ = &qtFileDialogs_;
    session::DialogLoginPrompt dialogLoginPrompt_;
    session::LoginPrompt *loginPrompt_ = &dialogLoginPrompt_;
    platform::DesktopUrlOpener desktopUrlOpener_;
    platform::UrlOpener *urlOpener_ = &desktopUrlOpener_;
};
