#pragma once
// Emptying the configuration shown in the main window before new values arrive, from the
// unit (retrieval, update) or from a file (import).
class frmTevoHadraConfig;

// Empties the text boxes that show the unit's settings, disables the DHCP server frame and
// selects the first DHCP mode, clears the seven configuration and statistics lists, resets
// the packet-loss displays and forgets that the terminal view was typed in. The terminal
// view's text and the link-log settings are the operator's, not the unit's: they stay.
void ClearConfigurationDisplay(frmTevoHadraConfig &w);
