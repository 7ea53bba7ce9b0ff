#pragma once
// The Utilities menu's "Times in UTC": the time stamps of the communications log and the
// times in CSV exports are given in UTC when it is checked, in local time otherwise. It is
// saved at once as "TimesInUTC" ("True" or "False"). The link log keeps local time.
class frmTevoHadraConfig;

void addTimesInUtcEntry(frmTevoHadraConfig &w);
bool timesInUtc();
