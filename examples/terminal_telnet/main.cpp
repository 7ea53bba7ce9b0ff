// terminal_telnet HOST [PORT]: a window with the terminal control, connected to a
// telnet host through the telnet control.
#include "terminal_session.h"

#include <glyphterm/terminal.h>
#include <wiretalk/telnet_client.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QMainWindow>
#include <QStatusBar>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("terminal_telnet"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A terminal on a telnet connection."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("host"), QStringLiteral("Host name or address."));
    parser.addPositionalArgument(QStringLiteral("port"), QStringLiteral("Port (default 23)."),
                                 QStringLiteral("[port]"));
    QCommandLineOption emulation(QStringLiteral("emulation"),
                                 QStringLiteral("ansi, vt100 or vt220 (default ansi)."),
                                 QStringLiteral("name"), QStringLiteral("ansi"));
    parser.addOption(emulation);
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    bool portOk = true;
    const int port = arguments.size() > 1 ? arguments[1].toInt(&portOk) : 23;
    const QStringList emulations{QStringLiteral("none"), QStringLiteral("ansi"), QStringLiteral("vt100"),
                                 QStringLiteral("vt220")};
    const qsizetype emulationIndex = emulations.indexOf(parser.value(emulation).toLower());
    if (arguments.isEmpty() || arguments.size() > 2 || !portOk || port < 1 || port > 65535 ||
        emulationIndex < 1) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    QMainWindow window;
    auto *terminal = new glyphterm::Terminal(&window);
    terminal->setEmulation(static_cast<short>(emulationIndex));
    window.setCentralWidget(terminal);
    window.setWindowTitle(QStringLiteral("%1:%2 - Terminal").arg(arguments[0]).arg(port));
    wiretalk::TelnetClient client;
    client.setTerminal(parser.value(emulation).toUpper());
    TerminalSession session(*terminal, client);
    QObject::connect(&session, &TerminalSession::status, window.statusBar(),
                     [&window](const QString &text) { window.statusBar()->showMessage(text); });

    const QSize cells(terminal->CellWidth() * terminal->Columns(), terminal->CellHeight() * terminal->Rows());
    window.resize(cells + QSize(24, window.statusBar()->sizeHint().height() + 24));
    window.show();
    terminal->setFocus();
    session.open(arguments[0], port);
    return QApplication::exec();
}
