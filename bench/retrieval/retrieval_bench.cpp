// linkset-retrieval-bench [--serial]: how long one whole configuration retrieval takes, from
// its start to the snapshot of the retrieved configuration, with the simulated unit embedded
// and the main window offscreen; over loopback telnet, or with --serial over the unit's
// pseudo-terminal. Prints one line with seconds=<median of five retrievals>.
#include "bench_window.h"
#include "forms/configuration_transfer.h"
#include "session/mscomm.h"
#include "ui/frmTevoHadraConfig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unitsim/simulated_unit.h>
#include <vector>
#include <wiretalk/telnet_client.h>

int main(int argc, char **argv)
{
    const bool serial = argc == 2 && std::strcmp(argv[1], "--serial") == 0;
    if (argc > 2 || (argc == 2 && !serial)) {
        std::fprintf(stderr, "usage: linkset-retrieval-bench [--serial]\n");
        return 2;
    }
    bench::prepareOffscreen();
    QApplication app(argc, argv);

    unitsim::UnitOptions unitOptions;
    unitOptions.pty = true;
    unitsim::SimulatedUnit unit(unitOptions);
    unit.start();

    StartOptions startOptions;
    startOptions.demoSerialDevice = QString::fromStdString(unit.ptySlavePath());
    frmTevoHadraConfig w(startOptions);
    bench::CountingBoxes boxes("linkset-retrieval-bench");
    w.setMessageBoxes(&boxes);
    if (!bench::logIn(w, QStringLiteral("127.0.0.1"), serial ? 0 : unit.telnetPort(),
                      QString::fromStdString(unitOptions.user),
                      QString::fromStdString(unitOptions.password))) {
        std::fprintf(stderr, "linkset-retrieval-bench: the unit did not log the window in\n");
        return 1;
    }

    forms::ConfigurationTransfer &transfer = w.configurationTransfer();
    std::vector<double> seconds;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        transfer.StartRetrieval();
        if (!bench::waitFor([&] { return !transfer.isBusy() && transfer.retrievedRecord.has_value(); },
                            60000) ||
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
