#pragma once
// The history strip charts: the RSSI chart gains a point for every signal-strength reading,
// and both charts show the time window chosen in hours and minutes.
#include <optional>

class QComboBox;
class frmTevoHadraConfig;

namespace monitor {

// Adds the gauge's value to the RSSI chart at a time point for now.
void UpdateRSSIHistory(frmTevoHadraConfig &w);

// The window of the two combos in days: each combo's text when numeric, else its selected
// index (0 when none). Nothing for a window of no time at all.
std::optional<double> historySpanDays(const QComboBox &hours, const QComboBox &minutes);
// Gives both charts the chosen window, counted from where their time axis starts.
void applyTimeWindow(frmTevoHadraConfig &w);

} // namespace monitor
