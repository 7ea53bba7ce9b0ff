// The serial control on a real pseudo-terminal: events, reads, writes, checked
// assignments and the causes of an open failure.
#include "modal_driver.h"
#include "pty_peer.h"
#include "session/mscomm.h"
#include "session/port_open_failure.h"
#include "session/serial_error.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

using namespace session;

TEST(MSComm, OpensAPortWritesAndReadsWithTheRequestedLength)
{
    PtyPeer peer;
    ASSERT_FALSE(peer.path().isEmpty());
    MSComm port;
    port.setDevices({peer.path()});
    port.setCommPort(1);
    port.setSettings(QStringLiteral("9600,N,8,1"));
    port.setPortOpen(true);
    ASSERT_TRUE(port.PortOpen());

    port.Output("Get 01\r");
    EXPECT_EQ(peer.readAvailable(7), QByteArray("Get 01\r"));

    QList<int> events;
    QObject::connect(&port, &MSComm::OnComm, [&] { events << port.CommEvent(); });
    peer.write("abc");
    ASSERT_TRUE(waitForCondition([&] { return port.InBufferCount() == 3; }));
    EXPECT_TRUE(events.contains(MSComm::comEvReceive));
    port.setInputLen(1);
    EXPECT_EQ(port.Input(), QByteArray("a"));
    port.setInputLen(0);
    EXPECT_EQ(port.Input(), QByteArray("bc"));
    EXPECT_EQ(port.InBufferCount(), 0);

    port.setPortOpen(false);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_THROW(port.Input(), SerialError);
    EXPECT_THROW(port.Output("x"), SerialError);
}

TEST(MSComm, ClosingSendsWhatWasQueuedLast)
{
    PtyPeer peer;
    MSComm port;
    port.setDevices({peer.path()});
    port.setPortOpen(true);
    port.Output("Exit\r");
    port.setPortOpen(false);
    EXPECT_EQ(peer.readAvailable(5), QByteArray("Exit\r"));
}

TEST(MSComm, AssignmentsAreCheckedWhenMade)
{
    PtyPeer peer;
    MSComm port;
    port.setDevices({peer.path()});
    port.setSettings(QStringLiteral("19200,e,7,2"));
    EXPECT_THROW(port.setSettings(QStringLiteral("9600,n,8,1.5")), SerialError);
    EXPECT_EQ(port.Settings(), QStringLiteral("19200,e,7,2")); // a refused text changes nothing
    EXPECT_THROW(port.setHandshaking(3), SerialError);
    EXPECT_EQ(port.Handshaking(), 0);
    port.setHandshaking(2);
    EXPECT_EQ(port.Handshaking(), 2);

    EXPECT_THROW(port.setCommPort(0), SerialError);
    EXPECT_THROW(port.setCommPort(17), SerialError);
    EXPECT_THROW(port.setCommPort(2), SerialError); // only one device here
    EXPECT_EQ(port.CommPort(), 1);

    port.setPortOpen(true);
    EXPECT_THROW(port.setCommPort(1), SerialError); // not while open
    EXPECT_THROW(port.setPortOpen(true), SerialError);
}

TEST(MSComm, AConfiguredDeviceListComesFromTheSettings)
{
    QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Linkset"));
    settings.setValue(QStringLiteral("Properties/CommDevices"), QStringLiteral("/dev/ttyA, /dev/ttyB"));
    settings.sync();
    EXPECT_EQ(MSComm::defaultDevices(), (QStringList{"/dev/ttyA", "/dev/ttyB"}));
    settings.remove(QStringLiteral("Properties/CommDevices"));
}

TEST(MSComm, ALostDeviceClosesThePort)
{
    PtyPeer peer;
    MSComm port;
    port.setDevices({peer.path()});
    port.setPortOpen(true);
    QSignalSpy lost(&port, &MSComm::portLost);
    peer.closeMaster();
    ASSERT_TRUE(waitForCondition([&] { return lost.count() == 1; }));
    EXPECT_FALSE(port.PortOpen());
}

TEST(PortOpenFailure, MessagesNameTheCause)
{
    EXPECT_EQ(portFailureMessage({PortFailureKind::Busy, "/dev/ttyS0", "", ""}),
              QStringLiteral("This Port is Already in Use!"));
    const QString denied =
        portFailureMessage({PortFailureKind::PermissionDenied, "/dev/ttyUSB0", "dialout", ""});
    EXPECT_TRUE(denied.contains(QStringLiteral("/dev/ttyUSB0")));
    EXPECT_TRUE(denied.contains(QStringLiteral("\"dialout\"")));
    EXPECT_TRUE(denied.startsWith(QStringLiteral("Permission denied")));
    const QString missing = portFailureMessage({PortFailureKind::Missing, "/dev/ttyUSB3", "", ""});
    EXPECT_TRUE(missing.contains(QStringLiteral("/dev/ttyUSB3 does not exist")));
    const QString other = portFailureMessage({PortFailureKind::Other, "/dev/ttyS1", "", "I/O error"});
    EXPECT_TRUE(other.endsWith(QStringLiteral("I/O error")));
}

TEST(PortOpenFailure, ClassifiesByTheDevicesState)
{
    PtyPeer peer;
    EXPECT_EQ(classifyPortFailure(peer.path(), false, true, "").kind, PortFailureKind::Busy);
    EXPECT_EQ(classifyPortFailure(QStringLiteral("/nonexistent/tty"), true, false, "").kind,
              PortFailureKind::Missing);
    EXPECT_EQ(classifyPortFailure(QString(), false, false, "").kind, PortFailureKind::Missing);
    EXPECT_EQ(classifyPortFailure(peer.path(), false, false, "I/O error").kind, PortFailureKind::Other);
    if (::geteuid() != 0) {
        // Only an unprivileged user can be denied a device.
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("locked"));
        QFile file(device);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ::chmod(QFile::encodeName(device).constData(), 0);
        const PortFailure failure = classifyPortFailure(device, false, true, "");
        EXPECT_EQ(failure.kind, PortFailureKind::PermissionDenied);
        EXPECT_FALSE(failure.ownerGroup.isEmpty());
    }
}
