// What the fuzz targets of the utility share: one main window for the whole run, in an
// offscreen application with settings of its own, whose message boxes answer OK and
// whose dialogs are cancelled as soon as they run; and the checks every input must pass.
#pragma once

class frmTevoHadraConfig;

// The window, made on the first call and made ready for an input (startAfresh).
frmTevoHadraConfig &fuzzWindow(const char *program);

// Empties the lists and the station displays and delivers posted events, so every input
// starts from the same window. A target calls it at the end of each input: what the input
// added is then freed within it, and libFuzzer's leak check (a scan of the whole heap, run
// after any input that allocated more than it freed) runs only when something stayed.
void startAfresh(frmTevoHadraConfig &w);

// Aborts when the displays went beyond their limits.
void checkDisplayLimits(const frmTevoHadraConfig &w);
