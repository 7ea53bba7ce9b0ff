#include "fuzz_window.h"

#include "monitor/packet_error_displays.h"
#include "platform/message_boxes.h"
#include "ui/frmTevoHadraConfig.h"
#include "widgets/led_matrix.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>

namespace {

class SilentBoxes : public platform::MessageBoxes
{
public:
    platform::MsgAnswer show(QWidget *, const platform::MessageBox &) override
    {
        return platform::MsgAnswer::Ok;
    }
};

} // namespace

frmTevoHadraConfig &fuzzWindow(const char *program)
{
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(program), nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings of its own, never the user's.
    static QTemporaryDir settings;
    // The application, the window and the dialog canceller live for the whole run: the
    // process ends without tearing them down (Qt's exit handlers would meet half-destroyed
    // state).
    static const auto *app = [] {
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
    // Any dialog (a login dialog brought back by "Invalid password.", a message box of the
    // window's own) is cancelled as soon as it runs.
    static const auto *cancelDialogs = [] {
        auto *timer = new QTimer;
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        timer->start();
        return timer;
    }();
    Q_UNUSED(cancelDialogs);
    static SilentBoxes boxes;
    static frmTevoHadraConfig *w = [] {
        auto *made = new frmTevoHadraConfig;
        made->setMessageBoxes(&boxes);
        startAfresh(*made);
        return made;
    }();
    return *w;
}

void startAfresh(frmTevoHadraConfig &w)
{
    for (QTreeWidget *list : w.findChildren<QTreeWidget *>())
        list->clear();
    w.StationChartTable = monitor::StationTable();
    monitor::resetPacketLossDisplays(w);
    w.blnShownUsernameForm = true;
    w.blnShouldConnect = true;
    // What the input left posted (layout and update requests, objects to delete) is
    // delivered, as the event loop would between two replies; otherwise it piles up.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void checkDisplayLimits(const frmTevoHadraConfig &w)
{
    const auto *leds = w.findChild<linkset::LedMatrix *>(QStringLiteral("iLedMatrixX1"));
    if (leds->columnCount() > monitor::kDesignedLedColumns ||
        w.lblStationsElements.size() > monitor::kMaxStationDisplays)
        std::abort();
}
