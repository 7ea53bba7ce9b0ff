#pragma once

#include "config/device_command.h"

#include <QString>
#include <span>
#include <string_view>

namespace linkset {

// A command of the unit that is not a parameter: a list request, a query or an action word.
struct RequestRow
{
    std::string_view text = {}; // the whole command, or the words before its arguments
    std::string_view purpose = {};
    TelnetWait telnet = {};
    SerialWait serial = {};
};

// Every such command, list requests first.
std::span<const RequestRow> requestTable();

// "Table 1" to "Table 12": ask for a list block. Throws CommandError for another number.
DeviceCommand tableRequest(int table);

// "Capability": the unit's feature list.
DeviceCommand capabilityRequest();

// "Radio RSSI": the signal strength, polled by the monitor.
DeviceCommand radioRssiRequest();

// "arp flush": empty the unit's ARP table.
DeviceCommand arpFlushCommand();

// "ip address ethernet " address " " netmask: change the Ethernet address in one command. The
// unit takes its new address at once and the telnet connection drops, so the telnet wait is
// short and quiet. Throws CommandError when either part holds a line break.
DeviceCommand ethernetAddressCommand(const QString &address, const QString &netmask);

} // namespace linkset
