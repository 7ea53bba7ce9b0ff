// The control's keyboard: key translation per emulation, modes, overrides, the
// ordinary path for keys without a sequence, and keys inside a dialog.
#include "glyphterm/screen.h"
#include "glyphterm/terminal.h"
#include "keyboard_state.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace glyphterm;

namespace {

// What the control handed out for the keys pressed.
struct KeyLog
{
    QStringList mapped; // "code:sequence"
    QList<short> down;
    QList<short> press;
};

void record(Terminal &terminal, KeyLog &log)
{
    QObject::connect(&terminal, &Terminal::KeyMapped, [&log](short &code, short &shift, QString &keys) {
        EXPECT_EQ(shift, 0);
        log.mapped << QStringLiteral("%1:%2").arg(code).arg(keys);
    });
    QObject::connect(&terminal, &Terminal::KeyDown, [&log](short &code, short) { log.down << code; });
    QObject::connect(&terminal, &Terminal::KeyPress, [&log](short &ascii) { log.press << ascii; });
}

QString esc(const char *rest)
{
    return QChar(27) + QString::fromLatin1(rest);
}

class Keys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        keyboardState().setNumLock(true);
        record(terminal_, log_);
        terminal_.show();
    }
    void write(const char *text) { terminal_.setOutput(QString::fromLatin1(text)); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        log_ = KeyLog();
        QTest::keyClick(&terminal_, key, modifiers);
    }

    Terminal terminal_;
    KeyLog log_;
};

