// TelnetClient: construction, the plain properties, network start-up, error reports,
// design-time rules, trace properties, reset and the about box.
#include "control_error.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <QApplication>
#include <QMessageBox>

namespace wiretalk {

namespace {

constexpr int kLongestLibraryName = 126;

// Whether the session's socket is ready at once; never tested during a blocking call.
bool readyNow(int handle, bool forWrite)
{
    return handle != -1 && SocketIsBlocking() == 0 && SocketWait(TelnetGetSocket(handle), forWrite, -1) == 1;
}

} // namespace

TelnetClient::TelnetClient(QObject *parent) : TelnetClientEvents(parent)
{
    // The hidden window that receives socket notifications lives as long as the control.
    m_window = new NotifyWindow(
        [this](unsigned message, int socket, std::uint32_t lParam) {
            if (message == kSocketNotifyMessage)
                OnSocketNotify(socket, lParam);
        },
        this);
    ControlCreated();
}

TelnetClient::~TelnetClient()
{
    if (m_handle != -1)
        TelnetClose(m_handle);
    if (m_networkStarted)
        SocketRelease();
    ControlDestroyed();
}

void TelnetClient::requireRunTime() const
{
    if (!m_userMode)
        Raise(kCtlGetNotSupported);
}

bool TelnetClient::InitNetwork()
{
    if (!m_userMode || m_networkStarted)
        return true;
    const QByteArray name = m_library.left(kLongestLibraryName).toLocal8Bit();
    WSAData data{};
    if (SocketStartup(name.isEmpty() ? nullptr : name.constData(), 0x0101, &data) != 0)
        return false;
    m_library = QString::fromLocal8Bit(SocketLibraryPath()).left(kLongestLibraryName);
    m_vendor = QString::fromLatin1(data.szDescription);
    m_version = QStringLiteral("%1.%2").arg(data.wHighVersion & 0xFF).arg(data.wHighVersion >> 8);
    m_networkStarted = true;
    return true;
}

void TelnetClient::startNetworkOrRaise()
{
    if (!InitNetwork())
        Raise(kCtlDeviceUnavailable);
}

short TelnetClient::ReportError()
{
    const int code = TelnetLastError();
    m_lastError = static_cast<short>(code);
    if (code == 0)
        return 0;
    short errorCode = static_cast<short>(code);
    QString errorString = ErrorText(code);
    short response = 1;
    emit TelnetClientEvents::LastError(errorCode, errorString, response);
    m_state = StateConnected;
    return response != 0 ? static_cast<short>(code) : 0;
}

void TelnetClient::reportAndRaise()
{
    if (const short code = ReportError())
        Raise(code);
}

void TelnetClient::setUserMode(bool runTime)
{
    m_userMode = runTime; // invisible at run time: there is nothing to redraw
}

void TelnetClient::ResetState()
{
    if (m_handle != -1)
        TelnetClose(m_handle);
    m_action = 0;
    m_isClosed = false;
    m_connected = false;
    m_localAddress = 0;
    m_recvLen = 0;
    m_sendLen = 0;
    m_state = StateIdle;
    m_handle = -1;
}

void TelnetClient::AboutBox()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return; // no widgets in this process, so nowhere to show a dialog
    QMessageBox::about(
        nullptr, QStringLiteral("About %1").arg(QLatin1String(kTelnetClientTypeName)),
        QStringLiteral("%1\nVersion 3.20 (build 3201)").arg(QLatin1String(kTelnetClientTypeName)));
}

// ---- Plain properties ----

short TelnetClient::Action() const
{
    requireRunTime();
    return m_action;
}

void TelnetClient::setAction(short value)
{
    if (value < 0 || value > 2)
        Raise(kCtlInvalidPropertyValue);
    m_action = value;
    if (value == 1) {
        if (const short code = Connect())
            Raise(code);
    } else if (value == 2) {
        Disconnect();
    }
}

bool TelnetClient::Binary() const
{
    return m_binary;
}

void TelnetClient::setBinary(bool value)
{
    m_binary = value;
    m_modified = true;
}

bool TelnetClient::Blocking() const
{
    return m_blocking;
}

