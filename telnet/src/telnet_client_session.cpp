// TelnetClient: opening and closing the connection, socket notifications and frozen
// events, the blocking switch, and the data transfers.
#include "control_error.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <new>

namespace wiretalk {

namespace {

constexpr int kLongestTerminal = 30;
constexpr int kLargestInteger = std::numeric_limits<short>::max();

} // namespace

short TelnetClient::Connect()
{
    startNetworkOrRaise();
    if (m_handle != -1) {
        TelnetSetLastError(kErrInProgress);
        return ReportError();
    }
    const QByteArray host = (!m_hostAddress.isEmpty() ? m_hostAddress : m_hostName).toLatin1();
    m_state = StateConnecting;
    const int handle =
        m_blocking ? TelnetConnect(host.constData(), m_remotePort, m_timeout, nullptr, 0)
                   : TelnetConnect(host.constData(), m_remotePort, m_timeout, m_window, kSocketNotifyMessage);
    if (handle == -1) {
        m_state = StateIdle;
        return ReportError();
    }
    m_handle = handle;
    TelnetSetOption(handle, kOptionLocalEcho, m_localEcho);
    TelnetSetOption(handle, kOptionBinary, m_binary);
    if (m_blocking)
        completeConnection();
    return 0;
}

void TelnetClient::completeConnection()
{
    m_state = StateConnected;
    m_connected = true;
    TelnetSetTerminal(m_handle, m_terminal.left(kLongestTerminal).toLatin1().constData());
    emit TelnetClientEvents::Connect();
}

short TelnetClient::Disconnect()
{
    if (m_handle == -1)
        return 0;
    m_state = StateDisconnecting;
    TelnetClose(m_handle);
    // Notifications of the closed socket still queued must not reach a later session.
    QCoreApplication::removePostedEvents(m_window, static_cast<int>(kSocketNotifyMessage));
    m_isClosed = false;
    m_connected = false;
    m_handle = -1;
    m_state = StateIdle;
    return 0;
}

void TelnetClient::OnSocketNotify(int socket, std::uint32_t lParam)
{
    if (m_handle == -1 || m_blocking || socket != TelnetGetSocket(m_handle))
        return;
    const unsigned kind = lParam & 0xFFFFu;
    const unsigned error = lParam >> 16;
    if (m_eventsFrozen) {
        m_pendingEvents |= kind;
        m_pendingError = error;
        return;
    }
    switch (kind) {
    case FD_READ:
        if (const int buffered = TelnetFillBuffer(m_handle); buffered > 0) {
            short dataLength = static_cast<short>(std::min(buffered, kLargestInteger));
            emit TelnetClientEvents::Read(dataLength);
        }
        break;
    case FD_WRITE:
        TelnetFlush(m_handle); // nothing queued is the usual case; its code is of no use
        emit TelnetClientEvents::Write();
        break;
    case FD_CONNECT:
        if (error <= 10000) {
            completeConnection();
        } else {
            Disconnect();
            TelnetSetLastError(kErrConnectFailed);
            ReportError();
        }
        break;
    case FD_CLOSE:
        m_isClosed = true;
        emit TelnetClientEvents::Disconnect();
        break;
    default:
        break;
    }
}

void TelnetClient::FreezeEvents(bool freeze)
{
    m_eventsFrozen = freeze;
    if (freeze)
        return;
    if (m_handle != -1 && !m_blocking && m_pendingEvents != 0) {
        SocketSetLastError(static_cast<int>(m_pendingError));
        const int socket = TelnetGetSocket(m_handle);
        for (const long kind : {FD_CONNECT, FD_READ, FD_WRITE, FD_CLOSE}) {
            if (m_pendingEvents & static_cast<unsigned>(kind))
                NotifyWindow::PostNotify(m_window, kSocketNotifyMessage, socket,
                                         MakeSelectReply(static_cast<unsigned>(kind), m_pendingError));
        }
    }
    m_pendingEvents = 0;
    m_pendingError = 0;
}

void TelnetClient::setBlocking(bool value)
{
    // The hidden window exists from construction, so asynchronous mode always has one.
    m_blocking = value;
    m_modified = true;
    if (m_handle == -1)
        return;
    const int switched = value ? TelnetSetNotify(m_handle, nullptr, 0)
                               : TelnetSetNotify(m_handle, m_window, kSocketNotifyMessage);
    if (!switched)
        reportAndRaise();
}

void TelnetClient::setTimeout(short value)
{
    m_timeout = ClampedTimeout(value);
    m_modified = true;
    if (m_handle != -1 && TelnetSetTimeout(m_handle, m_timeout) != 0)
        ReportError();
}

short TelnetClient::readInto(char *destination, short length)
{
    m_state = StateReading;
    const int count = TelnetRead(m_handle, destination, length);
    m_state = StateConnected;
    if (count == -1) {
        m_recvLen = 0;
        return -1;
    }
    m_recvLen = static_cast<short>(count);
    if (count == 0 && !m_isClosed && TelnetIsClosed(m_handle)) {
        m_isClosed = true;
        if (!m_blocking)
            emit TelnetClientEvents::Disconnect();
    }
    return static_cast<short>(count);
}

short TelnetClient::writeFrom(const char *source, short length)
{
    m_state = StateWriting;
    const int count = TelnetWrite(m_handle, source, length);
    m_state = StateConnected;
    if (count == -1) {
        m_sendLen = 0;
        return -1;
    }
    m_sendLen = static_cast<short>(count);
    return static_cast<short>(count);
}

short TelnetClient::Read(QString &Buffer, short Length)
{
    if (Length == 0) {
        Buffer.clear();
        return 0;
    }
    if (Length < 0)
        Raise(kCtlOutOfMemory); // no buffer of that size can be made
    QByteArray bytes;
    try {
        bytes.resize(Length);
    } catch (const std::bad_alloc &) {
        Raise(kCtlOutOfMemory);
    }
    const short count = readInto(bytes.data(), Length);
    try {
        Buffer = count > 0 ? QString::fromLatin1(bytes.constData(), count) : QString();
    } catch (const std::bad_alloc &) {
        Raise(kCtlOutOfMemory); // the bytes were read, but cannot be handed over
    }
    return count;
}

short TelnetClient::Write(const QString &Buffer, short Length)
{
    const auto count = static_cast<short>(std::min<qsizetype>(Length, Buffer.size()));
    if (count <= 0)
        return 0;
    QByteArray bytes;
    try {
        bytes = QStringView(Buffer).left(count).toLatin1();
    } catch (const std::bad_alloc &) {
        Raise(kCtlOutOfMemory);
    }
    return writeFrom(bytes.constData(), count);
}

QString TelnetClient::RecvData()
{
    requireRunTime();
    QString buffer;
    if (Read(buffer, m_recvLen) == -1)
        reportAndRaise();
    return buffer;
}

void TelnetClient::setSendData(const QString &value)
{
    const qsizetype bytes = value.toLatin1().size();
    if (bytes < m_sendLen)
        m_sendLen = static_cast<short>(bytes);
    if (Write(value, m_sendLen) == -1)
        reportAndRaise();
}

short TelnetClient::transferLength(qsizetype size, std::optional<int> length) const
{
    if (length && (*length < std::numeric_limits<short>::min() || *length > kLargestInteger))
        Raise(kCtlOverflow);
    qsizetype count = size;
    if (length && *length >= 0 && *length <= size)
        count = *length;
    return static_cast<short>(std::min<qsizetype>(count, kLargestInteger));
}

short TelnetClient::ReadBytes(QByteArray &Value, std::optional<int> Length)
{
    if (Value.isNull())
        Raise(kCtlInvalidProcedureCall);
    const short count = transferLength(Value.size(), Length);
    return count == 0 ? 0 : readInto(Value.data(), count);
}

short TelnetClient::WriteBytes(const QByteArray &Value, std::optional<int> Length)
{
    if (Value.isNull())
        Raise(kCtlInvalidProcedureCall);
    const short count = transferLength(Value.size(), Length);
    return count == 0 ? 0 : writeFrom(Value.constData(), count);
}

short TelnetClient::RecvNext()
{
    requireRunTime();
    if (m_handle == -1)
        return 0;
    const int buffered = TelnetGetRecvCount(m_handle);
    if (buffered > 0)
        return static_cast<short>(std::min(buffered, kLargestInteger));
    const int socket = TelnetGetSocket(m_handle);
    unsigned long pending = 0;
    if (socket == -1 || SocketIoctl(socket, kFionread, &pending) != 0) {
        if (socket != -1)
            TelnetSetLastError(kErrReadFailed); // a lost session keeps its 27505
        reportAndRaise();
        return 0;
    }
    return static_cast<short>(std::min<unsigned long>(pending, kLargestInteger));
}

} // namespace wiretalk
