#pragma once
// The Connection menu and the toolbar's connect buttons, and the exit confirmation.
class frmTevoHadraConfig;

// fromToolbar: the toolbar buttons also mark the first connect (no update before a
// retrieval) and enable the Ethernet-address frame.
void connectByTelnet(frmTevoHadraConfig &w, bool fromToolbar);
void connectBySerial(frmTevoHadraConfig &w, bool fromToolbar);
void showPortProperties(frmTevoHadraConfig &w);

// Saves the monitoring rate, asks before closing the window over an open connection and
// ends a serial session cleanly; false keeps the window open.
bool confirmExit(frmTevoHadraConfig &w);
