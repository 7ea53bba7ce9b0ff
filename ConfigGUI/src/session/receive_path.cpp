#include "session/receive_path.h"

#include "session/comm_error.h"
#include "session/handler_boundary.h"
#include "session/line_splitter.h"
#include "session/mscomm.h"
#include "session/process_reply.h"
#include "session/waits.h"
#include "ui/frmTevoHadraConfig.h"
#include "session/terminal_view.h"

#include <QTimer>
#include <wiretalk/telnet_client.h>

namespace session {

namespace {

// Text that starts a list block without its end line: the rest is still on its way.
bool splitListBlock(const QString &text)
{
    return text.contains(QLatin1String("START"), Qt::CaseInsensitive) &&
           !text.contains(QLatin1String("END"), Qt::CaseInsensitive);
}

void reportIncompleteBlock(frmTevoHadraConfig &w, const QString &blockName)
{
    platform::MessageBox box;
    box.text = QStringLiteral("Problems retrieving table data for ") + blockName +
               QStringLiteral("\rPlease check the IP connection to the device and try again!");
    box.title = QStringLiteral("IP Communication Error: %1").arg(CommError::kNumber);
    box.icon = platform::MsgIcon::Critical;
    box.systemModal = true;
    box.foreground = true;
    w.messageBoxes().show(&w, box);
}

} // namespace

void onTelnetRead(frmTevoHadraConfig &w, short dataLength)
{
    // While the handler below waits for the rest of a split list block, a nested Read
    // event leaves the bytes in the control, where that wait finds them.
    if (w.completingSplitBlock)
        return;
    wiretalk::TelnetClient &telnet = *w.TelnetClient1;
    w.ShowReceiveActivity();
    QString text;
    if (telnet.Read(text, dataLength) == -1)
        return;
    w.tmrKeepAlive->stop();

    QString blockName;
    try {
        if (w.blnFormsView) {
            bool blockIncomplete = false;
            if (splitListBlock(text)) {
                blockName = text.left(8);
                w.completingSplitBlock = true;
                waitFor([&telnet] { return telnet.RecvNext() != 0; }, 1.0,
                        [&w] { return w.telnetConnected(); });
                w.completingSplitBlock = false;
                const short waiting = w.telnetConnected() ? telnet.RecvNext() : 0;
                QString rest;
                if (waiting > 0 && telnet.Read(rest, waiting) > 0)
                    text += rest;
                blockIncomplete = !text.contains(QLatin1String("END"), Qt::CaseInsensitive);
            }
            if (text.contains(QLatin1Char('>')))
                w.bGotPrompt = true;
            // What did arrive of an incomplete block is still applied; the operator is
            // then told that the rest is missing.
            ProcessReply(w, w.TelnetClient1, text);
            if (blockIncomplete)
                throw CommError();
        } else {
            showInTerminal(w, text);
        }
    } catch (const CommError &) {
        // The keep-alive stays off until the next read.
        w.completingSplitBlock = false;
        reportIncompleteBlock(w, blockName);
        return;
    } catch (const std::exception &error) {
        w.completingSplitBlock = false;
        reportError(w, error);
        return;
    }
    w.tmrKeepAlive->start();
}

void onSerialReceive(frmTevoHadraConfig &w)
{
    if (!w.bEnableOnCommReceiveEvents)
        return;
    const QString text = QString::fromLatin1(w.MSComm1->Input());
    w.ShowReceiveActivity();
    w.tmrKeepAlive->stop();
    if (w.blnFormsView)
        w.strCommBuffer += text;
    else
        showInTerminal(w, text);
    w.tmrKeepAlive->start();
}

void onSerialReadTick(frmTevoHadraConfig &w)
{
    const SplitResult result = takeSerialSegment(w.strCommBuffer);
    if (result.sawPrompt)
        w.bGotPrompt = true;
    if (result.segment)
        ProcessReply(w, w.MSComm1, *result.segment);
}

} // namespace session
