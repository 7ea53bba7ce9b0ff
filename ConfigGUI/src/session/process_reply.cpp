#include "session/process_reply.h"

#include "session/login.h"

#include <QStringList>

namespace session {

void ProcessReply(frmTevoHadraConfig &w, QObject *source, const QString &text)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (applyLoginTests(w, source, line) == LoginOutcome::EndOfText)
            return;
        ApplyReplyGrammar(w, line);
    }
}

void ApplyReplyGrammar(frmTevoHadraConfig &, const QString &) {}

} // namespace session
