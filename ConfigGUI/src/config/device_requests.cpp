#include "config/device_requests.h"

#include "config/command_error.h"
#include "config/command_text.h"

#include <array>

namespace linkset {
namespace {

using command_text::fromTable;

constexpr std::string_view kFurtherList = "Further list block, asked for during retrieval";
constexpr std::string_view kEthernetAddress = "ip address ethernet ";

constexpr std::array kRequests{
    RequestRow{"Table 1", "Routing table list", TelnetWait{.seconds = 40}, SerialWait{}},
    RequestRow{"Table 2", kFurtherList, {}, {}},
    RequestRow{"Table 3", kFurtherList, {}, {}},
    RequestRow{"Table 4", "Interface statistics list", {}, {}},
    RequestRow{"Table 5", kFurtherList, {}, {}},
    RequestRow{"Table 6", kFurtherList, {}, {}},
    RequestRow{"Table 7", "IP statistics list", {}, {}},
    RequestRow{"Table 8", "Packet-loss list", {}, {}},
    RequestRow{"Table 9", kFurtherList, {}, {}},
    RequestRow{"Table 10", kFurtherList, {}, {}},
    RequestRow{"Table 11", kFurtherList, {}, {}},
    RequestRow{"Table 12", kFurtherList, {}, {}},
    RequestRow{"Capability", "Feature list of the unit", {}, {}},
    RequestRow{"Radio RSSI", "Signal strength", {}, SerialWait{.exchange = SerialExchange::Monitor}},
    RequestRow{"arp flush", "Flush the ARP table", {}, {}},
    RequestRow{kEthernetAddress, "Change the Ethernet address in one command",
               TelnetWait{.seconds = 3, .quiet = true}, SerialWait{}},
};

const RequestRow &requestRow(std::string_view text)
{
    for (const RequestRow &row : kRequests)
        if (row.text == text)
            return row;
    throw CommandError("There is no device command \"" + std::string(text) + "\".");
}

DeviceCommand commandFrom(const RequestRow &row, const QString &arguments = QString())
{
    return DeviceCommand{.text = fromTable(row.text) + arguments, .telnet = row.telnet, .serial = row.serial};
}

} // namespace

std::span<const RequestRow> requestTable()
{
    return kRequests;
}

DeviceCommand tableRequest(int table)
{
    return commandFrom(requestRow("Table " + std::to_string(table)));
}

DeviceCommand capabilityRequest()
{
    return commandFrom(requestRow("Capability"));
}

DeviceCommand radioRssiRequest()
{
    return commandFrom(requestRow("Radio RSSI"));
}

DeviceCommand arpFlushCommand()
{
    return commandFrom(requestRow("arp flush"));
}

DeviceCommand ethernetAddressCommand(const QString &address, const QString &netmask)
{
    const QString owner = QStringLiteral("the Ethernet address command");
    return commandFrom(requestRow(kEthernetAddress), command_text::singleLine(address, owner) + u' ' +
                                                         command_text::singleLine(netmask, owner));
}

} // namespace linkset
