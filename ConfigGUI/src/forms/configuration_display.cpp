#include "forms/configuration_display.h"

#include "monitor/packet_error_displays.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QRadioButton>

void ClearConfigurationDisplay(frmTevoHadraConfig &w)
{
    Ui::frmTevoHadraConfig &ui = *w.ui;
    for (QLineEdit *text :
         {ui.txtESN, ui.txtQDVVersion, ui.txtModelType, ui.txtMACAddress, ui.txtEthernetIP, ui.txtRadioIP,
          ui.txtLocalID, ui.txtSNMPName, ui.txtSNMPContact, ui.txtSNMPLocation, ui.txtDNSDomainName,
          ui.txtRouterIP, ui.txtRadiusIP, ui.txtRadioIFSpacing, w.txtPassword(1), w.txtPassword(2)})
        text->clear();

    ui.fraDHCPServers->setEnabled(false);
    w.option(QStringLiteral("optDHCPMode"), 0)->setChecked(true);

    for (QTreeWidget *list : {ui.lviewStationsAdded, ui.lviewRouterRoutes, ui.lviewSNMPCommunities,
                              ui.lviewTrapServers, ui.lviewIFStats, ui.lviewDNSServers, ui.lviewDHCPServers})
        list->clear();

    monitor::resetPacketLossDisplays(w);
    w.blnTerminalTyped = false;
}
