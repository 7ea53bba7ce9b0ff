// The terminal view: the display routine's treatment of received text, the switch
// between the two views, typing with and without a connection, and the communications log
// (through the real file dialog as well).
#include "session_fixture.h"
#include "ui/frmTevoHadraConfig.h"
#include "session/terminal_view.h"
#include "ui_frmTevoHadraConfig.h"
#include "telnet_test_server.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

TEST(TerminalText, BackspacesAndLineBreaks)
{
    const struct
    {
        const char *in;
        const char *out;
        bool eraseLast;
    } cases[] = {
        {"abc", "abc", false},
        {"ab\bc", "ac", false},
        {"ab\b\b", "", false},
        {"\bxy", "xy", true},
        {"\b\bxy", "xy", true}, // only the one character before the chunk goes
        {"x\b\by", "y", true},
        {"line\r\nnext", "line\r\nnext", false},
        {"line\rnext\r", "line\r\nnext\r\n", false},
        {"\n\n", "", false},
        {"a\b \b", "", false},
    };
    for (const auto &c : cases) {
        bool eraseLast = false;
        EXPECT_EQ(prepareTerminalText(QString::fromLatin1(c.in), eraseLast), QString::fromLatin1(c.out))
            << c.in;
        EXPECT_EQ(eraseLast, c.eraseLast) << c.in;
    }
}

class TerminalView : public SessionFixture
{
protected:
    void SetUp() override { start(); }
    QString shown() const { return w->ui->txtTerm->toPlainText(); }
    // Switches to the terminal view and opens the log on a file of that name; its path.
    QString openLogNamed(const QString &name)
    {
        const QString path = dir.filePath(name);
        w->ui->mnuWindowUseTerminal->trigger();
        files.answerNext(path);
        w->ui->mnuFileLoad->trigger();
        return path;
    }
    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(TerminalView, ABackspaceAtTheStartOfAChunkErasesTheLastCharacterShown)
{
    showInTerminal(*w, QStringLiteral("Get 0x"));
    showInTerminal(*w, QStringLiteral("\b4\r\n>"));
    EXPECT_EQ(shown(), QStringLiteral("Get 04\n>"));
}

TEST_F(TerminalView, ALongScreenIsTrimmedFromTheFrontBeforeNewText)
{
    showInTerminal(*w, QString(16001, QLatin1Char('a')));
    showInTerminal(*w, QStringLiteral("tail"));
    EXPECT_EQ(shown().size(), 16001 - 4096 + 4);
    EXPECT_TRUE(shown().endsWith(QStringLiteral("aaatail")));
    // At the limit itself nothing is trimmed.
    w->ui->txtTerm->clear();
    showInTerminal(*w, QString(16000, QLatin1Char('b')));
    showInTerminal(*w, QStringLiteral("c"));
    EXPECT_EQ(shown().size(), 16001);
}

TEST_F(TerminalView, SwitchingViewsChangesCommandsAndCaptions)
{
    w->ui->mnuWindowUseTerminal->trigger();
    EXPECT_FALSE(w->blnFormsView);
    EXPECT_TRUE(w->ui->SSTab1->isHidden());
    EXPECT_FALSE(w->ui->txtTerm->isHidden());
    EXPECT_EQ(w->ui->mnuFileLoad->text(), QStringLiteral("Open Log File"));
    EXPECT_EQ(w->ui->mnuFileSave->text(), QStringLiteral("Close Log File"));
    EXPECT_EQ(w->tlbrMainButton(QStringLiteral("Import"))->toolTip(),
              QStringLiteral("Open a Log File to disk"));
    EXPECT_EQ(w->tlbrMainButton(QStringLiteral("Save"))->toolTip(), QStringLiteral("Close Log File"));
    for (const char *key : {"RefreshConfig", "UpdateConfig", "RadioEnable"})
        EXPECT_FALSE(w->tlbrMainButton(QString::fromLatin1(key))->isEnabled()) << key;

    w->ui->mnuWindowUseForms->trigger();
    EXPECT_TRUE(w->blnFormsView);
    EXPECT_FALSE(w->ui->SSTab1->isHidden());
    EXPECT_TRUE(w->ui->txtTerm->isHidden());
    EXPECT_EQ(w->ui->mnuFileLoad->text(), QStringLiteral("Load Configuration"));
    EXPECT_EQ(w->ui->mnuFileSave->text(), QStringLiteral("Save Configuration"));
    EXPECT_EQ(w->tlbrMainButton(QStringLiteral("Import"))->toolTip(),
              QStringLiteral("Import a saved configuration"));
    EXPECT_EQ(w->tlbrMainButton(QStringLiteral("Save"))->toolTip(),
              QStringLiteral("Save current configuration to disk"));
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("RefreshConfig"))->isEnabled());
    EXPECT_FALSE(w->tlbrMainButton(QStringLiteral("RadioEnable"))->isEnabled()); // nothing to switch yet
}

