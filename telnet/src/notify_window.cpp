// Hidden notification windows: the live ones are kept in a set, so a window handle can
// be checked before anything is posted to it (as a window system checks its handles).
#include "wiretalk/socket_layer.h"

#include <QCoreApplication>

#include <exception>
#include <mutex>
#include <set>

namespace wiretalk {

namespace {

std::mutex windowsLock;
std::set<const QObject *> liveWindows;

bool validMessage(unsigned message)
{
    return message >= QEvent::User && message <= QEvent::MaxUser;
}

} // namespace

SocketNotifyEvent::SocketNotifyEvent(unsigned message, int socket, std::uint32_t lParam)
    : QEvent(static_cast<QEvent::Type>(message)), m_socket(socket), m_lParam(lParam)
{}

NotifyWindow::NotifyWindow(Handler handler, QObject *parent) : QObject(parent), m_handler(std::move(handler))
{
    std::lock_guard lock(windowsLock);
    liveWindows.insert(this);
}

NotifyWindow::~NotifyWindow()
{
    std::lock_guard lock(windowsLock);
    liveWindows.erase(this);
}

bool NotifyWindow::IsWindow(const QObject *window)
{
    std::lock_guard lock(windowsLock);
    return window != nullptr && liveWindows.count(window) != 0;
}

bool NotifyWindow::PostNotify(QObject *window, unsigned message, int socket, std::uint32_t lParam)
{
    if (!validMessage(message))
        return false;
    // Held while posting, so the window cannot be destroyed in between.
    std::lock_guard lock(windowsLock);
    if (window == nullptr || liveWindows.count(window) == 0)
        return false;
    QCoreApplication::postEvent(window, new SocketNotifyEvent(message, socket, lParam));
    return true;
}

bool NotifyWindow::event(QEvent *event)
{
    if (auto *notify = dynamic_cast<SocketNotifyEvent *>(event)) {
        // The handler raises events into container code; nothing may leave through the
        // event loop, so an error a handler let escape ends here, with a warning.
        try {
            if (m_handler)
                m_handler(static_cast<unsigned>(notify->type()), notify->socket(), notify->lParam());
        } catch (const std::exception &error) {
            qWarning("socket notification handler failed: %s", error.what());
        }
        return true;
    }
    return QObject::event(event);
}

} // namespace wiretalk
