#pragma once
// ConfigRecord: every configurable setting of a unit as text, plus the list settings. The
// window holds two, the one taken after a retrieval and the one read before an update or a
// save; ReadFormConfig reads a record from the window's controls.
#include <QList>
#include <QString>
#include <QStringList>

class frmTevoHadraConfig;

namespace forms {

// A list setting: one entry per list-view item, its text first, then its sub-items in
// column order.
using ListSetting = QList<QStringList>;

struct ConfigRecord
{
    QString ethernetAddress;       // 10
    QString ethernetNetmask;       // 11
    QString radioAddress;          // 12
    QString radioNetmask;          // 13
    QString radioType;             // 41: "0" station, "1" master
    QString radioChannel;          // 43
    QString radioSpeed;            // 45
    QString localId;               // 47
    ListSetting remoteStations;    // 50, 51
    QString ripEnabled;            // 35: "1" when the RIP box is shown and ticked
    QString routingMode;           // 14: always "1"
    QString forwardingMode;        // 16: "0" bridging, "1" routing
    ListSetting staticRoutes;      // 1F, 20
    QString ripActive;             // 17
    QString ripVersion;            // 19: "1" or "2"
    QString ripInterval;           // 33
    QString ripExpire;             // 34
    QString ripDefaultRoute;       // 18
    QString ripMulticast;          // 1B
    QString ripStaticRouteUpdates; // 1C
    QString dhcpMode;              // 30
    QString systemName;            // 01
    QString systemContact;         // 02
    QString systemLocation;        // 03
    ListSetting snmpCommunities;   // 23, 24
    ListSetting trapServers;       // 25, 26
    QString dnsDomainName;         // 15
    ListSetting dnsServers;        // 21, 22
    ListSetting dhcpRelayServers;  // 31, 32
    QString routerAddress;         // 27
    QString routerNetmask;         // 28
    QString radiusAddress;         // 29
    QString radiusNetmask;         // 2A
    QString rssiThreshold;         // 58
    QString newPassword;           // 06: empty when unchanged, "None" after a reset

    bool operator==(const ConfigRecord &) const = default;
};

void ReadFormConfig(const frmTevoHadraConfig &w, ConfigRecord &record);

} // namespace forms