bool TelnetClient::Debug() const
{
    requireRunTime();
    return m_debug;
}

void TelnetClient::setDebug(bool value)
{
    m_debug = value;
    m_modified = true;
}

QString TelnetClient::HostAddress() const
{
    return m_hostAddress;
}

QString TelnetClient::HostName() const
{
    return m_hostName;
}

bool TelnetClient::LocalEcho() const
{
    return m_localEcho;
}

void TelnetClient::setLocalEcho(bool value)
{
    m_localEcho = value;
    m_modified = true;
}

int TelnetClient::RemotePort() const
{
    return m_remotePort;
}

QString TelnetClient::RemoteService() const
{
    return m_remoteService;
}

short TelnetClient::LastError() const
{
    requireRunTime();
    m_lastError = static_cast<short>(TelnetLastError());
    return m_lastError;
}

void TelnetClient::setLastError(short value)
{
    m_lastError = value;
    TelnetSetLastError(value);
}

short TelnetClient::RecvLen() const
{
    requireRunTime();
    return m_recvLen;
}

void TelnetClient::setRecvLen(short value)
{
    m_recvLen = value;
}

short TelnetClient::SendLen() const
{
    requireRunTime();
    return m_sendLen;
}

void TelnetClient::setSendLen(short value)
{
    m_sendLen = value;
}

QString TelnetClient::Terminal() const
{
    return m_terminal;
}

void TelnetClient::setTerminal(const QString &value)
{
    m_terminal = value;
    m_modified = true;
}

bool TelnetClient::AutoResolve() const
{
    return m_autoResolve;
}

void TelnetClient::setAutoResolve(bool value)
{
    m_autoResolve = value;
    m_modified = true;
}

bool TelnetClient::Connected() const
{
    requireRunTime();
    return m_connected;
}

bool TelnetClient::IsBlocked() const
{
    requireRunTime();
    return SocketIsBlocking() != 0;
}

bool TelnetClient::IsClosed() const
{
    requireRunTime();
    return m_isClosed;
}

bool TelnetClient::IsReadable() const
{
    requireRunTime();
    return readyNow(m_handle, false);
}

bool TelnetClient::IsWritable() const
{
    requireRunTime();
    return readyNow(m_handle, true);
}

short TelnetClient::State() const
{
    requireRunTime();
    return m_state;
}

QString TelnetClient::Vendor() const
{
    requireRunTime();
    return m_vendor;
}

QString TelnetClient::Version() const
{
    requireRunTime();
    return m_version;
}

short TelnetClient::Socket() const
{
    requireRunTime();
    return static_cast<short>(m_handle == -1 ? -1 : TelnetGetSocket(m_handle));
}

short TelnetClient::Handle() const
{
    requireRunTime();
    return static_cast<short>(m_handle);
}

QString TelnetClient::Library() const
{
    requireRunTime();
    return m_library;
}

void TelnetClient::setLibrary(const QString &value)
{
    if (m_networkStarted)
        Raise(kCtlSetNotPermitted);
    m_library = value;
}

short TelnetClient::SocketError() const
{
    requireRunTime();
    return static_cast<short>(SocketLastError() + 14000);
}

short TelnetClient::Timeout() const
{
    return m_timeout;
}

// ---- Trace: the component offers none; only the "off" values are accepted ----

bool TelnetClient::Trace() const
{
    requireRunTime();
    return false;
}

void TelnetClient::setTrace(bool value)
{
    if (value)
        Raise(kCtlInvalidPropertyValue);
}

QString TelnetClient::TraceFile() const
{
    requireRunTime();
    return m_traceFile;
}

void TelnetClient::setTraceFile(const QString &value)
{
    m_traceFile = value;
    if (!value.isEmpty())
        Raise(kCtlInvalidPropertyValue);
}

int TelnetClient::TraceFlags() const
{
    requireRunTime();
    return m_traceFlags;
}

void TelnetClient::setTraceFlags(int value)
{
    m_traceFlags = value;
    if (value != 0)
        Raise(kCtlInvalidPropertyValue);
}

} // namespace wiretalk
