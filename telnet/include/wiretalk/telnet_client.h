// TelnetClient: the Wiretalk control. One telnet session wrapped in properties, methods
// and events for a container (a window of the utility, a test, an example program).
//
//  - Properties are getters under their own names (HostAddress()) and setters with a
//    "set" prefix (setHostAddress()); they are also Qt properties.
//  - Events are the signals of the event interface TelnetClientEvents. TelnetClient
//    derives from it, and its methods of the same names (Connect, Read, Write,
//    Disconnect, LastError) hide the signals by name, so connect through the base:
//        QObject::connect(client, &wiretalk::TelnetClientEvents::Read, ...);
//    Arguments passed by reference (ErrorCode, ErrorString, Response, DataLength) reach
//    the handler by direct connection, so a handler's change (Response = 0) is seen.
//  - A raised control error is a thrown ControlError. Methods and setters may throw;
//    callers that run in an event handler catch it there.
//  - In asynchronous mode (Blocking False, the default) the control needs a running Qt
//    event loop on its thread; its events are delivered by that loop.
//
// Creating the control from its ProgID (as a container does) goes through the per-user
// component registry: see CreateTelnetClient at the end.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

class QSettings;
class QWidget;

namespace wiretalk {

class NotifyWindow;

// ---- Class identity ------------------------------------------------------------------

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
    friend bool operator==(const GUID &, const GUID &) = default;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
QString GuidToString(const GUID &guid);

// G0..G4: type library, dispatch interface, event interface, control class, property page.
inline constexpr GUID LIBID_TelnetClientCtrl{
    0x5A3E1C70, 0x8B2D, 0x4F19, {0x9C, 0x6E, 0x2D, 0x7B, 0x41, 0xA0, 0xE5, 0xF3}};
inline constexpr GUID DIID__DTelnetClient{
    0x5A3E1C71, 0x8B2D, 0x4F19, {0x9C, 0x6E, 0x2D, 0x7B, 0x41, 0xA0, 0xE5, 0xF3}};
inline constexpr GUID DIID__DTelnetClientEvents{
    0x5A3E1C72, 0x8B2D, 0x4F19, {0x9C, 0x6E, 0x2D, 0x7B, 0x41, 0xA0, 0xE5, 0xF3}};
inline constexpr GUID CLSID_TelnetClient{
    0x5A3E1C73, 0x8B2D, 0x4F19, {0x9C, 0x6E, 0x2D, 0x7B, 0x41, 0xA0, 0xE5, 0xF3}};
inline constexpr GUID CLSID_TelnetClientPropPage{
    0x5A3E1C74, 0x8B2D, 0x4F19, {0x9C, 0x6E, 0x2D, 0x7B, 0x41, 0xA0, 0xE5, 0xF3}};
// The class-factory interface DllGetClassObject hands out.
inline constexpr GUID IID_IClassFactory{
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

inline constexpr const char *kTelnetClientProgId = "Brixel.TelnetClientCtrl.1";
inline constexpr const char *kTelnetClientTypeName = "Brixel Telnet Client Control";
inline constexpr const char *kTelnetPropPageProgId = "Brixel.TelnetClientPropPage.1";
inline constexpr const char *kTelnetPropPageName = "Brixel Telnet Property Page";

// Message number of the control's socket notifications.
inline constexpr unsigned kSocketNotifyMessage = 2025;

// ---- Raised control errors -------------------------------------------------------------

// A raised control error: number is the error's own number (380, 68, 27510 ...), scode
// the 32-bit status 0x800A0000 plus that number, description its text.
class ControlError : public std::exception
{
public:
    ControlError(int number, QString description);
    int number() const { return m_number; }
    std::uint32_t scode() const { return 0x800A0000u + static_cast<std::uint32_t>(m_number); }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

// Standard control errors the control raises.
enum : int
{
    kCtlInvalidProcedureCall = 5,   // "Invalid procedure call or argument"
    kCtlOverflow = 6,               // "Overflow"
    kCtlOutOfMemory = 7,            // "Out of memory"
    kCtlDeviceUnavailable = 68,     // "Device unavailable"
    kCtlInvalidPropertyValue = 380, // "Invalid property value"
    kCtlSetNotPermitted = 387,      // "Set not permitted"
    kCtlGetNotSupported = 394       // "Get not supported"
};

// ---- Event interface (_DTelnetClientEvents) -------------------------------------------

class TelnetClientEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The connection is complete.
    void Connect();
    // The server closed the connection.
    void Disconnect();
    // The socket became writable, after queued output was flushed.
    void Write();
    // An error report; a handler that sets Response to 0 suppresses the raise.
    void LastError(short &ErrorCode, QString &ErrorString, short &Response);
    // Bytes are waiting; changes to DataLength are ignored.
    void Read(short &DataLength);
};

// ---- The control (_DTelnetClient) -------------------------------------------------------

class TelnetClient : public TelnetClientEvents
{
    Q_OBJECT
    Q_PROPERTY(short Action READ Action WRITE setAction)
    Q_PROPERTY(bool Binary READ Binary WRITE setBinary)
    Q_PROPERTY(bool Blocking READ Blocking WRITE setBlocking)
    Q_PROPERTY(bool Debug READ Debug WRITE setDebug)
    Q_PROPERTY(QString HostAddress READ HostAddress WRITE setHostAddress)
    Q_PROPERTY(QString HostName READ HostName WRITE setHostName)
    Q_PROPERTY(bool LocalEcho READ LocalEcho WRITE setLocalEcho)
    Q_PROPERTY(int RemotePort READ RemotePort WRITE setRemotePort)
    Q_PROPERTY(QString RemoteService READ RemoteService WRITE setRemoteService)
    Q_PROPERTY(short LastError READ LastError WRITE setLastError)
    Q_PROPERTY(short RecvLen READ RecvLen WRITE setRecvLen)
    Q_PROPERTY(short SendLen READ SendLen WRITE setSendLen)
    Q_PROPERTY(QString Terminal READ Terminal WRITE setTerminal)
    Q_PROPERTY(bool AutoResolve READ AutoResolve WRITE setAutoResolve)
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(bool IsBlocked READ IsBlocked)
    Q_PROPERTY(bool IsClosed READ IsClosed)
    Q_PROPERTY(bool IsReadable READ IsReadable)
    Q_PROPERTY(bool IsWritable READ IsWritable)
    Q_PROPERTY(QString LocalAddress READ LocalAddress)
    Q_PROPERTY(QString LocalName READ LocalName)
    Q_PROPERTY(QString RecvData READ RecvData)
    Q_PROPERTY(short State READ State)
    Q_PROPERTY(QString Vendor READ Vendor)
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(short RecvNext READ RecvNext)
    Q_PROPERTY(short Socket READ Socket)
    Q_PROPERTY(short Handle READ Handle)
    Q_PROPERTY(QString Library READ Library WRITE setLibrary)
    Q_PROPERTY(short SocketError READ SocketError)
    Q_PROPERTY(short Timeout READ Timeout WRITE setTimeout)
    Q_PROPERTY(bool Trace READ Trace WRITE setTrace)
    Q_PROPERTY(QString TraceFile READ TraceFile WRITE setTraceFile)
    Q_PROPERTY(int TraceFlags READ TraceFlags WRITE setTraceFlags)

public:
    // State values.
    enum : short
    {
        StateIdle = 0,
        StateConnected = 1,
        StateConnecting = 2,
        StateReading = 3,
        StateWriting = 4,
        StateDisconnecting = 5
    };

    explicit TelnetClient(QObject *parent = nullptr);
    ~TelnetClient() override;

    // -- Properties (getters marked "run" raise 394 at design time) --
    short Action() const;        // run; 1 = Connect, 2 = Disconnect, 0 = nothing
    void setAction(short value); // others raise 380; a failed operation raises its code
    bool Binary() const;
    void setBinary(bool value);
    bool Blocking() const;
    void setBlocking(bool value); // switches an open session's notification
    bool Debug() const;           // run
    void setDebug(bool value);
    QString HostAddress() const;
    void setHostAddress(const QString &value); // not an address: raises 380
    QString HostName() const;
    void setHostName(const QString &value);
    bool LocalEcho() const;
    void setLocalEcho(bool value);
    // The port is an unsigned 16-bit number here: 0..65535 (a negative value -32768..-1
    // stands for its 16-bit two's complement, as an Integer port would); others raise 380.
    int RemotePort() const;
    void setRemotePort(int value);
    QString RemoteService() const;
    void setRemoteService(const QString &value);
    short LastError() const; // run; the thread's engine last error
    void setLastError(short value);
    short RecvLen() const; // run
    void setRecvLen(short value);
    short SendLen() const; // run
    void setSendLen(short value);
    QString Terminal() const;
    void setTerminal(const QString &value);
    bool AutoResolve() const;
    void setAutoResolve(bool value);
    bool Connected() const;                 // run
    bool IsBlocked() const;                 // run
    bool IsClosed() const;                  // run
    bool IsReadable() const;                // run
    bool IsWritable() const;                // run
    QString LocalAddress();                 // run
    QString LocalName();                    // run
    QString RecvData();                     // run; reads RecvLen bytes; failures are raised
    void setSendData(const QString &value); // write-only; sends min(SendLen, length)
    short State() const;                    // run
    QString Vendor() const;                 // run
    QString Version() const;                // run
    short RecvNext();                       // run
    short Socket() const;                   // run
    short Handle() const;                   // run
    QString Library() const;                // run; the full path after start-up
    void setLibrary(const QString &value);  // after start-up raises 387
    short SocketError() const;              // run; socket library error + 14000
    short Timeout() const;
    void setTimeout(short value);            // below 0 or above 600 stored as 600
    bool Trace() const;                      // run; always false
    void setTrace(bool value);               // true raises 380
    QString TraceFile() const;               // run
    void setTraceFile(const QString &value); // non-empty: stored, then raises 380
    int TraceFlags() const;                  // run
    void setTraceFlags(int value);           // non-zero: stored, then raises 380

    // -- Methods --
    // Opens the connection: 0, or the code the error report left standing.
    short Connect();
    // Reads up to Length bytes (one character per byte): the count, or -1.
    short Read(QString &Buffer, short Length);
    // Writes the first Length characters (one byte each): the count, or -1.
    short Write(const QString &Buffer, short Length);
    // Closes the session; sends nothing first. Returns 0.
    short Disconnect();
    // Byte-array transfers. A null QByteArray is not a byte array and raises 5; an empty
    // one transfers nothing. A missing Length means the whole array; a Length below 0 or
    // beyond the array means the whole array; a Length outside -32768..32767 raises 6.
    // The count is at most 32767 (the largest Integer).
    short ReadBytes(QByteArray &Value, std::optional<int> Length = std::nullopt);
    short WriteBytes(const QByteArray &Value, std::optional<int> Length = std::nullopt);
    // Shows the about dialog (modal).
    void AboutBox();
    // Shows the property page (modal): host name, terminal, port, time-out, binary,
    // blocking and local echo. True when the changes were taken with OK.
    bool ShowPropertyPage(QWidget *parent = nullptr);

    // -- Container side --
    // The ambient user mode: true = run time (the default), false = design time.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool runTime);
    // Freezes (true) or unfreezes event delivery; notifications that arrive while frozen
    // are re-posted on unfreezing in the order connect, read, write, close.
    void FreezeEvents(bool freeze);
    // The container's reset-state request: closes any session, clears the run state.
    void ResetState();
    // Property persistence in the fixed order, in the current group of settings. A value
    // missing on load leaves the current one; the addressing is revalidated afterwards.
    void saveProperties(QSettings &settings) const;
    void loadProperties(QSettings &settings);
    // True after a setter changed a persisted property (cleared by saveProperties).
    bool isModified() const { return m_modified; }

private:
    void requireRunTime() const;
    bool InitNetwork();
    void startNetworkOrRaise();
    short ReportError();
    void reportAndRaise();
    void completeConnection();
    void OnSocketNotify(int socket, std::uint32_t lParam);
    short readInto(char *destination, short length);
    short writeFrom(const char *source, short length);
    bool fillLocalAddressCache();
    void resolveHostName(std::uint32_t address);
    short transferLength(qsizetype size, std::optional<int> length) const;

    bool m_userMode = true;
    mutable bool m_modified = false;
    short m_action = 0;
    bool m_autoResolve = true;
    bool m_binary = true;
    bool m_blocking = false;
    int m_handle = -1;
    bool m_isClosed = false;
    bool m_connected = false;
    bool m_debug = false;
    unsigned m_pendingEvents = 0;
    unsigned m_pendingError = 0;
    bool m_eventsFrozen = false;
    QString m_hostAddress;
    QString m_hostName;
    mutable short m_lastError = 0;
    QString m_library;
    std::uint32_t m_localAddress = 0;
    bool m_localEcho = false;
    bool m_networkStarted = false;
    short m_recvLen = 0;
    std::uint16_t m_remotePort = 23;
    QString m_remoteService = QStringLiteral("telnet");
    short m_sendLen = 0;
    short m_state = 0;
    QString m_terminal = QStringLiteral("ansi");
    short m_timeout = 60;
    QString m_traceFile;
    int m_traceFlags = 0;
    QString m_vendor;
    QString m_version;
    NotifyWindow *m_window = nullptr;
};

// ---- Library exports (C linkage) ------------------------------------------------------

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

// The 20-byte version record of DllGetVersion.
struct DLLVERSIONINFO
{
    std::uint32_t cbSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformID;
};
static_assert(sizeof(DLLVERSIONINFO) == 20);

// What DllGetClassObject hands out for CLSID_TelnetClient and IID_IClassFactory.
class IClassFactory
{
public:
    // Creates a new control; *object receives it (a TelnetClient).
    virtual HRESULT CreateInstance(QObject *parent, QObject **object) = 0;
    // Keeps the library from unloading while locked.
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

} // namespace wiretalk

extern "C" {
// Writes the control's class, ProgID, type library and property page into the per-user
// component registry ($XDG_CONFIG_HOME/Brixel/controls.conf): S_OK or SELFREG_E_CLASS.
wiretalk::HRESULT DllRegisterServer();
// Removes what DllRegisterServer wrote: S_OK or SELFREG_E_CLASS.
wiretalk::HRESULT DllUnregisterServer();
// The class factory for CLSID_TelnetClient (riid IID_IClassFactory) into *ppv.
wiretalk::HRESULT DllGetClassObject(const wiretalk::GUID *rclsid, const wiretalk::GUID *riid, void **ppv);
// S_OK when no control exists and the factory is not locked, else S_FALSE.
wiretalk::HRESULT DllCanUnloadNow();
// Version 3.20, build 3201, platform 1; E_POINTER for null, E_INVALIDARG unless cbSize is 20.
wiretalk::HRESULT DllGetVersion(wiretalk::DLLVERSIONINFO *info);
}

namespace wiretalk {

// Creates the control from its ProgID as a container does: ProgID -> CLSID -> library
// through the per-user component registry, falling back to libwiretalk.so beside the
// program when the ProgID is not registered or its library file is missing. The library
// is loaded with dlopen and the control obtained through its DllGetClassObject. The
// library must be the copy of libwiretalk.so already in this process (the one that holds
// this function); another copy would bring a second session table, so it is refused.
// Returns the control (owned by parent), or nullptr with the reason in *error.
TelnetClient *CreateTelnetClient(const QString &progId, QObject *parent, QString *error);

} // namespace wiretalk
