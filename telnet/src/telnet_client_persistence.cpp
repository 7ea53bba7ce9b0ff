// TelnetClient: saving and loading the persisted properties, in their fixed order.
#include "control_error.h"

#include <QSettings>

namespace wiretalk {

namespace {

constexpr int kExchangeVersion = 0x00010000; // 1.0

template <typename T> void load(QSettings &settings, const char *key, T &field)
{
    const QVariant value = settings.value(QLatin1String(key));
    if (value.isValid() && value.canConvert<T>())
        field = value.value<T>();
}

} // namespace

void TelnetClient::saveProperties(QSettings &settings) const
{
    settings.setValue(QStringLiteral("_Version"), kExchangeVersion);
    settings.setValue(QStringLiteral("AutoResolve"), m_autoResolve);
    settings.setValue(QStringLiteral("Binary"), m_binary);
    settings.setValue(QStringLiteral("Blocking"), m_blocking);
    settings.setValue(QStringLiteral("Debug"), m_debug);
    settings.setValue(QStringLiteral("HostAddress"), m_hostAddress);
    settings.setValue(QStringLiteral("HostName"), m_hostName);
    settings.setValue(QStringLiteral("LocalEcho"), m_localEcho);
    settings.setValue(QStringLiteral("RemotePort"), static_cast<int>(m_remotePort));
    settings.setValue(QStringLiteral("RemoteService"), m_remoteService);
    settings.setValue(QStringLiteral("Terminal"), m_terminal);
    settings.setValue(QStringLiteral("Timeout"), static_cast<int>(m_timeout));
    m_modified = false;
}

void TelnetClient::loadProperties(QSettings &settings)
{
    load(settings, "AutoResolve", m_autoResolve);
    load(settings, "Binary", m_binary);
    load(settings, "Blocking", m_blocking);
    load(settings, "Debug", m_debug);
    load(settings, "HostAddress", m_hostAddress);
    load(settings, "HostName", m_hostName);
    load(settings, "LocalEcho", m_localEcho);
    int port = m_remotePort;
    load(settings, "RemotePort", port);
    m_remotePort = static_cast<std::uint16_t>(port);
    load(settings, "RemoteService", m_remoteService);
    load(settings, "Terminal", m_terminal);
    int timeout = m_timeout;
    load(settings, "Timeout", timeout);
    m_timeout = ClampedTimeout(timeout);

    // Revalidate the addressing through the setters; their errors do not stop a load.
    try {
        if (!m_hostAddress.isEmpty())
            setHostAddress(QString(m_hostAddress));
        else if (!m_hostName.isEmpty())
            setHostName(QString(m_hostName));
    } catch (const ControlError &) {
    }
    try {
        if (m_remotePort != 0)
            setRemotePort(m_remotePort);
        else if (!m_remoteService.isEmpty())
            setRemoteService(QString(m_remoteService));
    } catch (const ControlError &) {
    }
}

} // namespace wiretalk
