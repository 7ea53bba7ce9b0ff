// linkset: the configuration and monitoring utility. --demo embeds a simulated unit on a
// free loopback port and a pseudo-terminal and offers it in the connection dialogs.
#include "platform/message_boxes.h"
#include "ui/frmTevoHadraConfig.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unitsim/simulated_unit.h>

namespace {

const char kUsage[] = "Usage: linkset [--demo] [--version] [--help]\n"
                      "\n"
                      "Configures and monitors one radio unit over telnet or a serial port.\n"
                      "\n"
                      "  --demo     start a simulated unit inside the program and offer it in the\n"
                      "             telnet dialog and as serial port Com1\n"
                      "  --version  print the version and exit\n"
                      "  --help     print this text and exit\n";

struct CommandLine
{
    bool demo = false;
    bool version = false;
    bool help = false;
    const char *unknown = nullptr;
};

CommandLine parse(int argc, char **argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            line.demo = true;
        else if (std::strcmp(argv[i], "--version") == 0)
            line.version = true;
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            line.help = true;
        else if (!line.unknown)
            line.unknown = argv[i];
    }
    return line;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before any display is needed.
    const CommandLine line = parse(argc, argv);
    if (line.unknown) {
        std::fprintf(stderr, "linkset: unknown option %s\n\n%s", line.unknown, kUsage);
        return 2;
    }
    if (line.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("linkset %s\n", LINKSET_VERSION);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Linkset"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));

    StartOptions options;
    std::unique_ptr<unitsim::SimulatedUnit> unit;
    if (line.demo) {
        unitsim::UnitOptions unitOptions;
        unitOptions.pty = true;
        try {
            unit = std::make_unique<unitsim::SimulatedUnit>(unitOptions);
            unit->start();
        } catch (const std::exception &error) {
            platform::QtMessageBoxes().inform(nullptr,
                                              QStringLiteral("The demo unit could not be started: ") +
                                                  QString::fromLocal8Bit(error.what()),
                                              QString(), platform::MsgIcon::Critical);
            return 1;
        }
        options.demo = true;
        options.demoTelnetHost = QStringLiteral("127.0.0.1");
        options.demoTelnetPort = unit->telnetPort();
        options.demoSerialDevice = QString::fromStdString(unit->ptySlavePath());
        options.demoUserName = QString::fromStdString(unitOptions.user);
        options.demoPassword = QString::fromStdString(unitOptions.password);
    }

    frmTevoHadraConfig window(options);
    window.show();
    return app.exec();
}
