// TelnetClient: the address and port setters with their look-ups, and the local
// address and name.
#include "control_error.h"

#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_engine.h"

#include <cstring>

namespace wiretalk {

namespace {

QString officialName(std::uint32_t address)
{
    const hostent *entry =
        SocketHostByAddr(reinterpret_cast<const char *>(&address), sizeof address, AF_INET);
    return entry && entry->h_name ? QString::fromLatin1(entry->h_name) : QString();
}

// The first IPv4 address of a name, or 0 when it does not resolve.
std::uint32_t firstAddress(const char *name)
{
    const hostent *entry = SocketHostByName(name);
    if (entry == nullptr || entry->h_length != 4 || entry->h_addr_list == nullptr ||
        entry->h_addr_list[0] == nullptr)
        return 0;
    std::uint32_t address = 0;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

QString localHostName()
{
    char name[64] = {};
    if (SocketHostName(name, sizeof name - 1) != 0)
        return {};
    return QString::fromLatin1(name);
}

} // namespace

void TelnetClient::setHostAddress(const QString &value)
{
    m_hostAddress = value;
    m_modified = true;
    if (value.isEmpty())
        return;
    m_hostName.clear();
    if (!m_userMode)
        return;
    startNetworkOrRaise();
    const std::uint32_t address = ParseAddress(value.toLatin1().constData());
    if (address == kNotAnAddress || address == 0)
        Raise(kCtlInvalidPropertyValue);
    resolveHostName(address);
}

void TelnetClient::resolveHostName(std::uint32_t address)
{
    if (!m_autoResolve)
        return;
    if (const QString name = officialName(address); !name.isEmpty())
        m_hostName = name;
}

void TelnetClient::setHostName(const QString &value)
{
    m_hostName = value;
    m_modified = true;
    if (value.isEmpty())
        return;
    m_hostAddress.clear();
    if (!m_userMode)
        return;
    startNetworkOrRaise();
    const QByteArray text = value.toLatin1();
    const std::uint32_t address = ParseAddress(text.constData());
    if (address != kNotAnAddress && address != 0) {
        // An address given as a name moves over to HostAddress.
        m_hostAddress = value;
        m_hostName.clear();
        resolveHostName(address);
        return;
    }
    if (m_autoResolve) {
        if (const std::uint32_t resolved = firstAddress(text.constData()))
            m_hostAddress = QString::fromLatin1(DottedAddress(resolved));
    }
}

void TelnetClient::setRemotePort(int value)
{
    if (value < -32768 || value > 65535)
        Raise(kCtlInvalidPropertyValue);
    m_remotePort = static_cast<std::uint16_t>(value);
    m_remoteService.clear();
    m_modified = true;
    if (m_remotePort == 0 || !m_userMode)
        return;
    startNetworkOrRaise();
    if (const servent *entry = SocketServByPort(SocketHtons(m_remotePort), nullptr); entry && entry->s_name)
        m_remoteService = QString::fromLatin1(entry->s_name);
}

void TelnetClient::setRemoteService(const QString &value)
{
    m_remotePort = 0;
    m_remoteService = value;
    m_modified = true;
    if (value.isEmpty() || !m_userMode)
        return;
    startNetworkOrRaise();
    unsigned number = 0;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        number = number * 10 + static_cast<unsigned>(c.unicode() - '0');
    }
    m_remotePort = static_cast<std::uint16_t>(number);
    if (m_remotePort != 0)
        return;
    if (const servent *entry = SocketServByName(value.toLatin1().constData(), nullptr))
        m_remotePort = SocketNtohs(static_cast<std::uint16_t>(entry->s_port));
}

bool TelnetClient::fillLocalAddressCache()
{
    if (m_localAddress != 0)
        return true;
    if (m_handle == -1) {
        const QString name = localHostName();
        m_localAddress = name.isEmpty() ? 0 : firstAddress(name.toLatin1().constData());
        return m_localAddress != 0;
    }
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (SocketGetName(TelnetGetSocket(m_handle), reinterpret_cast<sockaddr *>(&local), &length) == 0)
        m_localAddress = local.sin_addr.s_addr;
    return true; // with a session, a failed query reads as 0.0.0.0
}

QString TelnetClient::LocalAddress()
{
    requireRunTime();
    startNetworkOrRaise();
    if (!fillLocalAddressCache())
        return {};
    return QString::fromLatin1(DottedAddress(m_localAddress));
}

QString TelnetClient::LocalName()
{
    requireRunTime();
    startNetworkOrRaise();
    fillLocalAddressCache();
    if (m_localAddress != 0) {
        if (const QString name = officialName(m_localAddress); !name.isEmpty())
            return name;
    }
    return localHostName();
}

} // namespace wiretalk
