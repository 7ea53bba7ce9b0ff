#pragma once
// The Utilities menu's monitoring rate: how often the statistics, packet-error and
// signal-strength monitors poll the unit.
class frmTevoHadraConfig;

void connectMonitoringRate(frmTevoHadraConfig &w);

// 5, 30 or 60 seconds: checks the menu entry, sets both polling timers and strStatsSpeed.
void setMonitoringRate(frmTevoHadraConfig &w, int seconds);
// The saved rate ("StatsSpeed"), 5 seconds unless "30" or "60" was saved.
void applySavedMonitoringRate(frmTevoHadraConfig &w);
