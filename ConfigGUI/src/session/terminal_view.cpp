#include "session/terminal_view.h"

#include "platform/replace_question.h"
#include "session/log_stamps.h"
#include "session/mscomm.h"
#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"
#include "ui/times_in_utc.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <wiretalk/telnet_client.h>

namespace {

constexpr int kMostShown = 16000;
constexpr int kTrimmedAtOnce = 4096;

void setFileButtons(frmTevoHadraConfig &w, const QString &importTip, const QString &importImage,
                    const QString &saveTip, const QString &saveImage)
{
    QAction *import = w.tlbrMainButton(QStringLiteral("Import"));
    import->setToolTip(importTip);
    import->setIcon(QIcon(imagePath(importImage)));
    QAction *save = w.tlbrMainButton(QStringLiteral("Save"));
    save->setToolTip(saveTip);
    save->setIcon(QIcon(imagePath(saveImage)));
}

void setConfigurationCommands(frmTevoHadraConfig &w, bool enabled)
{
    for (const char *key : {"RefreshConfig", "UpdateConfig", "RadioEnable"})
        w.tlbrMainButton(QString::fromLatin1(key))->setEnabled(enabled);
    w.ui->mnuDeviceRetrieveConfig->setEnabled(enabled);
    w.ui->mnuDeviceUpdateConfig->setEnabled(enabled);
}

void writeToLog(frmTevoHadraConfig &w, const QString &shown)
{
    if (!w.communicationsLog)
        return;
    const QByteArray bytes = w.logStamps->stamped(shown, timesInUtc()).toLatin1();
    qint64 written = 0;
    while (w.communicationsLog && written < bytes.size()) {
        const qint64 result = w.communicationsLog->write(bytes.constData() + written, bytes.size() - written);
        if (result > 0) {
            written += result;
            continue;
        }
        // Retry goes on from the first byte not written: what reached the file stays once.
        platform::MessageBox box;
        box.text = w.communicationsLog->errorString();
        box.buttons = platform::MsgButtons::RetryCancel;
        box.icon = platform::MsgIcon::Critical;
        if (w.messageBoxes().show(&w, box) != platform::MsgAnswer::Retry)
            w.CloseLogFile();
    }
}

// The character a key types: a control character for Ctrl and a letter (Ctrl+C is byte 3),
// whatever text the platform attached to the event; else the event's own text.
QString typedCharacter(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers others = Qt::AltModifier | Qt::MetaModifier;
    if (key.modifiers().testFlag(Qt::ControlModifier) && !(key.modifiers() & others) &&
        key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return QString(QChar(key.key() - Qt::Key_A + 1));
    return key.text();
}

} // namespace

void useTerminalView(frmTevoHadraConfig &w)
{
    setConfigurationCommands(w, false);
    setFileButtons(w, QStringLiteral("Open a Log File to disk"), QStringLiteral("OpenLog"),
                   QStringLiteral("Close Log File"), QStringLiteral("CloseLog"));
    if (w.communicationsLog)
        w.tlbrMainButton(QStringLiteral("Import"))->setEnabled(false);
    w.ui->SSTab1->hide();
    w.ui->txtTerm->show();
    w.ui->txtTerm->setFocus();
    w.ui->mnuFileLoad->setText(QStringLiteral("Open Log File"));
    w.ui->mnuFileSave->setText(QStringLiteral("Close Log File"));
    w.blnFormsView = false;
}

void useFormsView(frmTevoHadraConfig &w)
{
    setConfigurationCommands(w, true);
    // The radio switch needs a unit to talk to.
    w.tlbrMainButton(QStringLiteral("RadioEnable"))->setEnabled(w.telnetConnected() || w.serialOpen());
    w.tlbrMainButton(QStringLiteral("Import"))->setEnabled(true);
    setFileButtons(w, QStringLiteral("Import a saved configuration"), QStringLiteral("OpenConfiguration"),
                   QStringLiteral("Save current configuration to disk"), QStringLiteral("SaveConfiguration"));
    w.ui->SSTab1->show();
    w.ui->txtTerm->hide();
    w.ui->mnuFileLoad->setText(QStringLiteral("Load Configuration"));
    w.ui->mnuFileSave->setText(QStringLiteral("Save Configuration"));
    w.blnFormsView = true;
}

QString prepareTerminalText(const QString &received, bool &eraseLastShown)
{
    QString text = received;
    eraseLastShown = false;
    for (qsizetype bs = text.indexOf(QLatin1Char('\b')); bs >= 0; bs = text.indexOf(QLatin1Char('\b'))) {
        if (bs == 0) {
            eraseLastShown = true;
            text.remove(0, 1);
        } else {
            text.remove(bs - 1, 2);
        }
    }
    text.remove(QLatin1Char('\n'));
    text.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
    return text;
}

void showInTerminal(frmTevoHadraConfig &w, const QString &text)
{
    QPlainTextEdit *term = w.ui->txtTerm;
    QTextDocument *document = term->document();
    if (document->characterCount() - 1 > kMostShown) {
        QTextCursor front(document);
        front.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, kTrimmedAtOnce);
        front.removeSelectedText();
    }
    bool eraseLastShown = false;
    const QString shown = prepareTerminalText(text, eraseLastShown);
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    if (eraseLastShown)
        end.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor);
    end.insertText(shown);
    writeToLog(w, shown);
    term->moveCursor(QTextCursor::End);
    term->ensureCursorVisible();
}

