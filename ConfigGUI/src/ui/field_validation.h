#pragma once
// The window's field rules: address typing in every address field, dotted netmasks beside
// the netmask lists, whole numbers in the netmask and RIP lists, Enter moving on from the
// address fields, the local ID kept apart from the remote units' IDs, and the new password
// checked twice before the update takes it.
class frmTevoHadraConfig;

void connectFieldValidation(frmTevoHadraConfig &w);

// The up-down buttons of the local ID: one step, then on past the IDs remote units use.
void stepLocalId(frmTevoHadraConfig &w, int direction);

// Apply of the password fields: over an open connection, both fields must agree; the typed
// password (or "None" for an empty one) then waits for the next update.
void applyNewPassword(frmTevoHadraConfig &w);
