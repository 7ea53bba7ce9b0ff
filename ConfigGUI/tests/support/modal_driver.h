#pragma once
// Drives our own modal dialogs in tests: before the action that opens one, schedule a
// callback that waits (bounded) for the dialog to become the active modal widget and then
// fills it and presses a button. A watchdog fails a test that would otherwise hang.
#include <QHash>
#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

// Runs a handler on the next modal dialog with a given object name; counts the dialogs
// handled and the ones that never came. Handlers for one name take their turns in the order
// they were given, so answers to dialogs that follow each other can all be given in advance.
class ModalDriver
{
public:
    ModalDriver() = default;
    ModalDriver(const ModalDriver &) = delete;
    ModalDriver &operator=(const ModalDriver &) = delete;
    // Handlers still waiting are dropped: they must not reach a dialog of a later test.
    ~ModalDriver() { *alive_ = false; }

    // dialogName: the dialog's object name, e.g. "frmUserNamePassword".
    void onNextModal(const QString &dialogName, std::function<void(QDialog &)> handle, int waitMs = 5000);
    // Dialogs of that name handled so far, and handlers whose dialog never came.
    int handledCount(const QString &dialogName) const { return handled_.value(dialogName); }
    int missedCount() const { return missed_; }

private:
    QHash<QString, int> handled_;
    QHash<QString, int> given_;   // handlers given, per dialog name
    QHash<QString, int> settled_; // handlers that handled their dialog or gave up, per name
    int missed_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Kills the process with a message if the test is still running after `seconds`.
class Watchdog
{
public:
    explicit Watchdog(int seconds);
    ~Watchdog();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Waits (yielding, bounded) until the condition holds.
bool waitForCondition(const std::function<bool()> &condition, int timeoutMs = 5000);

// Presses a button of a dialog by object name.
void pressButton(QDialog &dialog, const QString &buttonName);
