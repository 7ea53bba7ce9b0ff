// linkset-retrieval-bench [--serial]: how long one whole configuration retrieval takes, from
// its start to the snapshot of the retrieved configuration, with the simulated unit embedded
// and the main window offscreen; over loopback telnet, or with --serial over the unit's
// pseudo-terminal. Prints one line with seconds=<median of five retrievals>.
#include "forms/configuration_transfer.h"
#include "platform/message_boxes.h"
#include "session/mscomm.h"
#include "ui/frmTevoHadraConfig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unitsim/simulated_unit.h>
#include <vector>
#include <wiretalk/telnet_client.h>

namespace {

// Any box means the retrieval did not run cleanly: it is counted, and answered at once.
class CountingBoxes : public platform::MessageBoxes
{
public:
    platform::MsgAnswer show(QWidget *, const platform::MessageBox &box) override
    {
        std::fprintf(stderr, "linkset-retrieval-bench: box \"%s\": %s\n", qPrintable(box.title),
                     qPrintable(box.text));
        ++count;
        return platform::MsgAnswer::Ok;
    }
    int count = 0;
};

// The offscreen platform's notes (no window raising, no runtime folder) are not results.
void quietQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool waitFor(const std::function<bool()> &condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const bool serial = argc == 2 && std::strcmp(argv[1], "--serial") == 0;
    if (argc > 2 || (argc == 2 && !serial)) {
        std::fprintf(stderr, "usage: linkset-retrieval-bench [--serial]\n");
        return 2;
    }
    qInstallMessageHandler(quietQtNotes);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    unitsim::UnitOptions unitOptions;
    unitOptions.pty = true;
    unitsim::SimulatedUnit unit(unitOptions);
    unit.start();

    StartOptions startOptions;
    startOptions.demoSerialDevice = QString::fromStdString(unit.ptySlavePath());
    frmTevoHadraConfig w(startOptions);
    CountingBoxes boxes;
    w.setMessageBoxes(&boxes);
    // The login is answered from these, as after the login dialog.
    w.strUserName = QString::fromStdString(unitOptions.user);
    w.strPassword = QString::fromStdString(unitOptions.password);
    w.blnShownUsernameForm = true;
    w.blnShouldConnect = true;
    if (serial) {
        w.ConnectSerial();
    } else {
        w.TelnetClient1->setHostAddress(QStringLiteral("127.0.0.1"));
        w.TelnetClient1->setRemotePort(unit.telnetPort());
        w.ConnectTelnet();
    }
    if (!waitFor([&] { return (w.telnetConnected() || w.serialOpen()) && w.bGotPrompt; }, 10000)) {
        std::fprintf(stderr, "linkset-retrieval-bench: the unit did not log the window in\n");
        return 1;
    }

    forms::ConfigurationTransfer &transfer = w.configurationTransfer();
    std::vector<double> seconds;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        transfer.StartRetrieval();
        if (!waitFor([&] { return !transfer.isBusy() && transfer.retrievedRecord.has_value(); }, 60000) ||
            boxes.count != 0) {
            std::fprintf(stderr, "linkset-retrieval-bench: retrieval %d did not complete\n", run + 1);
            return 1;
        }
        seconds.push_back(double(clock.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("linkset-retrieval-bench transport=%s steps=48 seconds=%.3f\n", serial ? "serial" : "telnet",
                seconds[2]);
    if (serial)
        w.MSComm1->setPortOpen(false);
    else
        w.TelnetClient1->Disconnect();
    return 0;
}
