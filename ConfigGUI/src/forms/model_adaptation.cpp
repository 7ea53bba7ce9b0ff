#include "forms/model_adaptation.h"

#include "ui/frmTevoHadraConfig.h"
#include "forms/option_rules.h"
#include "ui_frmTevoHadraConfig.h"

#include <QCheckBox>
#include <QRadioButton>

namespace {

struct RadioTypes
{
    const char *stationCaption;
    bool stationEnabled;
    const char *masterCaption;
    bool masterEnabled;
};

void showRadioTypes(frmTevoHadraConfig &w, const RadioTypes &types)
{
    w.optRadioType(0)->setText(QString::fromLatin1(types.stationCaption));
    w.optRadioType(0)->setEnabled(types.stationEnabled);
    w.optRadioType(1)->setText(QString::fromLatin1(types.masterCaption));
    w.optRadioType(1)->setEnabled(types.masterEnabled);
}

void showStationCaptions(frmTevoHadraConfig &w, const char *remote, const char *local)
{
    w.ui->fraRemoteStations->setTitle(QString::fromLatin1(remote));
    w.ui->fraLocalStationID->setTitle(QString::fromLatin1(local));
}

void enableDhcpFrames(frmTevoHadraConfig &w, bool enabled)
{
    w.ui->fraDHCPMode->setEnabled(enabled);
    w.ui->fraDHCPServers->setEnabled(enabled);
}

} // namespace

void adaptToModel(frmTevoHadraConfig &w)
{
    const QString text = w.ui->txtQDVVersion->text();
    const auto has = [&text](const char *word) { return text.contains(QLatin1String(word)); };
    const bool oldVersion = has("v1.0") || has("v1.1") || has("v1.2");
    QCheckBox *staticRouting = w.chkRoutingMode(0);

    if (has("Tevo")) {
        w.ui->fraForwardingMode->hide();
        applyForwardingLayout(w);
        showRadioTypes(w, {"&Tevo", true, "&Hadra", false});
        showStationCaptions(w, "Remote Hadra ID List:", "Local Tevo ID:");
        if (oldVersion) {
            enableDhcpFrames(w, false);
            staticRouting->hide();
        } else if (has("v1.3")) {
            staticRouting->setEnabled(true);
        } else {
            enableDhcpFrames(w, true);
            staticRouting->setEnabled(true);
        }
    } else if (has("Hadra")) {
        w.ui->fraForwardingMode->show();
        w.optForwardingMode(0)->setEnabled(false);
        showRadioTypes(w, {"&Tevo", false, "&Hadra", true});
        w.ui->fraNapRouter->setEnabled(true);
        showStationCaptions(w, "Remote Tevo ID List:", "Local Hadra ID:");
        if (oldVersion)
            enableDhcpFrames(w, false);
        staticRouting->setEnabled(!oldVersion);
    } else if (has("WL") || has("QDV")) {
        w.ui->fraForwardingMode->show();
        w.optForwardingMode(0)->setEnabled(true);
        showRadioTypes(w, {"&Station", true, "&Master", true});
        showStationCaptions(w, "Remote Station ID List:", "Local Device ID:");
        const bool knownOld = oldVersion || has("v1.3");
        if (knownOld)
            enableDhcpFrames(w, false);
        staticRouting->setEnabled(!knownOld);
    }
    w.setWindowTitle(QStringLiteral("Corvane ") + text + QStringLiteral(" Configuration Utility"));
}
