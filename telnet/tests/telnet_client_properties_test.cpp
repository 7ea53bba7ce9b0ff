// The control's properties: addressing setters, clamping, design-time rules, trace
// properties, start-up values and persistence.
#include "telnet_test_server.h"

#include "raised_error.h"
#include "wiretalk/telnet_client.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using linkset::testing::TelnetTestServer;
using wiretalk::ControlError;
using wiretalk::TelnetClient;

using wiretalk::testing::raisedNumber;

namespace {

TEST(Addressing, AnAddressGivenAsHostNameMovesToHostAddress)
{
    TelnetClient client;
    client.setAutoResolve(false);
    client.setHostName(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(client.HostAddress(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(client.HostName(), QString());
    client.setAutoResolve(true);
    client.setHostName(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.HostAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.HostName(), QStringLiteral("localhost")); // reverse-resolved
}

TEST(Addressing, HostNamesResolveToHostAddressWhenAutoResolveIsOn)
{
    TelnetClient client;
    client.setHostName(QStringLiteral("localhost"));
    EXPECT_EQ(client.HostName(), QStringLiteral("localhost"));
    EXPECT_EQ(client.HostAddress(), QStringLiteral("127.0.0.1"));
    client.setAutoResolve(false);
    client.setHostName(QStringLiteral("localhost"));
    EXPECT_EQ(client.HostAddress(), QString());
}

TEST(Addressing, HostAddressAcceptsOnlyAddresses)
{
    TelnetClient client;
    client.setAutoResolve(false);
    client.setHostName(QStringLiteral("localhost"));
    client.setHostAddress(QStringLiteral("127.1"));
    EXPECT_EQ(client.HostName(), QString());
    for (const char *bad : {"1.2.3.256", "0", "not-an-address", "1.2.3.4.5"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(raisedNumber([&] { client.setHostAddress(QString::fromLatin1(bad)); }), 380);
    }
    EXPECT_EQ(raisedNumber([&] { client.setHostAddress(QString()); }), 0);
}

TEST(Addressing, ConnectUsesHostNameWhenHostAddressIsEmpty)
{
    TelnetTestServer server;
    TelnetClient client;
    client.setAutoResolve(false);
    client.setHostName(QStringLiteral("localhost"));
    client.setRemotePort(server.port());
    client.setBlocking(true);
    ASSERT_EQ(client.HostAddress(), QString());
    EXPECT_EQ(client.Connect(), 0);
    EXPECT_TRUE(server.waitForConnection());
}

TEST(Addressing, PortsAndServices)
{
    TelnetClient client;
    client.setRemoteService(QStringLiteral("23"));
    EXPECT_EQ(client.RemotePort(), 23);
    EXPECT_EQ(client.RemoteService(), QStringLiteral("23"));
    client.setRemoteService(QStringLiteral("telnet"));
    EXPECT_EQ(client.RemotePort(), 23);
    client.setRemotePort(23);
    EXPECT_EQ(client.RemoteService(), QStringLiteral("telnet"));
    client.setRemotePort(40000);
    EXPECT_EQ(client.RemotePort(), 40000);
    client.setRemotePort(-25536); // the Integer form of 40000
    EXPECT_EQ(client.RemotePort(), 40000);
    EXPECT_EQ(raisedNumber([&] { client.setRemotePort(70000); }), 380);
    client.setRemoteService(QStringLiteral("no-such-service"));
    EXPECT_EQ(client.RemotePort(), 0);
}

TEST(Properties, TimeoutIsClampedAndAppliedToAnOpenSession)
{
    TelnetClient client;
    const std::pair<short, short> cases[] = {{-5, 600}, {700, 600}, {0, 0}, {1, 1}, {600, 600}, {601, 600}};
    for (const auto &[given, stored] : cases) {
        client.setTimeout(given);
        EXPECT_EQ(client.Timeout(), stored) << given;
    }
    // An open blocking session waits for data no longer than the new time-out.
    TelnetTestServer server;
    client.setTimeout(30);
    client.setBlocking(true);
    client.setHostAddress(QStringLiteral("127.0.0.1"));
    client.setRemotePort(server.port());
    ASSERT_EQ(client.Connect(), 0);
    client.setTimeout(1);
    QString text;
    EXPECT_EQ(client.Read(text, 10), -1);
    EXPECT_EQ(client.LastError(), 27511);
}

TEST(Properties, TraceAcceptsOnlyTheOffValues)
{
    TelnetClient client;
    EXPECT_EQ(raisedNumber([&] { client.setTrace(true); }), 380);
    EXPECT_FALSE(client.Trace());
    EXPECT_EQ(raisedNumber([&] { client.setTrace(false); }), 0);
    EXPECT_EQ(raisedNumber([&] { client.setTraceFile(QStringLiteral("trace.log")); }), 380);
    EXPECT_EQ(client.TraceFile(), QStringLiteral("trace.log"));
    EXPECT_EQ(raisedNumber([&] { client.setTraceFile(QString()); }), 0);
    EXPECT_EQ(raisedNumber([&] { client.setTraceFlags(4); }), 380);
    EXPECT_EQ(client.TraceFlags(), 4);
}

TEST(Properties, DesignTimeStoresWithoutNetworkAndRefusesRunTimeGets)
{
    TelnetClient client;
    client.setUserMode(false);
    client.setHostAddress(QStringLiteral("not checked at design time"));
    EXPECT_EQ(client.HostAddress(), QStringLiteral("not checked at design time"));
    client.setRemoteService(QStringLiteral("telnet"));
    EXPECT_EQ(client.RemotePort(), 0); // no look-up at design time
    for (const auto &get : std::initializer_list<std::function<void()>>{
             [&] { client.State(); }, [&] { client.Connected(); }, [&] { client.Action(); },
             [&] { client.Debug(); }, [&] { client.Trace(); }, [&] { client.LocalAddress(); },
             [&] { client.Library(); }, [&] { client.SocketError(); }, [&] { client.RecvNext(); }}) {
        EXPECT_EQ(raisedNumber(get), 394);
    }
    EXPECT_EQ(client.Timeout(), 60); // design-time properties read as usual
}

TEST(Properties, StartUpFillsLibraryVendorAndVersionAndLocksLibrary)
{
    TelnetClient client;
    client.setHostAddress(QStringLiteral("127.0.0.1")); // starts the network
    EXPECT_TRUE(client.Library().endsWith(QStringLiteral("libwiretalk.so.3.20")) ||
                client.Library().endsWith(QStringLiteral("libwiretalk.so")))
        << client.Library().toStdString();
    EXPECT_EQ(client.Vendor(), QStringLiteral("POSIX sockets"));
    EXPECT_EQ(client.Version(), QStringLiteral("1.1"));
    EXPECT_EQ(raisedNumber([&] { client.setLibrary(QStringLiteral("other.so")); }), 387);
    EXPECT_EQ(client.State(), TelnetClient::StateIdle);
    EXPECT_EQ(client.Handle(), -1);
    EXPECT_EQ(client.Socket(), -1);
    EXPECT_EQ(client.RecvNext(), 0);
    EXPECT_FALSE(client.IsReadable());
    EXPECT_FALSE(client.IsBlocked());
}

TEST(Persistence, ARoundTripKeepsEveryPersistedProperty)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("control.ini")), QSettings::IniFormat);
    {
        TelnetClient saved;
        saved.setAutoResolve(false);
        saved.setBinary(false);
        saved.setBlocking(true);
        saved.setDebug(true);
        saved.setHostAddress(QStringLiteral("127.0.0.2"));
        saved.setLocalEcho(true);
        saved.setRemotePort(2323);
        saved.setTerminal(QStringLiteral("vt220"));
        saved.setTimeout(45);
        EXPECT_TRUE(saved.isModified());
        settings.beginGroup(QStringLiteral("TelnetClient1"));
        saved.saveProperties(settings);
        settings.endGroup();
        EXPECT_FALSE(saved.isModified());
    }
    TelnetClient loaded;
    settings.beginGroup(QStringLiteral("TelnetClient1"));
    loaded.loadProperties(settings);
    settings.endGroup();
    EXPECT_FALSE(loaded.AutoResolve());
    EXPECT_FALSE(loaded.Binary());
    EXPECT_TRUE(loaded.Blocking());
    EXPECT_TRUE(loaded.Debug());
    EXPECT_EQ(loaded.HostAddress(), QStringLiteral("127.0.0.2"));
    EXPECT_EQ(loaded.HostName(), QString());
    EXPECT_TRUE(loaded.LocalEcho());
    EXPECT_EQ(loaded.RemotePort(), 2323);
    EXPECT_EQ(loaded.Terminal(), QStringLiteral("vt220"));
    EXPECT_EQ(loaded.Timeout(), 45);
}

TEST(Persistence, LoadingRevalidatesAndLeavesMissingValuesAlone)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("control.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("AutoResolve"), false);
    settings.setValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.9")); // an address as a name
    settings.setValue(QStringLiteral("RemotePort"), 0);
    settings.setValue(QStringLiteral("RemoteService"), QStringLiteral("telnet"));
    settings.setValue(QStringLiteral("Timeout"), 900);
    TelnetClient client;
    client.setTerminal(QStringLiteral("keep-me"));
    client.loadProperties(settings);
    EXPECT_EQ(client.HostAddress(), QStringLiteral("127.0.0.9"));
    EXPECT_EQ(client.HostName(), QString());
    EXPECT_EQ(client.RemotePort(), 23);
    EXPECT_EQ(client.Timeout(), 600);
    EXPECT_EQ(client.Terminal(), QStringLiteral("keep-me"));

    // An invalid stored address does not stop the load.
    settings.setValue(QStringLiteral("HostAddress"), QStringLiteral("999.1.1.1"));
    settings.setValue(QStringLiteral("RemotePort"), 2424);
    EXPECT_NO_THROW(client.loadProperties(settings));
    EXPECT_EQ(client.RemotePort(), 2424);
}

TEST(PropertyPage, ShowsTheControlsValuesAndWritesBackOnOk)
{
    TelnetClient client;
    client.setUserMode(false); // design time: no look-ups while the page writes
    client.setTerminal(QStringLiteral("ansi"));
    QString shownTerminal;
    QTimer::singleShot(0, [&] {
        QWidget *page = QApplication::activeModalWidget();
        ASSERT_NE(page, nullptr);
        shownTerminal = page->findChild<QLineEdit *>(QStringLiteral("txtTerminal"))->text();
        page->findChild<QLineEdit *>(QStringLiteral("txtHostName"))->setText(QStringLiteral("unit7"));
        page->findChild<QSpinBox *>(QStringLiteral("spnPort"))->setValue(2323);
        page->findChild<QSpinBox *>(QStringLiteral("spnTimeout"))->setValue(30);
        page->findChild<QCheckBox *>(QStringLiteral("chkLocalEcho"))->setChecked(true);
        page->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(client.ShowPropertyPage());
    EXPECT_EQ(shownTerminal, QStringLiteral("ansi"));
    EXPECT_EQ(client.HostName(), QStringLiteral("unit7"));
    EXPECT_EQ(client.RemotePort(), 2323);
    EXPECT_EQ(client.Timeout(), 30);
    EXPECT_TRUE(client.LocalEcho());

    QTimer::singleShot(0, [] {
        QApplication::activeModalWidget()
            ->findChild<QDialogButtonBox *>()
            ->button(QDialogButtonBox::Cancel)
            ->click();
    });
    EXPECT_FALSE(client.ShowPropertyPage());
}

} // namespace
