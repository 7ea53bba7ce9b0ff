#include "ui/monitoring_rate.h"

#include "platform/settings_store.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QTimer>

void connectMonitoringRate(frmTevoHadraConfig &w)
{
    const auto onTriggered = [&w](QAction *entry, int seconds) {
        QObject::connect(entry, &QAction::triggered, &w, [&w, seconds] { setMonitoringRate(w, seconds); });
    };
    onTriggered(w.ui->mnuUtilitiesMonitoringRate5sec, 5);
    onTriggered(w.ui->mnuUtilitiesMonitoringRate30sec, 30);
    onTriggered(w.ui->mnuUtilitiesMonitoringRate60sec, 60);
}

void setMonitoringRate(frmTevoHadraConfig &w, int seconds)
{
    w.ui->mnuUtilitiesMonitoringRate5sec->setChecked(seconds == 5);
    w.ui->mnuUtilitiesMonitoringRate30sec->setChecked(seconds == 30);
    w.ui->mnuUtilitiesMonitoringRate60sec->setChecked(seconds == 60);
    w.tmrPacketStats->setInterval(seconds * 1000);
    w.tmrRSSI->setInterval(seconds * 1000);
    w.strStatsSpeed = QString::number(seconds);
}

void applySavedMonitoringRate(frmTevoHadraConfig &w)
{
    const QString saved = platform::loadSetting(QStringLiteral("StatsSpeed"), QStringLiteral("5"));
    if (saved == QLatin1String("60"))
        setMonitoringRate(w, 60);
    else if (saved == QLatin1String("30"))
        setMonitoringRate(w, 30);
    else
        setMonitoringRate(w, 5);
}
