#pragma once
// ProcessReply: every segment of text the unit sends (and, later, every line of an
// imported file) passes here. The text is split at line feeds and each line cleaned (blanks
// trimmed, line breaks removed); a non-empty line first meets the login tests, and the lines
// that pass them go on, in order, to the reply grammar. A CommError of a routine the
// grammar calls turns the serial receive path back on and goes on to the caller.
#include <QString>

class QObject;
class frmTevoHadraConfig;

namespace session {

// `source` is the control the text came from (TelnetClient1 or MSComm1); login answers
// are written back to it.
void ProcessReply(frmTevoHadraConfig &w, QObject *source, const QString &text);

// The reply grammar (forms/reply_grammar.h): parameter replies, list blocks and status
// lines, applied to one line that passed the login tests, in the order lines arrived.
void ApplyReplyGrammar(frmTevoHadraConfig &w, const QString &line);

} // namespace session
