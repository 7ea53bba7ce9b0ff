#pragma once
// The main window: owns every control, the telnet and serial controls, the timers and the
// session state. Its behaviour lives by subsystem in session/ (exchange, receive path and
// login, connections, errors) and ui/ (views, dialogs); the public routines here keep
// their well-known names and delegate.
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "ui/start_options.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QFile;
class QLabel;
class QRadioButton;
class QTimer;

namespace Ui {
class frmTevoHadraConfig;
}
namespace session {
class MSComm;
}
namespace wiretalk {
class TelnetClient;
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
    QComboBox *cmboNetmask(int index) const;
    QLabel *lblStringNetmask(int index) const;
    QRadioButton *optRadioType(int index) const;
    QButtonGroup *optRadioTypeGroup = nullptr;
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
    // The telnet receive path is waiting for the rest of a split list block.
    bool completingSplitBlock = false;
    // The communications log of the terminal view; null when none is open.
    std::unique_ptr<QFile> communicationsLog;

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

    // True while a transport is open.
    bool telnetConnected() const;
    bool serialOpen() const;

    // ---- Seams ----
    platform::MessageBoxes &messageBoxes() const { return *messageBoxes_; }
    void setMessageBoxes(platform::MessageBoxes *boxes);
    platform::FileDialogs &fileDialogs() const { return *fileDialogs_; }
    void setFileDialogs(platform::FileDialogs *dialogs);
    const StartOptions &startOptions() const { return options_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createTimers();
    void createTelnetControl();
    void connectCommands();
    void startUp();

    StartOptions options_;
    std::unique_ptr<StatusPanels> statusPanels_;
    platform::QtMessageBoxes qtMessageBoxes_;
    platform::QtFileDialogs qtFileDialogs_;
    platform::MessageBoxes *messageBoxes_ = &qtMessageBoxes_;
    platform::FileDialogs *fileDialogs_ = &qtFileDialogs_;
};
