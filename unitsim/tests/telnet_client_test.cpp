// The unit driven as the utility drives it over telnet: through the project's own
// TelnetClient control in its asynchronous mode, answering the login prompts with the
// value and one line feed, ending each command with a carriage return and waiting for
// the prompt.
#include "unitsim/simulated_unit.h"
#include "wiretalk/telnet_client.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace unitsim {
namespace {

using namespace std::chrono_literals;
using wiretalk::TelnetClient;
using wiretalk::TelnetClientEvents;

bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class UtilitySession
{
public:
    UtilitySession(std::uint16_t port)
    {
        client.setHostAddress(QStringLiteral("127.0.0.1"));
        client.setRemotePort(port);
        QObject::connect(&client, &TelnetClientEvents::Connect, [this] { connected = true; });
        QObject::connect(&client, &TelnetClientEvents::Disconnect, [this] { disconnected = true; });
        QObject::connect(&client, &TelnetClientEvents::Read, [this](short &length) {
            // The control may hold more than it announces (the announced count includes
            // telnet commands it consumes), and raises no further event for the rest:
            // read until it holds nothing.
            QString text;
            for (short next = length; next > 0; next = client.RecvNext()) {
                QString part;
                if (client.Read(part, next) <= 0)
                    break;
                text += part;
            }
            if (!text.isEmpty())
                onText(text);
        });
    }

    bool open()
    {
        return client.Connect() == 0 && waitUntil([this] { return connected; }) &&
               waitUntil([this] { return prompt; });
    }

    // Sends a command and returns what arrived up to and with the prompt.
    QString command(const QString &line)
    {
        received.clear();
        prompt = false;
        const QString text = line + QLatin1Char('\r');
        client.Write(text, static_cast<short>(text.size()));
        waitUntil([this] { return prompt; });
        return received;
    }

    TelnetClient client;
    QString received;
    bool connected = false;
    bool disconnected = false;
    bool prompt = false;
    int loginAnswers = 0;

private:
    void onText(const QString &text)
    {
        received += text;
        const QString upper = text.toUpper();
        // The utility answers a login request with the value and one line feed.
        if (upper.contains(QLatin1String("USERNAME")) || upper.contains(QLatin1String("PASSWORD"))) {
            const QString answer = upper.contains(QLatin1String("USERNAME")) ? QStringLiteral("admin\n")
                                                                             : QStringLiteral("radio\n");
            ++loginAnswers;
            client.Write(answer, static_cast<short>(answer.size()));
            return;
        }
        if (text.contains(QLatin1Char('>')))
            prompt = true;
    }
};

// The value of a "GET=1;" reply for the code, or an empty string.
QString valueIn(const QString &reply, const QString &code)
{
    const QString key = QStringLiteral("GET=1;") + code + QLatin1Char('=');
    const auto start = reply.indexOf(key);
    if (start < 0)
        return {};
    const auto from = start + key.size();
    const auto end = reply.indexOf(QRegularExpression(QStringLiteral("[;\r\n]")), from);
    return reply.mid(from, end - from);
}

TEST(UtilityOverTelnet, RetrievesChangesSavesRebootsAndFindsTheSavedValues)
{
    UnitOptions options;
    options.rebootDelay = 20ms;
    SimulatedUnit unit(options);
    unit.start();

    UtilitySession session(unit.telnetPort());
    ASSERT_TRUE(session.open()) << session.received.toStdString() << " connected " << session.connected;
    EXPECT_EQ(session.loginAnswers, 2);
    EXPECT_EQ(unit.terminalType(), "ansi");

    // The retrieval reads every parameter and list the utility asks for.
    const QStringList retrieval = {
        "Get 01",  "Get 02",     "Get 03",   "Get 04",   "Get 05",  "Get 10",  "Get 11",  "Get 12",
        "Get 13",  "Get 14",     "Get 15",   "Get 16",   "Get 17",  "Get 18",  "Get 19",  "Get 1B",
        "Get 1C",  "Get 29",     "Get 41",   "Get 42",   "Get 43",  "Get 44",  "Get 45",  "Get 46",
        "Get 47",  "Get 48",     "Table 5",  "Get 4A",   "Table 1", "Table 2", "Table 3", "Table 4",
        "Table 8", "Table 6",    "Table 11", "Table 12", "Get 52",  "Table 9", "Get 30",  "Table 10",
        "Get 58",  "Capability", "Get 34",   "Get 33",   "IP RIP"};
    for (const QString &command : retrieval) {
        const QString reply = session.command(command);
        EXPECT_TRUE(reply.endsWith(QLatin1Char('>'))) << command.toStdString();
        EXPECT_FALSE(reply.contains(QLatin1String("ERROR"))) << command.toStdString() << reply.toStdString();
    }
    EXPECT_EQ(valueIn(session.command("Get 10"), "10"), "192.168.1.1");

    // Changes as the update writes them, then the save.
    for (const QString &write :
         {QStringLiteral("Set 01=Hill Relay"), QStringLiteral("ip route add 10.30.0.0 16 10.0.0.3"),
          QStringLiteral("Set 23=night write"), QStringLiteral("radio channel 9"),
          QStringLiteral("Set 60= 1")})
        EXPECT_TRUE(session.command(write).contains(QLatin1String("OK\r\n>"))) << write.toStdString();
    session.command("Set 03=Lost On Reboot");

    // The reboot: the unit closes the session.
    const QString reboot = QStringLiteral("Set 62= 1\r");
    session.client.Write(reboot, static_cast<short>(reboot.size()));
    ASSERT_TRUE(waitUntil([&] { return session.disconnected; }));
    session.client.Disconnect();
    ASSERT_TRUE(unit.waitUntilServing(5s));

    UtilitySession again(unit.telnetPort());
    ASSERT_TRUE(again.open());
    EXPECT_EQ(valueIn(again.command("Get 01"), "01"), "Hill Relay");
    EXPECT_EQ(valueIn(again.command("Get 43"), "43"), "9");
    EXPECT_EQ(valueIn(again.command("Get 03"), "03"), "North Tower");
    EXPECT_TRUE(again.command("Table 1").contains(QLatin1String("IP ROUTE=10.30.0.0;16;10.0.0.3;Static")));
    EXPECT_TRUE(again.command("Table 2").contains(QLatin1String("SNMP COMMUNITY=night;write")));

    // Every command line reached the unit as sent.
    const auto lines = unit.receivedLines();
    ASSERT_GE(lines.size(), static_cast<std::size_t>(retrieval.size()));
    for (int i = 0; i < retrieval.size(); ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].text, retrieval[i].toStdString());
    again.client.Disconnect();
}

} // namespace
} // namespace unitsim
