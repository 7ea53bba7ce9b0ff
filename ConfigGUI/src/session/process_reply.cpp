#include "session/process_reply.h"

#include "forms/reply_grammar.h"
#include "session/comm_error.h"
#include "session/login.h"
#include "session/mod_config_script.h"
#include "session/mscomm.h"
#include "ui/frmTevoHadraConfig.h"

#include <QStringTokenizer>

namespace session {

void ProcessReply(frmTevoHadraConfig &w, QObject *source, const QString &text)
{
    try {
        for (const QStringView part : qTokenize(text, u'\n')) {
            const QString line = modConfigScript::StripLineBreaks(part.toString());
            if (line.isEmpty())
                continue;
            const LoginOutcome outcome = applyLoginTests(w, source, line);
            if (outcome == LoginOutcome::EndOfText)
                return;
            if (outcome == LoginOutcome::NotLogin)
                ApplyReplyGrammar(w, line);
        }
    } catch (const CommError &) {
        // The serial receive path may have been switched off by the failed exchange.
        w.bEnableOnCommReceiveEvents = true;
        w.MSComm1->setInputLen(0);
        throw;
    }
}

void ApplyReplyGrammar(frmTevoHadraConfig &w, const QString &line)
{
    forms::applyReplyLine(w, line);
}

} // namespace session
