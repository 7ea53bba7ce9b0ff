#pragma once
// Configuration records the window-free tests of the update start from.
#include "forms/config_record.h"

// A routing unit as a retrieval leaves it in the window.
inline forms::ConfigRecord retrievedUnit()
{
    forms::ConfigRecord r;
    r.systemName = "Hadra Base";
    r.systemContact = "Network Operations";
    r.systemLocation = "North Tower";
    r.ethernetAddress = "192.168.1.1";
    r.ethernetNetmask = "255.255.255.0";
    r.radioAddress = "10.0.0.1";
    r.radioNetmask = "255.255.255.0";
    r.routingMode = "1";
    r.dnsDomainName = "example.net";
    r.forwardingMode = "1";
    r.ripActive = "1";
    r.ripDefaultRoute = "0";
    r.ripVersion = "2";
    r.ripMulticast = "1";
    r.ripStaticRouteUpdates = "0";
    r.ripInterval = "30";
    r.ripExpire = "180";
    r.ripEnabled = "1";
    r.dhcpMode = "1";
    r.radioType = "1";
    r.radioChannel = "6";
    r.radioSpeed = "11";
    r.localId = "1";
    r.rssiThreshold = "25";
    r.remoteStations = {{"101", "10.0.0.1", "10.0.0.2"}, {"102", "10.0.0.1", "10.0.0.4"}};
    r.staticRoutes = {{"192.168.1.0", "255.255.255.0", "192.168.1.1", "Direct", "", ""},
                      {"0.0.0.0", "0.0.0.0", "192.168.1.254", "Static", "", ""},
                      {"172.16.0.0", "255.255.0.0", "10.0.0.2", "Static", "", ""}};
    r.snmpCommunities = {{"public", "read"}, {"private", "write"}};
    r.trapServers = {{"192.168.1.30", "public"}};
    r.dnsServers = {{"192.0.2.53"}, {"198.51.100.53"}};
    r.dhcpRelayServers = {{"192.168.1.20"}};
    return r;
}
