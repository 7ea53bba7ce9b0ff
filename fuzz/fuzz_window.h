// What the fuzz targets of the utility share: one main window for the whole run, in an
// offscreen application with settings of its own, whose message boxes answer OK and
// whose dialogs are cancelled as soon as they run; and the checks every input must pass.
#pragma once

class frmTevoHadraConfig;

// The window, made on the first call.
frmTevoHadraConfig &fuzzWindow(const char *program);

// Empties the lists and the station displays, so every input starts from the same window.
void startAfresh(frmTevoHadraConfig &w);

// Aborts when the displays went beyond their limits.
void checkDisplayLimits(const frmTevoHadraConfig &w);
