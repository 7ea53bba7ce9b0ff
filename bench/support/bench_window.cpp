#include "bench_window.h"

#include "ui/frmTevoHadraConfig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <wiretalk/telnet_client.h>

namespace bench {

namespace {

void quietQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

platform::MsgAnswer CountingBoxes::show(QWidget *, const platform::MessageBox &box)
{
    std::fprintf(stderr, "%s: box \"%s\": %s\n", program_, qPrintable(box.title), qPrintable(box.text));
    ++count;
    return platform::MsgAnswer::Ok;
}

void prepareOffscreen()
{
    qInstallMessageHandler(quietQtNotes);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

bool logIn(frmTevoHadraConfig &w, const QString &host, quint16 port, const QString &user,
           const QString &password)
{
    // The login is answered from these, as after the login dialog.
    w.strUserName = user;
    w.strPassword = password;
    w.blnShownUsernameForm = true;
    w.blnShouldConnect = true;
    if (port == 0) {
        w.ConnectSerial();
    } else {
        w.TelnetClient1->setHostAddress(host);
        w.TelnetClient1->setRemotePort(port);
        w.ConnectTelnet();
    }
    return waitFor([&] { return (w.telnetConnected() || w.serialOpen()) && w.bGotPrompt; }, 10000);
}

} // namespace bench

#include <QFile>
#include <QStackedWidget>
#include <QTabWidget>
#include <sys/resource.h>

namespace bench {

void showPage(QWidget *page)
{
    for (QWidget *child = page; child && child->parentWidget(); child = child->parentWidget()) {
        // A tab's page sits in the tab widget's stack.
        if (auto *tabs = qobject_cast<QTabWidget *>(child->parentWidget()->parentWidget());
            tabs && qobject_cast<QStackedWidget *>(child->parentWidget()))
            tabs->setCurrentWidget(child);
    }
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peakResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace bench
