#pragma once
// The window's load routine: lists and defaults, saved settings, the display switches and
// the station colours, in the order the window has always used.
class frmTevoHadraConfig;

void runStartUp(frmTevoHadraConfig &w);
