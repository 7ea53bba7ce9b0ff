#pragma once
// The per-station packet-error displays of the diagnostics tab: the LED matrix with one
// column and one label per station, the bar chart and the PER strip chart.
#include <QString>

class frmTevoHadraConfig;

namespace monitor {

// At most this many stations get an LED column, a label and a trace.
constexpr int kMaxStationDisplays = 20;
// The LED matrix as designed, before any station was shown.
constexpr int kDesignedLedColumns = 21;
constexpr int kDesignedIndicatorWidth = 21;

// Rebuilds the per-station displays from StationChartTable.
void SetupDiagnostics(frmTevoHadraConfig &w);
// Shows one station's rate (percent) on its LED column, its trace and its bar.
void UpdatePERDisplays(frmTevoHadraConfig &w, int stationIndex, double rate);
// Back to the empty state: the designed LED matrix, no traces, one station label.
void resetPacketLossDisplays(frmTevoHadraConfig &w);

// The LEDs lit for a rate: one per whole percent (rounded), 0 to 10.
int litLedCount(double rate);
// 21 + 29 × (20 − n) ÷ n pixels: fewer stations get wider columns.
int indicatorWidthFor(int stations);
// "101" shows as "1 0 1 ": one character under the other in a narrow label.
QString stationCaption(const QString &stationId);

} // namespace monitor
