#include "monitor/history_charts.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/angular_gauge.h"
#include "widgets/strip_chart.h"

#include <QComboBox>

namespace monitor {

namespace {

int numberOrIndex(const QComboBox &combo)
{
    bool numeric = false;
    const int value = combo.currentText().trimmed().toInt(&numeric);
    if (numeric)
        return value;
    return std::max(combo.currentIndex(), 0);
}

} // namespace

void UpdateRSSIHistory(frmTevoHadraConfig &w)
{
    linkset::StripChart &chart = *w.iStripChartX1(1);
    chart.BeginUpdate();
    const int index = chart.AddIndexTimeNow();
    if (chart.channelCount() > 0)
        chart.setChannelData(0, index, w.ui->iAngularGaugeX1->position());
    chart.EndUpdate();
}

std::optional<double> historySpanDays(const QComboBox &hours, const QComboBox &minutes)
{
    const double days = numberOrIndex(minutes) / 1440.0 + numberOrIndex(hours) * 60 / 1440.0;
    if (days <= 0)
        return std::nullopt;
    return days;
}

void applyTimeWindow(frmTevoHadraConfig &w)
{
    const std::optional<double> span = historySpanDays(*w.ui->cmbHistoryHrs, *w.ui->cmbHistoryMins);
    if (!span)
        return; // a window of no time keeps the charts as they are
    for (int i = 0; i < 2; ++i) {
        linkset::StripChart &chart = *w.iStripChartX1(i);
        chart.BeginUpdate();
        chart.setXAxisSpan(*span);
        chart.EndUpdate();
    }
}

} // namespace monitor