TEST_F(TerminalView, WithoutAConnectionTypedKeysStayInTheBox)
{
    w->ui->mnuWindowUseTerminal->trigger();
    QTest::keyClicks(w->ui->txtTerm, QStringLiteral("hi"));
    EXPECT_EQ(shown(), QStringLiteral("hi"));
    EXPECT_TRUE(w->blnTerminalTyped);
}

TEST_F(TerminalView, TheLogRecordsWhatIsShownAndAsksBeforeReplacing)
{
    const QString path = openLogNamed(QStringLiteral("link.log"));
    ASSERT_TRUE(w->communicationsLog);
    EXPECT_EQ(files.requests()[0].title, QStringLiteral("Open Communications Log File"));
    EXPECT_EQ(files.requests()[0].filter, QStringLiteral("Log Files (*.LOG)|*.log|All Files (*.*)|*.*"));
    EXPECT_FALSE(w->tlbrMainButton(QStringLiteral("Import"))->isEnabled());
    showInTerminal(*w, QStringLiteral("one\r\n"));
    w->ui->mnuFileSave->trigger();
    EXPECT_FALSE(w->communicationsLog);
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Import"))->isEnabled());

    // No: keep the file and write after its end.
    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::No);
    w->ui->mnuFileLoad->trigger();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Replace existing file - %1?").arg(path));
    EXPECT_EQ(boxes.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    showInTerminal(*w, QStringLiteral("two\r"));
    w->CloseLogFile();
    QFile log(path);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("one\r\ntwo\r\n"));
    log.close();

    // Cancel asks for another file (here: none); Yes replaces.
    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::Cancel);
    files.cancelNext();
    w->ui->mnuFileLoad->trigger();
    EXPECT_FALSE(w->communicationsLog);
    EXPECT_EQ(files.requests().size(), 4);

    files.answerNext(path);
    boxes.answerNext(platform::MsgAnswer::Yes);
    w->ui->mnuFileLoad->trigger();
    showInTerminal(*w, QStringLiteral("three"));
    w->CloseLogFile();
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("three"));
}

TEST_F(TerminalView, ALogThatCannotBeOpenedIsReported)
{
    w->ui->mnuWindowUseTerminal->trigger();
    files.answerNext(dir.filePath(QStringLiteral("missing-folder/link.log")));
    w->ui->mnuFileLoad->trigger();
    EXPECT_FALSE(w->communicationsLog);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Import"))->isEnabled());
}

TEST_F(TerminalView, AReplaceWhoseDeleteFailsShowsTheSystemsReason)
{
    const QString taken = dir.filePath(QStringLiteral("taken.log"));
    ASSERT_TRUE(QDir().mkpath(taken + QStringLiteral("/inside"))); // a folder cannot be deleted as a file
    w->ui->mnuWindowUseTerminal->trigger();
    files.answerNext(taken);
    boxes.answerNext(platform::MsgAnswer::Yes);
    w->ui->mnuFileLoad->trigger();
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[1].text, QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_EQ(boxes.shown()[1].icon, platform::MsgIcon::Exclamation);
    EXPECT_FALSE(w->communicationsLog);
}

namespace {

// The operator makes room on the disk before answering the box.
class RoomMadeBeforeAnswering : public ScriptedMessageBoxes
{
public:
    explicit RoomMadeBeforeAnswering(const rlimit &roomy) : roomy_(roomy) {}
    platform::MsgAnswer show(QWidget *parent, const platform::MessageBox &box) override
    {
        setrlimit(RLIMIT_FSIZE, &roomy_);
        return ScriptedMessageBoxes::show(parent, box);
    }

private:
    rlimit roomy_;
};

} // namespace

