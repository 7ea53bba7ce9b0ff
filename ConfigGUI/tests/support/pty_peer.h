#pragma once
// The far end of a pseudo-terminal, as a unit's serial console would hold it.
#include "modal_driver.h"

#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

class PtyPeer
{
public:
    PtyPeer()
    {
        char name[128] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            path_ = QString::fromLocal8Bit(name);
            ::fcntl(master_, F_SETFL, O_NONBLOCK);
        }
    }
    ~PtyPeer()
    {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    const QString &path() const { return path_; }
    void write(const QByteArray &bytes)
    {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), bytes.size());
    }
    QByteArray readAvailable(int expected, int timeoutMs = 3000)
    {
        QByteArray got;
        waitForCondition(
            [&] {
                char buffer[256];
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                if (n > 0)
                    got.append(buffer, n);
                return got.size() >= expected;
            },
            timeoutMs);
        return got;
    }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};
