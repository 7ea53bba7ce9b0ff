#include "session/mscomm.h"

#include "platform/settings_store.h"
#include "session/port_open_failure.h"
#include "session/serial_error.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace session {

namespace {

QSerialPort::Parity parityFor(QChar letter)
{
    switch (letter.toLatin1()) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

void requireOpen(const QSerialPort &port)
{
    if (!port.isOpen())
        throw SerialError(SerialError::PortNotOpen,
                          QStringLiteral("Operation valid only when the port is open"));
}

} // namespace

MSComm::MSComm(QObject *parent) : QObject(parent), devices_(defaultDevices())
{
    connect(&port_, &QSerialPort::readyRead, this, [this] { raise(comEvReceive); });
    connect(&port_, &QSerialPort::bytesWritten, this, [this] { raise(comEvSend); });
    connect(&port_, &QSerialPort::errorOccurred, this, &MSComm::onError);
}

MSComm::~MSComm() = default;

QStringList MSComm::defaultDevices()
{
    const QString configured = platform::loadSetting(QStringLiteral("CommDevices"));
    if (!configured.trimmed().isEmpty()) {
        QStringList devices;
        for (const QString &device : configured.split(QLatin1Char(','), Qt::SkipEmptyParts))
            devices << device.trimmed();
        return devices;
    }
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    std::sort(devices.begin(), devices.end());
    return devices;
}

QString MSComm::devicePath(int port) const
{
    if (port < 1 || port > devices_.size())
        return QString();
    return devices_.at(port - 1);
}

void MSComm::setCommPort(int port)
{
    if (port_.isOpen())
        throw SerialError(SerialError::PortAlreadyOpen, QStringLiteral("Port already open"));
    if (port < 1 || port > kHighestPort)
        throw SerialError(
            SerialError::InvalidPortNumber,
            QStringLiteral("Invalid port number: %1 (ports are 1 to %2)").arg(port).arg(kHighestPort));
    if (port > devices_.size())
        throw SerialError(SerialError::InvalidPortNumber,
                          QStringLiteral("Invalid port number: Com%1 has no serial device on this system "
                                         "(%2 found)")
                              .arg(port)
                              .arg(devices_.size()));
    commPort_ = port;
}

void MSComm::setSettings(const QString &text)
{
    settings_ = parseSerialSettings(text);
    if (port_.isOpen())
        applyLineSettings();
}

void MSComm::setHandshaking(int handshaking)
{
    const QSerialPort::FlowControl flow = flowControlFor(handshaking);
    handshaking_ = handshaking;
    if (port_.isOpen())
        port_.setFlowControl(flow);
}

void MSComm::applyLineSettings()
{
    port_.setBaudRate(settings_.speed);
    port_.setParity(parityFor(settings_.parity));
    port_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits));
    port_.setStopBits(settings_.stopBits == QLatin1String("2") ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(flowControlFor(handshaking_));
}

void MSComm::setPortOpen(bool open)
{
    if (!open) {
        if (port_.isOpen()) {
            // What was queued last (the "Exit" that ends a session) still goes out.
            if (port_.bytesToWrite() > 0)
                port_.waitForBytesWritten(1000);
            port_.close();
        }
        return;
    }
    if (port_.isOpen())
        throw SerialError(SerialError::PortAlreadyOpen, QStringLiteral("Port already open"));
    const QString device = devicePath(commPort_);
    port_.setPortName(device);
    if (device.isEmpty() || !port_.open(QIODevice::ReadWrite)) {
        const PortFailure failure =
            classifyPortFailure(device, port_.error() == QSerialPort::DeviceNotFoundError,
                                port_.error() == QSerialPort::PermissionError, port_.errorString());
        port_.clearError();
        throw SerialError(SerialError::PortUnavailable, portFailureMessage(failure));
    }
    applyLineSettings();
    inputLen_ = 0;
}

int MSComm::InBufferCount() const
{
    return port_.isOpen() ? static_cast<int>(std::min<qint64>(port_.bytesAvailable(), 32767)) : 0;
}

QByteArray MSComm::Input()
{
    requireOpen(port_);
    return inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll();
}

void MSComm::Output(const QByteArray &bytes)
{
    requireOpen(port_);
    port_.write(bytes);
}

int MSComm::OutBufferCount() const
{
    return port_.isOpen() ? static_cast<int>(std::min<qint64>(port_.bytesToWrite(), 32767)) : 0;
}

void MSComm::raise(int code)
{
    commEvent_ = code;
    emit OnComm();
}

void MSComm::onError(QSerialPort::SerialPortError error)
{
    // A read or resource error on an open port means the device went away (an adapter
    // unplugged, the far end of a pseudo-terminal closed): the port cannot be used again.
    if (!port_.isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    const QString reason = port_.errorString();
    port_.clearError();
    port_.close();
    emit portLost(reason);
}

} // namespace session
