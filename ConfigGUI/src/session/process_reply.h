#pragma once
// ProcessReply: every segment of text the unit sends (and, later, every line of an
// imported file) passes here. The text is split at line feeds; each line first meets the
// login tests, and the lines that pass them go on, in order, to the reply grammar.
#include <QString>

class QObject;
class frmTevoHadraConfig;

namespace session {

// `source` is the control the text came from (TelnetClient1 or MSComm1); login answers
// are written back to it.
void ProcessReply(frmTevoHadraConfig &w, QObject *source, const QString &text);

// The reply grammar: parameter replies, list blocks and status lines, applied to one line
// that passed the login tests. Lines reach it in the order they arrived. Nothing is
// behind it yet: the configuration parser plugs in here.
void ApplyReplyGrammar(frmTevoHadraConfig &w, const QString &line);

} // namespace session
