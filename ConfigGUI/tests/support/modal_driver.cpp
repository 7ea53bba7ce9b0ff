#include "modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

void ModalDriver::onNextModal(const QString &dialogName, std::function<void(QDialog &)> handle, int waitMs)
{
    auto deadline = std::make_shared<QDeadlineTimer>(waitMs);
    auto poll = std::make_shared<std::function<void()>>();
    const int turn = given_[dialogName]++;
    *poll = [this, alive = alive_, dialogName, handle, deadline, poll, turn] {
        if (!*alive) {
            *poll = nullptr;
            return;
        }
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == dialogName && settled_.value(dialogName) == turn) {
            ++handled_[dialogName];
            ++settled_[dialogName];
            handle(*dialog);
            *poll = nullptr; // breaks the cycle
            return;
        }
        if (deadline->hasExpired()) {
            ++missed_;
            ++settled_[dialogName];
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(5, [poll] {
            if (*poll)
                (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] {
        if (*poll)
            (*poll)();
    });
}

struct Watchdog::Impl
{
    std::atomic<bool> done{false};
    std::thread thread;
};

Watchdog::Watchdog(int seconds) : impl_(std::make_unique<Impl>())
{
    impl_->thread = std::thread([impl = impl_.get(), seconds] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!impl->done) {
            if (std::chrono::steady_clock::now() > end) {
                std::fprintf(stderr, "watchdog: the test did not finish within %d s\n", seconds);
                std::fflush(stderr);
                std::_Exit(3);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
}

Watchdog::~Watchdog()
{
    impl_->done = true;
    impl_->thread.join();
}

bool waitForCondition(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void pressButton(QDialog &dialog, const QString &buttonName)
{
    if (auto *button = dialog.findChild<QAbstractButton *>(buttonName))
        button->click();
}
