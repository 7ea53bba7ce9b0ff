// The terminal view end to end: connected by telnet in the forms view, logged in through
// the dialog, switched to the terminal view, the operator types a command key by key and
// sees the unit's echo, its reply and the prompt.
#include "session_fixture.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

using TerminalTyping = SessionFixture;

TEST_F(TerminalTyping, TypedCommandShowsEchoReplyAndPrompt)
{
    start();
    ASSERT_TRUE(connectTelnetAndLogIn());
    ASSERT_TRUE(w->blnFormsView);

    w->ui->mnuWindowUseTerminal->trigger();
    ASSERT_FALSE(w->blnFormsView);
    ASSERT_TRUE(w->ui->SSTab1->isHidden());
    ASSERT_FALSE(w->ui->txtTerm->isHidden());

    QPlainTextEdit *term = w->ui->txtTerm;
    const int before = commandLines().size();
    w->intKeepAliveCount = 26; // keep-alives had stopped; typing starts them again
    QTest::keyClicks(term, QStringLiteral("Get 04"));
    QTest::keyClick(term, Qt::Key_Return);

    const std::optional<std::string> value = unit->parameter("04");
    ASSERT_TRUE(value.has_value());
    const QString expectedEnd = QStringLiteral("Get 04\nGET=1;04=%1\n>").arg(QString::fromStdString(*value));
    ASSERT_TRUE(waitForCondition([&] { return term->toPlainText().endsWith(expectedEnd); }))
        << term->toPlainText().toStdString();
    EXPECT_EQ(commandLines().mid(before), QStringList{"Get 04"});
    EXPECT_TRUE(w->blnTerminalTyped);
    EXPECT_EQ(w->intKeepAliveCount, 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TerminalTyping, NoLoginIsAnsweredInTheTerminalView)
{
    start();
    w->ui->mnuWindowUseTerminal->trigger();
    ASSERT_TRUE(connectTelnet());
    ASSERT_TRUE(waitForCondition(
        [this] { return w->ui->txtTerm->toPlainText().contains(QStringLiteral("Username:")); }));
    EXPECT_EQ(logins(), 0);

    // The operator logs in by hand.
    QTest::keyClicks(w->ui->txtTerm, QStringLiteral("admin"));
    QTest::keyClick(w->ui->txtTerm, Qt::Key_Return);
    ASSERT_TRUE(waitForCondition(
        [this] { return w->ui->txtTerm->toPlainText().contains(QStringLiteral("Password:")); }));
    EXPECT_EQ(logins(), 0);
}
