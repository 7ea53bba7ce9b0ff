#include "forms/config_record.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QTreeWidget>

namespace forms {

namespace {

ListSetting listOf(const QTreeWidget &list)
{
    ListSetting entries;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem &item = *list.topLevelItem(i);
        QStringList fields;
        for (int column = 0; column < list.columnCount(); ++column)
            fields << item.text(column);
        entries << fields;
    }
    return entries;
}

QString selectedIndex(const frmTevoHadraConfig &w, const char *array)
{
    const int id = w.optionGroup(QLatin1String(array))->checkedId();
    return id < 0 ? QString() : QString::number(id);
}

} // namespace

void ReadFormConfig(const frmTevoHadraConfig &w, ConfigRecord &record)
{
    const Ui::frmTevoHadraConfig &ui = *w.ui;
    record.ethernetAddress = ui.txtEthernetIP->text();
    record.ethernetNetmask = w.cmboNetmask(0)->currentText();
    record.radioAddress = ui.txtRadioIP->text();
    record.radioNetmask = w.cmboNetmask(1)->currentText();
    record.radioType = selectedIndex(w, "optRadioType");
    record.radioChannel = ui.cmboRadioChannel->currentText();
    record.radioSpeed = ui.cmboRadioSpeed->currentText();
    record.localId = ui.txtLocalID->text();
    record.remoteStations = listOf(*ui.lviewStationsAdded);
    const QCheckBox &rip = *w.chkRoutingMode(1);
    record.ripEnabled = !rip.isHidden() && rip.isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    record.routingMode = QStringLiteral("1");
    record.forwardingMode = selectedIndex(w, "optForwardingMode");
    record.staticRoutes = listOf(*ui.lviewRouterRoutes);
    record.ripActive = selectedIndex(w, "optRIPActive");
    // The RIP version options are "Version 1" and "Version 2": the setting is the number.
    const QString versionIndex = selectedIndex(w, "optRIPVersion");
    record.ripVersion = versionIndex.isEmpty() ? QString() : QString::number(versionIndex.toInt() + 1);
    record.ripInterval = ui.cmbRIPInterval->currentText();
    record.ripExpire = ui.cmbRIPExpire->currentText();
    record.ripDefaultRoute = selectedIndex(w, "optRIPDefaultRoute");
    record.ripMulticast = selectedIndex(w, "optRIPMulticast");
    record.ripStaticRouteUpdates = selectedIndex(w, "optRIPStaticRouteUpdate");
    record.dhcpMode = selectedIndex(w, "optDHCPMode");
    record.systemName = ui.txtSNMPName->text();
    record.systemContact = ui.txtSNMPContact->text();
    record.systemLocation = ui.txtSNMPLocation->text();
    record.snmpCommunities = listOf(*ui.lviewSNMPCommunities);
    record.trapServers = listOf(*ui.lviewTrapServers);
    record.dnsDomainName = ui.txtDNSDomainName->text();
    record.dnsServers = listOf(*ui.lviewDNSServers);
    record.dhcpRelayServers = listOf(*ui.lviewDHCPServers);
    record.routerAddress = ui.txtRouterIP->text();
    record.routerNetmask = w.cmboNetmask(2)->currentText();
    record.radiusAddress = ui.txtRadiusIP->text();
    record.radiusNetmask = w.cmboNetmask(3)->currentText();
    record.rssiThreshold = ui.cmbRSSIThreshold->currentText();
    record.newPassword = w.pendingNewPassword;
}

} // namespace forms
