#pragma once
// The terminal view: the plain text box txtTerm in place of the tabs, the operator's keys
// going straight to the unit, received text shown as it arrives, and the communications
// log that records it.
#include <QString>

class QKeyEvent;
class frmTevoHadraConfig;

void useTerminalView(frmTevoHadraConfig &w);
void useFormsView(frmTevoHadraConfig &w);

// The terminal display routine: shows received text in txtTerm.
void showInTerminal(frmTevoHadraConfig &w, const QString &text);

// What the display inserts for a received chunk: backspaces applied, line breaks made
// "\r\n". eraseLastShown is set when a backspace at the very start must remove the last
// character already shown.
QString prepareTerminalText(const QString &received, bool &eraseLastShown);

// A key pressed in txtTerm. A key that types a character counts as typing and, with a
// transport open, goes to the unit instead of the box (true: the key is consumed). Keys that
// type nothing (arrows, function keys, selecting) and Ctrl+C over a selection (a copy) are
// left to the text box; Ctrl+C without a selection sends byte 3.
bool handleTerminalKey(frmTevoHadraConfig &w, const QKeyEvent &key);

void openCommunicationsLog(frmTevoHadraConfig &w);
void closeCommunicationsLog(frmTevoHadraConfig &w);
