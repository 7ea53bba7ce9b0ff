// Commands of the unit that are not parameters: list requests, queries and action words.
#include "config/command_error.h"
#include "config/device_requests.h"

#include <gtest/gtest.h>

using namespace linkset;

TEST(DeviceRequests, TableRequestsWaitFortySecondsOverTelnetOnlyForTheRoutingTable)
{
    for (int table = 1; table <= 12; ++table) {
        SCOPED_TRACE(table);
        const DeviceCommand request = tableRequest(table);
        EXPECT_EQ(request.text, QStringLiteral("Table %1").arg(table));
        EXPECT_EQ(request.telnet, (TelnetWait{.seconds = table == 1 ? 40 : 20}));
        EXPECT_EQ(request.serial, (SerialWait{.seconds = 20.0}));
        EXPECT_TRUE(request.serialNotice.isEmpty());
    }
}

TEST(DeviceRequests, RefusesTablesTheUnitDoesNotHave)
{
    for (int table : {0, 13, -1, 100})
        EXPECT_THROW(tableRequest(table), CommandError) << table;
}

TEST(DeviceRequests, QueriesAndActionWords)
{
    EXPECT_EQ(capabilityRequest(), (DeviceCommand{.text = QStringLiteral("Capability")}));
    EXPECT_EQ(arpFlushCommand(), (DeviceCommand{.text = QStringLiteral("arp flush")}));

    const DeviceCommand rssi = radioRssiRequest();
    EXPECT_EQ(rssi.text, QStringLiteral("Radio RSSI"));
    EXPECT_EQ(rssi.telnet, TelnetWait{});
    EXPECT_EQ(rssi.serial.exchange, SerialExchange::Monitor);
    EXPECT_EQ(capabilityRequest().serial.exchange, SerialExchange::Command);
}

TEST(DeviceRequests, EthernetAddressInOneCommandWaitsBrieflyAndQuietlyOverTelnet)
{
    const DeviceCommand command =
        ethernetAddressCommand(QStringLiteral("192.168.1.20"), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(command.text, QStringLiteral("ip address ethernet 192.168.1.20 255.255.255.0"));
    EXPECT_EQ(command.telnet, (TelnetWait{.seconds = 3, .quiet = true}));
    EXPECT_EQ(command.serial, SerialWait{});

    EXPECT_THROW(ethernetAddressCommand(QStringLiteral("10.0.0.1\rSet 61= 1"), QStringLiteral("255.0.0.0")),
                 CommandError);
    EXPECT_THROW(ethernetAddressCommand(QStringLiteral("10.0.0.1"), QStringLiteral("255.0.0.0\n")),
                 CommandError);
}

TEST(DeviceRequests, EveryRowOfTheTableCanBeBuilt)
{
    int built = 0;
    for (const RequestRow &row : requestTable()) {
        const QString text = QString::fromLatin1(row.text.data(), qsizetype(row.text.size()));
        SCOPED_TRACE(text.toStdString());
        DeviceCommand command;
        if (text.startsWith(QStringLiteral("Table ")))
            command = tableRequest(text.mid(6).toInt());
        else if (text == QStringLiteral("Capability"))
            command = capabilityRequest();
        else if (text == QStringLiteral("Radio RSSI"))
            command = radioRssiRequest();
        else if (text == QStringLiteral("arp flush"))
            command = arpFlushCommand();
        else if (text == QStringLiteral("ip address ethernet "))
            command = ethernetAddressCommand(QStringLiteral("a"), QStringLiteral("m"));
        else
            ADD_FAILURE() << "no builder for this row";
        EXPECT_TRUE(command.text.startsWith(text));
        EXPECT_EQ(command.telnet, row.telnet);
        EXPECT_EQ(command.serial, row.serial);
        ++built;
    }
    EXPECT_EQ(built, 16);
}
