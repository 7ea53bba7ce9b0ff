#include "monitor/packet_error_displays.h"

#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/bar_chart.h"
#include "widgets/led_matrix.h"
#include "widgets/strip_chart.h"

#include <algorithm>
#include <cmath>

namespace monitor {

namespace {

constexpr int kLedRows = 10;
const QString kDesignedStationCaption = QStringLiteral("1 2 3 4 5");

QColor ledRowColour(int row)
{
    if (row < 3)
        return Qt::red;
    if (row < 6)
        return Qt::yellow;
    return QColor(0x00, 0xFF, 0x00); // lime
}

// Runs changes between BeginUpdate and EndUpdate, also when one of them fails.
template <typename Display, typename Changes> void inOneUpdate(Display &display, Changes changes)
{
    display.BeginUpdate();
    try {
        changes();
    } catch (...) {
        display.EndUpdate();
        throw;
    }
    display.EndUpdate();
}

void unloadStationLabelsBeyondFirst(frmTevoHadraConfig &w)
{
    while (w.lblStationsElements.size() > 1)
        delete w.lblStationsElements.takeLast();
}

void placeStationLabel(frmTevoHadraConfig &w, QLabel *label, int column)
{
    const QRect led = w.ui->iLedMatrixX1->indicatorRect(column, 0);
    label->setGeometry(led.x(), 0, led.width(), w.ui->fraStationLabels->height());
}

} // namespace

int litLedCount(double rate)
{
    return int(std::lround(std::clamp(rate, 0.0, double(kLedRows))));
}

int indicatorWidthFor(int stations)
{
    return kDesignedIndicatorWidth + 29 * (kMaxStationDisplays - stations) / stations;
}

QString stationCaption(const QString &stationId)
{
    QString caption;
    for (const QChar c : stationId.trimmed())
        caption += c + QLatin1Char(' ');
    return caption;
}

void SetupDiagnostics(frmTevoHadraConfig &w)
{
    const StationTable &table = w.StationChartTable;
    const int n = std::min(table.stationCount(), kMaxStationDisplays);
    linkset::LedMatrix &leds = *w.ui->iLedMatrixX1;
    linkset::StripChart &chart = *w.iStripChartX1(0);

    w.ui->MSChartPacketLoss->setChartData(table.chartData());
    if (n == 0)
        return; // no station yet: the displays keep their designed state

    inOneUpdate(chart, [&] { chart.removeAllChannels(); });
    unloadStationLabelsBeyondFirst(w);

    inOneUpdate(leds, [&] {
        leds.setColumnCount(n);
        leds.setIndicatorWidth(indicatorWidthFor(n));
        for (int column = 0; column < n; ++column)
            for (int row = 0; row < kLedRows; ++row)
                leds.setIndicatorActiveColor(column, row, ledRowColour(row));
    });

    for (int i = 0; i < n; ++i) {
        QLabel *label = w.lblStations(0);
        if (i > 0) {
            label = new QLabel(w.ui->fraStationLabels);
            label->setObjectName(QStringLiteral("lblStations_%1").arg(i));
            label->setAlignment(w.lblStations(0)->alignment());
            label->setWordWrap(true);
            w.lblStationsElements.append(label);
        }
        label->setText(stationCaption(table.column(i + 1).label));
        placeStationLabel(w, label, i);
        label->show();
    }

    inOneUpdate(chart, [&] {
        for (int k = 1; k <= n; ++k) {
            const QString id = table.column(k).label.trimmed();
            // The first nine traces are drawn bold, the rest thin.
            chart.addChannel(id, w.stationColours[(k - 1) % 10], k <= 9 ? 2 : 0);
        }
    });
}

void UpdatePERDisplays(frmTevoHadraConfig &w, int stationIndex, double rate)
{
    linkset::LedMatrix &leds = *w.ui->iLedMatrixX1;
    linkset::StripChart &chart = *w.iStripChartX1(0);
    // Shown only once the station has its column and trace and the block its time point.
    const bool ready = stationIndex >= 0 && stationIndex < chart.channelCount() &&
                       stationIndex < leds.columnCount() && chart.pointCount() > 0 && std::isfinite(rate);
    if (!ready)
        return;

    const int lit = litLedCount(rate);
    inOneUpdate(leds, [&] {
        for (int row = 0; row < kLedRows; ++row)
            leds.setIndicatorActive(stationIndex, row, row >= kLedRows - lit);
    });
    chart.setChannelData(stationIndex, chart.pointCount() - 1, rate);

    w.StationChartTable.setRate(stationIndex + 1, rate);
    w.ui->MSChartPacketLoss->setChartData(w.StationChartTable.chartData());
}

void resetPacketLossDisplays(frmTevoHadraConfig &w)
{
    linkset::LedMatrix &leds = *w.ui->iLedMatrixX1;
    w.ui->MSChartPacketLoss->setChartData(w.StationChartTable.chartData());
    if (leds.columnCount() >= kDesignedLedColumns)
        return; // never built
    linkset::StripChart &chart = *w.iStripChartX1(0);
    inOneUpdate(chart, [&] { chart.removeAllChannels(); });
    unloadStationLabelsBeyondFirst(w);
    inOneUpdate(leds, [&] {
        leds.setColumnCount(kDesignedLedColumns);
        leds.setIndicatorWidth(kDesignedIndicatorWidth);
        for (int column = 0; column < kDesignedLedColumns; ++column)
            for (int row = 0; row < kLedRows; ++row)
                leds.setIndicatorActive(column, row, false);
    });
    QLabel *first = w.lblStations(0);
    first->setText(kDesignedStationCaption);
    placeStationLabel(w, first, 0);
}

} // namespace monitor
