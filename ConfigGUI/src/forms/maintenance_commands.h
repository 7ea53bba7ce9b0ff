#pragma once
// The maintenance commands: actions the unit carries out (flush or erase a table, reboot,
// load the factory defaults), each asked about first, and the password reset, which the
// next update writes. Each needs an open connection and otherwise does nothing.
class frmTevoHadraConfig;

namespace forms {

void flushArpTable(frmTevoHadraConfig &w);
void flushRoutingTable(frmTevoHadraConfig &w);
void eraseRoutingTable(frmTevoHadraConfig &w);
void rebootDevice(frmTevoHadraConfig &w);
void loadFactoryDefaults(frmTevoHadraConfig &w);
// "Assign Blank": the next update sets the unit to having no password.
void resetPassword(frmTevoHadraConfig &w);
// The password editor's Clear button (needs no connection).
void clearPasswordFields(frmTevoHadraConfig &w);

// The toolbar's radio switch: turns the radio on when the button shows it off, else off,
// then reads the state back (the reply sets the button).
void toggleRadio(frmTevoHadraConfig &w);

} // namespace forms