TEST_F(Keys, SpecialKeysGiveTheSequencesOfTheEmulation)
{
    struct Case
    {
        short emulation;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString mapped; // empty: the key takes the ordinary path with this code
        short code;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Case cases[] = {
        {emVT100, Qt::Key_F1, none, esc("OP"), 112},
        {emAnsi, Qt::Key_F1, none, esc("[M"), 112},
        {emAnsi, Qt::Key_F1, Qt::ShiftModifier, esc("[Y"), 112},
        {emAnsi, Qt::Key_F12, Qt::ShiftModifier, esc("[j"), 123},
        {emVT220, Qt::Key_F6, none, esc("[17~"), 117},
        {emVT220, Qt::Key_F12, none, esc("[24~"), 123},
        {emVT100, Qt::Key_F5, none, QString(), 116},
        {emVT220, Qt::Key_F5, none, QString(), 116},
        {emNone, Qt::Key_F1, none, QString(), 112},
        {emVT100, Qt::Key_Up, none, esc("[A"), 38},
        {emVT100, Qt::Key_Up, Qt::ControlModifier, esc("OA"), 38},
        {emVT100, Qt::Key_Left, Qt::ControlModifier, esc("OD"), 37},
        {emAnsi, Qt::Key_Up, Qt::ControlModifier, esc("[A"), 38},
        {emVT100, Qt::Key_Up, Qt::KeypadModifier, esc("Ox"), 38},
        {emVT100, Qt::Key_Down, Qt::KeypadModifier, esc("Or"), 40},
        {emAnsi, Qt::Key_Up, Qt::KeypadModifier, esc("[A"), 38},
        {emVT220, Qt::Key_Home, none, esc("[2~"), 36},
        {emVT220, Qt::Key_Home, Qt::KeypadModifier, esc("Ow"), 36},
        {emVT220, Qt::Key_Insert, none, esc("[1~"), 45},
        {emVT220, Qt::Key_Insert, Qt::KeypadModifier, esc("Op"), 45},
        {emVT220, Qt::Key_Delete, none, esc("[4~"), 46},
        {emVT220, Qt::Key_Delete, Qt::KeypadModifier, esc("[4~"), 46},
        {emVT220, Qt::Key_End, none, esc("[5~"), 35},
        {emVT220, Qt::Key_PageUp, none, esc("[3~"), 33},
        {emVT220, Qt::Key_PageDown, Qt::KeypadModifier, esc("Os"), 34},
        {emAnsi, Qt::Key_PageDown, none, esc("[I"), 34},
        {emAnsi, Qt::Key_Delete, none, QStringLiteral("\x7f"), 46},
        {emVT100, Qt::Key_Insert, none, QString(), 45},
        {emVT100, Qt::Key_Clear, Qt::KeypadModifier, esc("Ou"), 12},
        {emAnsi, Qt::Key_Clear, Qt::KeypadModifier, QString(), 12},
        {emAnsi, Qt::Key_Enter, Qt::KeypadModifier, QString(), 13},
    };
    for (const Case &c : cases) {
        terminal_.setEmulation(c.emulation);
        press(c.key, c.modifiers);
        const QString where = QStringLiteral("emulation %1 key %2").arg(c.emulation).arg(c.key, 0, 16);
        // (A modifier key itself arrives as KeyDown of its own code.)
        if (c.mapped.isEmpty()) {
            EXPECT_TRUE(log_.mapped.isEmpty()) << where.toStdString();
            EXPECT_TRUE(log_.down.contains(c.code)) << where.toStdString();
        } else {
            EXPECT_EQ(log_.mapped, QStringList{QStringLiteral("%1:%2").arg(c.code).arg(c.mapped)})
                << where.toStdString();
            EXPECT_FALSE(log_.down.contains(c.code)) << where.toStdString();
        }
    }
}

TEST_F(Keys, ApplicationCursorAndKeypadModesChangeTheArrowsAndKeypadEnter)
{
    terminal_.setEmulation(emVT100);
    write("\033[?1h");
    press(Qt::Key_Up);
    EXPECT_EQ(log_.mapped, QStringList{"38:" + esc("OA")});
    write("\033[?1l");
    press(Qt::Key_Right);
    EXPECT_EQ(log_.mapped, QStringList{"39:" + esc("[C")});

    write("\033=");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(log_.mapped, QStringList{"13:" + esc("OM")});
    press(Qt::Key_Return); // the main Enter stays an ordinary key
    EXPECT_TRUE(log_.mapped.isEmpty());
    write("\033>");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(log_.mapped.isEmpty());
    EXPECT_EQ(log_.down, QList<short>{13});
}

TEST_F(Keys, EnterAndBackspaceReachTheHostOnlyThroughOverrides)
{
    press(Qt::Key_Return);
    EXPECT_TRUE(log_.mapped.isEmpty());
    EXPECT_EQ(log_.down, QList<short>{13});
    EXPECT_EQ(log_.press, QList<short>{13});
    press(Qt::Key_Backspace);
    EXPECT_EQ(log_.down, QList<short>{8});
    EXPECT_EQ(log_.press, QList<short>{8});

    terminal_.setKeyMap(24, QStringLiteral("\r\n"));
    terminal_.setKeyMap(25, QStringLiteral("\x7f"));
    press(Qt::Key_Return);
    EXPECT_EQ(log_.mapped, QStringList{QStringLiteral("13:\r\n")});
    EXPECT_TRUE(log_.down.isEmpty());
    EXPECT_TRUE(log_.press.isEmpty());
    press(Qt::Key_Backspace);
    EXPECT_EQ(log_.mapped, QStringList{QStringLiteral("8:\x7f")});
}

TEST_F(Keys, KeyMapReadsOverridesAndDefaultsAndRefusesBadIndexes)
{
    terminal_.setEmulation(emVT220);
    EXPECT_EQ(terminal_.KeyMap(5), esc("[17~"));
    EXPECT_EQ(terminal_.KeyMap(24), QStringLiteral("\r"));
    EXPECT_EQ(terminal_.KeyMap(4), QString());
    terminal_.setKeyMap(5, QStringLiteral("six"));
    EXPECT_EQ(terminal_.KeyMap(5), QStringLiteral("six"));
    press(Qt::Key_F6);
    EXPECT_EQ(log_.mapped, QStringList{QStringLiteral("117:six")});
    terminal_.setKeyMap(5, QString());
    EXPECT_EQ(terminal_.KeyMap(5), esc("[17~"));

    for (short index : {short(-1), short(51), short(300)}) {
        try {
            terminal_.setKeyMap(index, QStringLiteral("x"));
            ADD_FAILURE() << "no error for index " << index;
        } catch (const ControlError &error) {
            EXPECT_EQ(error.number(), 381);
        }
        try {
            terminal_.KeyMap(index);
            ADD_FAILURE() << "no error for index " << index;
        } catch (const ControlError &error) {
            EXPECT_EQ(error.number(), 381);
        }
    }
}

TEST_F(Keys, OverridesAreDroppedByResetAndByResize)
{
    terminal_.setKeyMap(0, QStringLiteral("one"));
    write("\033c");
    EXPECT_EQ(terminal_.KeyMap(0), esc("[M"));
    terminal_.setKeyMap(0, QStringLiteral("one"));
    terminal_.setColumns(100);
    EXPECT_EQ(terminal_.KeyMap(0), esc("[M"));
    terminal_.setKeyMap(0, QStringLiteral("one"));
    terminal_.setColumns(300); // refused: the screen and its overrides stay
    EXPECT_EQ(terminal_.KeyMap(0), QStringLiteral("one"));
}

TEST_F(Keys, RepeatCountFiresKeyMappedOncePerRepetition)
{
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), true, 3);
    QApplication::sendEvent(&terminal_, &repeated);
    EXPECT_EQ(log_.mapped.size(), 3);
    EXPECT_EQ(log_.mapped.value(2), "113:" + esc("[N"));
}