TEST_F(TerminalView, RetryAfterAShortWriteWritesOnlyWhatIsMissing)
{
    const QString path = openLogNamed(QStringLiteral("link.log"));
    ASSERT_TRUE(w->communicationsLog);

    // A full disk: writes past the first 10 bytes fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 10;
    RoomMadeBeforeAnswering operatorBoxes(original);
    operatorBoxes.answerNext(platform::MsgAnswer::Retry);
    w->setMessageBoxes(&operatorBoxes);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    showInTerminal(*w, QStringLiteral("0123456789abcdefghij"));
    setrlimit(RLIMIT_FSIZE, &original);
    w->setMessageBoxes(&boxes);

    ASSERT_EQ(operatorBoxes.shown().size(), 1);
    EXPECT_EQ(operatorBoxes.shown()[0].buttons, platform::MsgButtons::RetryCancel);
    EXPECT_EQ(operatorBoxes.shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(operatorBoxes.shown()[0].text.isEmpty());
    ASSERT_TRUE(w->communicationsLog);
    w->CloseLogFile();
    EXPECT_EQ(contentOf(path), QByteArray("0123456789abcdefghij"));
}

TEST_F(TerminalView, TheRealDialogOpensALogOnANewFile)
{
    const QString path = dir.filePath(QStringLiteral("new.log"));
    platform::QtFileDialogs realDialogs;
    w->setFileDialogs(&realDialogs);
    w->ui->mnuWindowUseTerminal->trigger();
    modals.onNextModal(QStringLiteral("QFileDialog"), [&](QDialog &dialog) {
        auto &files = static_cast<QFileDialog &>(dialog);
        EXPECT_EQ(files.windowTitle(), QStringLiteral("Open Communications Log File"));
        EXPECT_EQ(files.nameFilters(), (QStringList{"Log Files (*.log)", "All Files (*)"}));
        files.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        files.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Open)
            ->click();
    });
    w->ui->mnuFileLoad->trigger();
    w->setFileDialogs(&files);
    EXPECT_EQ(modals.handledCount(QStringLiteral("QFileDialog")), 1);
    ASSERT_TRUE(w->communicationsLog);
    showInTerminal(*w, QStringLiteral("first line\r"));
    w->CloseLogFile();
    EXPECT_EQ(contentOf(path), QByteArray("first line\r\n"));
}

class TerminalKeys : public TerminalView
{
protected:
    void SetUp() override
    {
        TerminalView::SetUp();
        ASSERT_TRUE(server.listening());
        requestTelnetConnection(server.port());
        ASSERT_TRUE(waitForCondition([this] { return w->telnetConnected(); }));
        ASSERT_TRUE(server.waitForConnection());
        w->ui->mnuWindowUseTerminal->trigger();
        showInTerminal(*w, QStringLiteral("Unit ready\r\n>"));
        server.clearReceived();
        w->blnTerminalTyped = false;
    }

    linkset::testing::TelnetTestServer server;
};

TEST_F(TerminalKeys, MovingSelectingAndCopyingAreNoTypingAndCtrlCAloneSendsByteThree)
{
    QPlainTextEdit *term = w->ui->txtTerm;
    term->moveCursor(QTextCursor::Start);
    QTest::keyClick(term, Qt::Key_F5);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(term, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(term->textCursor().selectedText(), QStringLiteral("Unit"));
    QTest::keyClick(term, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Unit"));
    EXPECT_FALSE(w->blnTerminalTyped);

    // Back in the forms view nothing is read again: nothing was typed.
    w->ui->mnuWindowUseForms->trigger();
    EXPECT_FALSE(w->tmrSlowImport->isActive());
    w->ui->mnuWindowUseTerminal->trigger();

    term->moveCursor(QTextCursor::End);
    QTest::keyClick(term, Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(server.waitForReceived(1));
    // Nothing went before it: the moves and the copy sent nothing.
    EXPECT_EQ(server.received(), QByteArray("\x03"));
    EXPECT_TRUE(w->blnTerminalTyped);
    EXPECT_EQ(term->toPlainText(), QStringLiteral("Unit ready\n>")); // the key went to the unit, not the box
}
