// linkset: the configuration and monitoring utility. Without a command it opens the window
// (--demo embeds a simulated unit on a free loopback port and a pseudo-terminal and offers
// it in the connection dialogs); the commands retrieve, apply and diff run without one.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "platform/message_boxes.h"
#include "ui/frmTevoHadraConfig.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <unitsim/simulated_unit.h>

namespace {

QStringList argumentsAfterName(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runWindow(QApplication &app, bool demo)
{
    StartOptions options;
    std::unique_ptr<unitsim::SimulatedUnit> unit;
    if (demo) {
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

} // namespace

int main(int argc, char **argv)
{
    // Answered before any display is needed.
    const cli::Invocation invocation = cli::parseCommandLine(argumentsAfterName(argc, argv));
    if (!invocation.usageError.isEmpty()) {
        std::fprintf(stderr, "linkset: %s\nTry linkset --help.\n", qPrintable(invocation.usageError));
        return cli::UsageError;
    }
    if (!invocation.text.isEmpty()) {
        std::fputs(qPrintable(invocation.text), stdout);
        return cli::Success;
    }

    if (invocation.command != cli::Command::Window)
        cli::prepareHeadlessApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Linkset"));
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    if (invocation.command != cli::Command::Window)
        return cli::runCommand(invocation);
    return runWindow(app, invocation.demo);
}
