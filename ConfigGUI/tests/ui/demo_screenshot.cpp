// linkset_demo_screenshot OUT.png [terminal|forms|tabN|tabN.M|about] [hadra|tevo|qdv]: opens the
// main window on an embedded simulated unit (of that model) as --demo does, connects by telnet through the
// pre-filled dialogs, and saves a picture of the window: in the terminal view after typing "Get 04", or in
// the forms view, after reading the unit's whole configuration and running the signal-strength and then the
// packet-error monitor through their check boxes, on the first tab, on tab N, or on sub-tab M of tab N
// (tab6.2, the History sub-tab, is the README's picture); or the About window once its logo has
// grown. Run it under Xvfb to look at the real window.
#include "dialogs/frmAbout.h"
#include "modal_driver.h"
#include "monitor/monitors.h"
#include "session/mod_config_script.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "unit_reading.h"
#include "widgets/strip_chart.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <unitsim/simulated_unit.h>
#include <wiretalk/telnet_client.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: linkset_demo_screenshot OUT.png [terminal|forms|tabN|tabN.M|about] [hadra|tevo|qdv]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const QByteArray view = argc < 3 ? QByteArray("terminal") : QByteArray(argv[2]);
    const bool terminal = view == "terminal";
    Watchdog watchdog(60);

    unitsim::UnitOptions unitOptions;
    unitOptions.pty = true;
    if (argc > 3 && QByteArray(argv[3]) == "tevo")
        unitOptions.model = unitsim::Model::Tevo;
    else if (argc > 3 && QByteArray(argv[3]) == "qdv")
        unitOptions.model = unitsim::Model::Qdv;
    unitsim::SimulatedUnit unit(unitOptions);
    unit.start();

    StartOptions options;
    options.demo = true;
    options.demoTelnetHost = QStringLiteral("127.0.0.1");
    options.demoTelnetPort = unit.telnetPort();
    options.demoSerialDevice = QString::fromStdString(unit.ptySlavePath());
    options.demoUserName = QString::fromStdString(unitOptions.user);
    options.demoPassword = QString::fromStdString(unitOptions.password);
    frmTevoHadraConfig w(options);
    w.show();

    ModalDriver modals;
    const auto pressOk = [](QDialog &dialog) { pressButton(dialog, QStringLiteral("cmdOK")); };
    modals.onNextModal(QStringLiteral("frmTelnetProperties"), pressOk);
    modals.onNextModal(QStringLiteral("frmUserNamePassword"), pressOk);
    w.tlbrMainButton(QStringLiteral("Telnet"))->trigger();
    if (!waitForCondition([&] {
            return w.telnetConnected() && modals.handledCount(QStringLiteral("frmUserNamePassword")) == 1;
        })) {
        std::fprintf(stderr, "the demo unit did not accept the connection\n");
        return 1;
    }
    // Logged in from the forms view.
    waitForCondition([&] { return w.bGotPrompt; });
    if (view == "about") {
        bool saved = false;
        modals.onNextModal(QStringLiteral("frmAbout"), [&](QDialog &dialog) {
            auto &about = static_cast<frmAbout &>(dialog);
            waitForCondition([&] { return !about.timerStretchLogo->isActive(); });
            saved = about.grab().save(QString::fromLocal8Bit(argv[1]));
            pressButton(dialog, QStringLiteral("cmdOK"));
        });
        w.ui->mnuAbout->trigger();
        w.TelnetClient1->Disconnect();
        return saved ? 0 : 1;
    }
    if (terminal) {
        // Then typing in the terminal view.
        w.ui->mnuWindowUseTerminal->trigger();
        QTest::keyClicks(w.ui->txtTerm, QStringLiteral("Get 04"));
        QTest::keyClick(w.ui->txtTerm, Qt::Key_Return);
        waitForCondition([&] {
            return w.ui->txtTerm->toPlainText().contains(QStringLiteral("GET=1;04=")) &&
                   w.ui->txtTerm->toPlainText().endsWith(QLatin1Char('>'));
        });
    } else {
        modConfigScript::RunReportingCommFailure(w, [&] { readWholeConfiguration(w); });
        // The monitors as an operator runs them from the History sub-tab, their timers
        // shortened; each reading is stamped five seconds after the one before, as at the
        // 5-second rate, after the packet-error point the retrieval stamped now. A minute of
        // signal strength, then the packet-error monitor, which stops the signal-strength
        // monitor and runs on into the picture.
        QDateTime stamp = QDateTime::currentDateTime();
        w.monitors().clock.set([&stamp] { return stamp = stamp.addSecs(5); });
        w.tmrRSSI->setInterval(100);
        w.tmrPacketStats->setInterval(100);
        w.ui->chkHistoryRSSIMonitor->click();
        waitForCondition([&] { return w.iStripChartX1(1)->pointCount() >= 12; }, 10000);
        w.ui->chkHistoryPERMonitor->click();
        waitForCondition([&] { return w.iStripChartX1(0)->pointCount() >= 12; }, 10000);
        w.tmrPacketStats->setInterval(60000);
    }
    if (view.startsWith("tab")) {
        const QList<QByteArray> indexes = view.mid(3).split('.');
        w.ui->SSTab1->setCurrentIndex(indexes[0].toInt());
        if (indexes.size() > 1) {
            if (auto *subTabs = w.ui->SSTab1->currentWidget()->findChild<QTabWidget *>())
                subTabs->setCurrentIndex(indexes[1].toInt());
        }
    }
    // Let the connect time and the indicators settle.
    waitForCondition([] { return false; }, 1200);
    if (!w.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    w.TelnetClient1->Disconnect();
    return 0;
}
