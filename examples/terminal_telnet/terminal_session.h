// TerminalSession: ties a Terminal control to a telnet connection. Host output read
// from the connection is written into the terminal; typed characters and the host
// sequences of special keys are sent back. The two controls know nothing of each
// other: this container is all that joins them.
#pragma once

#include <QObject>
#include <QString>

namespace glyphterm {
class Terminal;
}
namespace wiretalk {
class TelnetClient;
}

class TerminalSession : public QObject
{
    Q_OBJECT

public:
    TerminalSession(glyphterm::Terminal &terminal, wiretalk::TelnetClient &client, QObject *parent = nullptr);

    // Starts connecting to host:port; the outcome arrives as status().
    void open(const QString &host, int port);

signals:
    // A line for the status bar: connecting, connected, closed, or an error.
    void status(const QString &text);

private:
    void receive(short length);
    void send(const QByteArray &bytes);

    glyphterm::Terminal &terminal_;
    wiretalk::TelnetClient &client_;
};
