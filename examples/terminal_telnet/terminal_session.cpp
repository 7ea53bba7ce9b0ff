#include "terminal_session.h"

#include <glyphterm/terminal.h>
#include <wiretalk/telnet_client.h>

#include <QHostAddress>

TerminalSession::TerminalSession(glyphterm::Terminal &terminal, wiretalk::TelnetClient &client,
                                 QObject *parent)
    : QObject(parent), terminal_(terminal), client_(client)
{
    using Events = wiretalk::TelnetClientEvents;
    connect(&client_, &Events::Connect, this, [this] { emit status(tr("Connected")); });
    connect(&client_, &Events::Disconnect, this, [this] {
        emit status(tr("Connection closed by the host"));
        try {
            client_.Disconnect();
        } catch (const wiretalk::ControlError &) {
            // Already closed: nothing more to release.
        }
    });
    connect(&client_, &Events::Read, this, [this](short &length) { receive(length); });
    connect(&client_, &Events::LastError, this, [this](short &code, QString &text, short &response) {
        response = 0; // reported here instead of raised
        emit status(tr("Error %1: %2").arg(code).arg(text));
    });
    connect(&terminal_, &glyphterm::Terminal::KeyPress, this,
            [this](short &ascii) { send(QByteArray(1, static_cast<char>(ascii))); });
    connect(&terminal_, &glyphterm::Terminal::KeyMapped, this,
            [this](short &, short &, QString &keys) { send(keys.toLatin1()); });
}

void TerminalSession::open(const QString &host, int port)
{
    try {
        if (QHostAddress(host).isNull())
            client_.setHostName(host);
        else
            client_.setHostAddress(host);
        client_.setRemotePort(port);
        emit status(tr("Connecting to %1 port %2").arg(host).arg(port));
        client_.Connect();
    } catch (const wiretalk::ControlError &error) {
        emit status(tr("Cannot connect: %1").arg(error.description()));
    }
}

void TerminalSession::receive(short length)
{
    try {
        if (length <= 0)
            return;
        QByteArray bytes(length, '\0');
        const short received = client_.ReadBytes(bytes, length);
        if (received > 0) {
            QString text = QString::fromLatin1(bytes.constData(), received);
            terminal_.Write(text, received);
        }
    } catch (const std::exception &error) {
        emit status(tr("Read failed: %1").arg(QString::fromLocal8Bit(error.what())));
    }
}

void TerminalSession::send(const QByteArray &bytes)
{
    if (bytes.isEmpty() || !client_.Connected())
        return;
    try {
        client_.WriteBytes(bytes);
    } catch (const wiretalk::ControlError &error) {
        emit status(tr("Send failed: %1").arg(error.description()));
    }
}
