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
#include <algorithm>
#include <optional>
#include <wiretalk/telnet_client.h>

namespace session {

namespace {

// The most text one list block may gather before it counts as never ending.
constexpr qsizetype kMostBlockBytes = 1 << 20;
const QLatin1String kStartMark("=1;START");
const QLatin1String kEndMark("=1;END");

// The name of the list block left open at the end of `text` ("IP ROUTE" for a text whose
// last block line is "IP ROUTE=1;START"); nothing when every block started there has ended.
std::optional<QString> openBlockName(const QString &text)
{
    const qsizetype start = text.lastIndexOf(kStartMark, -1, Qt::CaseInsensitive);
    if (start < 0 || text.lastIndexOf(kEndMark, -1, Qt::CaseInsensitive) > start)
        return std::nullopt;
    const qsizetype lineStart = text.lastIndexOf(QLatin1Char('\n'), start) + 1;
    return text.mid(lineStart, start - lineStart).trimmed();
}

// Reads what the unit sends until the open list block's end line has arrived, the text has
// grown past its limit, the time is up or the connection is gone. Read events in the
// meantime leave their bytes to this loop.
void collectBlock(frmTevoHadraConfig &w, QString &text)
{
    wiretalk::TelnetClient &telnet = *w.TelnetClient1;
    const WaitClock::time_point deadline = deadlineAfter(WaitClock::now(), w.listBlockSeconds);
    w.completingSplitBlock = true;
    while (text.size() <= kMostBlockBytes) {
        if (waitUntil([&telnet] { return telnet.RecvNext() != 0; }, deadline,
                      [&w] { return w.telnetConnected(); }) != WaitResult::Done)
            break;
        QString rest;
        if (telnet.Read(rest, telnet.RecvNext()) <= 0)
            break;
        // An end mark may be cut between two reads: look again at the last few characters.
        const qsizetype from = std::max<qsizetype>(0, text.size() - kEndMark.size());
        text += rest;
        if (text.indexOf(kEndMark, from, Qt::CaseInsensitive) >= 0 && !openBlockName(text))
            break;
    }
    w.completingSplitBlock = false;
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

    std::optional<QString> blockName;
    try {
        if (w.blnFormsView) {
            if (openBlockName(text))
                collectBlock(w, text);
            blockName = openBlockName(text);
            if (text.contains(QLatin1Char('>')))
                w.bGotPrompt = true;
            // A list block is parsed whole. What did arrive of one that never ended is
            // still applied; the operator is then told that the rest is missing.
            ProcessReply(w, w.TelnetClient1, text);
            if (blockName)
                throw CommError();
        } else {
            showInTerminal(w, text);
        }
    } catch (const CommError &) {
        // The keep-alive stays off until the next read.
        w.completingSplitBlock = false;
        reportIncompleteBlock(w, blockName.value_or(QString()));
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