TEST_F(Keys, NumLockKeySetsTheApplicationKeypadModeToTheOppositeOfTheToggle)
{
    std::uint32_t modes = 0;
    press(Qt::Key_NumLock);
    EXPECT_FALSE(keyboardState().numLock());
    TermGetModes(terminal_.screenHandle(), &modes);
    EXPECT_TRUE(modes & ModeAppKeypad);
    press(Qt::Key_NumLock);
    TermGetModes(terminal_.screenHandle(), &modes);
    EXPECT_FALSE(modes & ModeAppKeypad);
    EXPECT_EQ(log_.down, QList<short>{144});
}

TEST_F(Keys, TypedCharactersGoThroughKeyDownAndKeyPress)
{
    press(Qt::Key_A);
    EXPECT_EQ(log_.down, QList<short>{65});
    EXPECT_EQ(log_.press, QList<short>{'a'});
    press(Qt::Key_Escape);
    EXPECT_EQ(log_.press, QList<short>{27});
}

TEST(KeysInADialog, TabAndCursorKeysReachTheControlBeforeTheDialog)
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *edit = new QLineEdit(&dialog);
    auto *terminal = new Terminal(&dialog);
    layout->addWidget(edit);
    layout->addWidget(terminal);
    int shortcutHits = 0;
    auto *home = new QAction(&dialog);
    home->setShortcut(QKeySequence(Qt::Key_Home));
    dialog.addAction(home);
    QObject::connect(home, &QAction::triggered, [&] { ++shortcutHits; });
    KeyLog log;
    record(*terminal, log);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    terminal->setFocus();

    QTest::keyClick(terminal, Qt::Key_Tab);
    EXPECT_EQ(log.press, QList<short>{9});
    EXPECT_EQ(QApplication::focusWidget(), terminal);
    QTest::keyClick(terminal, Qt::Key_Home);
    QTest::keyClick(terminal, Qt::Key_Down);
    EXPECT_EQ(log.mapped, (QStringList{"36:" + esc("[H"), "40:" + esc("[B")}));
    EXPECT_EQ(shortcutHits, 0);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(terminal, Qt::Key_Escape); // the dialog does not close either
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