bool handleTerminalKey(frmTevoHadraConfig &w, const QKeyEvent &key)
{
    QPlainTextEdit *term = w.ui->txtTerm;
    // Copying a selection, moving and selecting are the text box's own, and no typing.
    if (key.matches(QKeySequence::Copy) && term->textCursor().hasSelection())
        return false;
    const QString typed = typedCharacter(key);
    if (typed.isEmpty())
        return false;
    w.blnTerminalTyped = true;
    if (!w.serialOpen() && !w.telnetConnected())
        return false;
    // Typed text is real traffic: keep-alives start counting again.
    w.intKeepAliveCount = 0;
    if (w.serialOpen())
        w.MSComm1->Output(typed.toLatin1());
    else
        w.TelnetClient1->Write(typed, static_cast<short>(typed.size()));
    term->moveCursor(QTextCursor::End);
    return true;
}

void openCommunicationsLog(frmTevoHadraConfig &w)
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Open Communications Log File");
    request.filter = QStringLiteral("Log Files (*.LOG)|*.log|All Files (*.*)|*.*");
    request.newNameAllowed = true;
    for (;;) {
        const std::optional<QString> path = w.fileDialogs().choose(&w, request);
        if (!path)
            return;
        if (QFile::exists(*path)) {
            const platform::MsgAnswer answer = platform::askToReplace(w.messageBoxes(), &w, *path);
            if (answer == platform::MsgAnswer::Cancel)
                continue;
            QFile existing(*path);
            if (answer == platform::MsgAnswer::Yes && !existing.remove()) {
                w.messageBoxes().inform(&w, existing.errorString(), QString(),
                                        platform::MsgIcon::Exclamation);
                return;
            }
        }
        auto log = std::make_unique<QFile>(*path);
        // Unbuffered: a short write leaves nothing behind in a buffer to be written twice.
        if (!log->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            w.messageBoxes().inform(&w, log->errorString(), QString(), platform::MsgIcon::Exclamation);
            return;
        }
        w.communicationsLog = std::move(log);
        w.logStamps->opened();
        w.tlbrMainButton(QStringLiteral("Import"))->setEnabled(false);
        return;
    }
}

void closeCommunicationsLog(frmTevoHadraConfig &w)
{
    w.communicationsLog.reset();
    w.tlbrMainButton(QStringLiteral("Import"))->setEnabled(true);
}
