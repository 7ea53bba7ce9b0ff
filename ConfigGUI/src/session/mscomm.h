#pragma once
// MSComm: the serial port control of the main window, on QSerialPort. Port numbers 1 to
// 16 name entries of a device list (the "CommDevices" setting, else the serial devices the
// system reports). Settings, Handshaking and CommPort are checked when assigned; opening
// the port reports why it failed. Events reach the owner through OnComm, with CommEvent
// telling which: 1 send, 2 receive. The platform reports no parity, framing or break
// errors and no line changes, so those codes are never raised.
#include "session/serial_settings.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QStringList>

namespace session {

class MSComm : public QObject
{
    Q_OBJECT
public:
    enum CommEventCode
    {
        comEvSend = 1,
        comEvReceive = 2
    };

    // Port numbers run from 1 to this.
    static constexpr int kHighestPort = 16;

    explicit MSComm(QObject *parent = nullptr);
    ~MSComm() override;

    // The devices behind "Com1", "Com2", ...
    void setDevices(const QStringList &devices) { devices_ = devices; }
    const QStringList &devices() const { return devices_; }
    QString devicePath(int port) const;
    // "CommDevices" (comma-separated paths) when set, else the system's serial devices.
    static QStringList defaultDevices();

    int CommPort() const { return commPort_; }
    void setCommPort(int port);

    QString Settings() const { return formatSerialSettings(settings_); }
    void setSettings(const QString &text);

    int Handshaking() const { return handshaking_; }
    void setHandshaking(int handshaking);

    bool PortOpen() const { return port_.isOpen(); }
    void setPortOpen(bool open);

    int InBufferCount() const;
    int InputLen() const { return inputLen_; }
    void setInputLen(int length) { inputLen_ = length; }
    // Removes and returns up to InputLen waiting bytes (all when InputLen is 0).
    QByteArray Input();
    // Queues the bytes for sending and returns at once.
    void Output(const QByteArray &bytes);
    int OutBufferCount() const;

    int CommEvent() const { return commEvent_; }

signals:
    void OnComm();
    // The open port failed under the program (the device went away). The port is closed.
    void portLost(const QString &reason);

private:
    void raise(int code);
    void applyLineSettings();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QStringList devices_;
    int commPort_ = 1;
    SerialLineSettings settings_;
    int handshaking_ = 0;
    int inputLen_ = 0;
    int commEvent_ = 0;
};

} // namespace session
