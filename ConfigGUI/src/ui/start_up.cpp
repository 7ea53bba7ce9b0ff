#include "ui/start_up.h"

#include "forms/configuration_transfer.h"
#include "session/connection.h"
#include "dialogs/dialog_placement.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui/monitoring_rate.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTimer>

namespace {

void fillNumbers(QComboBox *combo, int from, int to)
{
    const int step = from <= to ? 1 : -1;
    for (int value = from;; value += step) {
        combo->addItem(QString::number(value));
        if (value == to)
            break;
    }
}

// Every column is wide enough for its caption. The first column of a two-column list takes
// what the second leaves; the last column of the station list takes what the first two leave.
void fitListColumns(frmTevoHadraConfig &w)
{
    for (QTreeWidget *list : w.findChildren<QTreeWidget *>())
        for (int column = 0; column < list->columnCount(); ++column)
            list->resizeColumnToContents(column);
    for (QTreeWidget *list : {w.ui->lviewSNMPCommunities, w.ui->lviewTrapServers}) {
        list->header()->setStretchLastSection(false);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    w.ui->lviewStationsAdded->header()->setStretchLastSection(true);
}

} // namespace

void runStartUp(frmTevoHadraConfig &w)
{
    QTimer::singleShot(0, &w, [&w] { centreOnScreen(w); });
    fitListColumns(w);
    session::LoadSerialSettings(w);
    applySavedMonitoringRate(w);
    w.blnFormsView = true;
    w.strStatusText = QLatin1String(forms::kRetrievingStatusText);

    w.ui->SSTab1->setCurrentIndex(0);
    w.ui->IPRoutingSubTab->setCurrentIndex(0);
    w.ui->IPRoutingSubTab->setTabVisible(1, false);
    w.ui->IPRoutingSubTab->setTabVisible(2, false);
    w.chkRoutingMode(0)->setCheckState(Qt::PartiallyChecked);

    fillNumbers(w.ui->cmbRSSIThreshold, 40, 0);
    w.ui->cmbRSSIThreshold->setCurrentIndex(-1);
    w.EnableRSSIOptions(false);

    fillNumbers(w.ui->cmbHistoryMins, 0, 59);
    fillNumbers(w.ui->cmbHistoryHrs, 0, 24);
    w.ui->cmbHistoryHrs->setCurrentIndex(0);
    w.ui->cmbHistoryMins->setCurrentIndex(1);

    fillNumbers(w.ui->cmbRIPInterval, 1, 600);
    fillNumbers(w.ui->cmbRIPExpire, 1, 600);
    w.ui->cmbRIPInterval->setCurrentIndex(0);
    w.ui->cmbRIPExpire->setCurrentIndex(0);

    // The RSSI history has one trace; the packet-error history one per station.
    w.iStripChartX1(1)->addChannel(QStringLiteral("RSSI"), Qt::yellow, 2);

    w.stationColours = {QColor(0xFFFF00), QColor(0xFF0000), QColor(0x0000FF), QColor(0xFFFFFF),
                        QColor(0xFF00FF), QColor(0x00FFFF), QColor(0x808000), QColor(0x008080),
                        QColor(0x008080), QColor(0xC0C0C0)};
}
