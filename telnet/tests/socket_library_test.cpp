// `Library` naming another shared object: a library that cannot be loaded, one whose
// start-up fails, and one that lacks most entry points. The library is loaded once per
// process, so these steps run in order in one test.
#include "raised_error.h"
#include "wiretalk/socket_layer.h"
#include "wiretalk/telnet_client.h"
#include "wiretalk/telnet_engine.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace wiretalk;

using wiretalk::testing::raisedNumber;

namespace {

TEST(SocketLibrary, MissingFailingAndPartialLibraries)
{
    // 1. No such library: start-up fails with 10091, the control raises 68 before any
    //    session is tried, and SocketError reads 10093 + 14000.
    TelnetClient missing;
    missing.setLibrary(QStringLiteral("/nonexistent/libno-sockets.so"));
    missing.setRemotePort(0);
    EXPECT_EQ(raisedNumber([&] { missing.Connect(); }), 68);
    EXPECT_EQ(missing.SocketError(), 24093);
    WSAData data{};
    EXPECT_EQ(SocketStartup("/nonexistent/libno-sockets.so", 0x0101, &data), kWsaSysNotReady);
    EXPECT_EQ(SocketRelease(), -1);

    // 2. A library whose start-up fails: the control raises 68, sessions fail with 27501.
    void *module = dlopen(WIRETALK_FAULT_LIBRARY, RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    auto setStartupResult = reinterpret_cast<void (*)(int)>(dlsym(module, "FaultSetStartupResult"));
    ASSERT_NE(setStartupResult, nullptr);
    setStartupResult(kWsaVerNotSupported);
    TelnetClient client;
    client.setLibrary(QStringLiteral(WIRETALK_FAULT_LIBRARY));
    EXPECT_EQ(raisedNumber([&] { client.setHostAddress(QStringLiteral("127.0.0.1")); }), 68);
    EXPECT_EQ(TelnetConnect("127.0.0.1", 23, 5, nullptr, 0), -1);
    EXPECT_EQ(TelnetLastError(), kErrNetworkInit);

    // 3. It starts now, and the library stays the one loaded for the whole process.
    setStartupResult(0);
    client.setHostAddress(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client.Vendor(), QStringLiteral("Fault-injection sockets"));
    EXPECT_EQ(client.Version(), QStringLiteral("1.2"));
    EXPECT_TRUE(client.Library().endsWith(QStringLiteral("wiretalk_fault_sockets.so")))
        << client.Library().toStdString();
    EXPECT_EQ(client.SocketError(), 10050 + 14000);
    EXPECT_EQ(client.HostName(), QString()); // no gethostbyaddr: nothing resolved

    // Missing entry points give their fixed results.
    EXPECT_EQ(SocketHtons(0x1234), 0x1234);
    EXPECT_EQ(SocketCreate(AF_INET, SOCK_STREAM, 0), -1);
    EXPECT_EQ(SocketHostByName("localhost"), nullptr);
    EXPECT_EQ(SocketIsBlocking(), 0);
    EXPECT_EQ(DottedAddress(ParseAddress("1.2.3.4")), "9.9.9.9"); // bound by name

    // Without socket() a connection fails with 27509, reported through LastError.
    short reported = 0;
    QObject::connect(&client, &TelnetClientEvents::LastError,
                     [&](short &code, QString &, short &) { reported = code; });
    client.setRemotePort(23);
    EXPECT_EQ(client.Connect(), 27509);
    EXPECT_EQ(reported, 27509);
    EXPECT_EQ(client.State(), TelnetClient::StateConnected); // every error report leaves State at 1
    EXPECT_EQ(client.Handle(), -1);
    dlclose(module);
}

} // namespace
