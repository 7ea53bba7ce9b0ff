#pragma once
// What the window benchmarks share: the main window offscreen, logged in to a unit without
// the login dialog, boxes counted instead of shown.
#include "platform/message_boxes.h"

#include <QString>
#include <functional>

class frmTevoHadraConfig;

namespace bench {

// Any box means the run did not go cleanly: it is counted and answered at once.
class CountingBoxes : public platform::MessageBoxes
{
public:
    explicit CountingBoxes(const char *program) : program_(program) {}
    platform::MsgAnswer show(QWidget *parent, const platform::MessageBox &box) override;
    int count = 0;

private:
    const char *program_;
};

// Runs before the QApplication: the offscreen platform unless another is chosen, and only
// Qt's critical notes on standard error (the offscreen platform's remarks are not results).
void prepareOffscreen();

// Processes events until the condition holds; false after `milliseconds`.
bool waitFor(const std::function<bool()> &condition, int milliseconds);

// Connects the window over telnet to host:port, or over its first serial port when `port` is
// 0, and answers the login with user and password. False when no prompt came.
bool logIn(frmTevoHadraConfig &w, const QString &host, quint16 port, const QString &user,
           const QString &password);

} // namespace bench

class QWidget;

namespace bench {

// Brings `page` to the front: every tab widget above it shows the tab that holds it.
void showPage(QWidget *page);

// The process's CPU time (user and system) so far, in seconds.
double processCpuSeconds();
// The highest resident set size of the process so far, in MiB.
double peakResidentMiB();

} // namespace bench
