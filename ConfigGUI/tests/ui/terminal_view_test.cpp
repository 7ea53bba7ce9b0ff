// The terminal view: the display routine's treatment of received text, the switch
// between the two views, typing without a connection, and the communications log.
#include "session_fixture.h"
#include "ui/frmTevoHadraConfig.h"
#include "session/terminal_view.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

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
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("link.log"));
    w->ui->mnuWindowUseTerminal->trigger();

    files.answerNext(path);
    w->ui->mnuFileLoad->trigger();
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
    QTemporaryDir dir;
    w->ui->mnuWindowUseTerminal->trigger();
    files.answerNext(dir.filePath(QStringLiteral("missing-folder/link.log")));
    w->ui->mnuFileLoad->trigger();
    EXPECT_FALSE(w->communicationsLog);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(w->tlbrMainButton(QStringLiteral("Import"))->isEnabled());
}
