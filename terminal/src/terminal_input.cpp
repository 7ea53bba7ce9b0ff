// Terminal: window events. Keys with a host sequence leave through KeyMapped, other
// keys through KeyDown and KeyPress; the cursor-block keys and Tab are taken before
// Qt's own handling, so neither a dialog nor the focus chain uses them.
#include "glyphterm/terminal.h"

#include "key_map.h"
#include "keyboard_state.h"
#include "screen_ops.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace glyphterm {

namespace {

short shiftState(Qt::KeyboardModifiers modifiers)
{
    short state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

short mouseButtons(Qt::MouseButtons buttons)
{
    short state = 0;
    if (buttons & Qt::LeftButton)
        state |= 1;
    if (buttons & Qt::RightButton)
        state |= 2;
    if (buttons & Qt::MiddleButton)
        state |= 4;
    return state;
}

} // namespace

bool Terminal::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (userMode_ && (isNavigationKey(key) || key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::KeyRelease:
        keyReleaseEvent(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::Show:
        shown_ = true;
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(event);
}

void Terminal::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    if (!userMode_)
        return;
    const KeyInput key = keyInputFor(*event);
    std::uint32_t modes = 0;
    if (event->key() == Qt::Key_NumLock && !event->isAutoRepeat()) {
        keyboardState().pressNumLock();
        TermSetMode(handle_, ModeAppKeypad, !keyboardState().numLock());
    }
    TermGetModes(handle_, &modes);
    const int index = keyIndexFor(key, modes);
    const QString sequence = index >= 0 ? keySequence(index, true) : QString();
    if (!sequence.isEmpty()) {
        for (int i = 0; i < std::max(event->count(), 1); ++i) {
            short keyCode = static_cast<short>(key.virtualKey);
            short shift = 0;
            QString keyString = sequence.left(511);
            emit KeyMapped(keyCode, shift, keyString);
        }
        return;
    }
    short keyCode = static_cast<short>(key.virtualKey);
    emit KeyDown(keyCode, shiftState(event->modifiers()));
    for (const QChar c : event->text()) {
        if (c.unicode() > 0xFF)
            continue; // not in the 8-bit code page
        short keyAscii = static_cast<short>(c.unicode());
        emit KeyPress(keyAscii);
    }
}

void Terminal::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    if (!userMode_)
        return;
    short keyCode = static_cast<short>(keyInputFor(*event).virtualKey);
    emit KeyUp(keyCode, shiftState(event->modifiers()));
}

void Terminal::mousePressEvent(QMouseEvent *event)
{
    pressedInside_ = true;
    const QPoint at = event->position().toPoint();
    emit MouseDown(mouseButtons(event->button()), shiftState(event->modifiers()), at.x(), at.y());
}

void Terminal::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseUp(mouseButtons(event->button()), shiftState(event->modifiers()), at.x(), at.y());
    if (pressedInside_ && viewport()->rect().contains(at))
        emit Click();
    pressedInside_ = false;
}

void Terminal::mouseDoubleClickEvent(QMouseEvent *)
{
    emit DblClick();
}

void Terminal::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseMove(mouseButtons(event->buttons()), shiftState(event->modifiers()), at.x(), at.y());
}

void Terminal::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && handle_ >= 0) {
        TermSetFont(handle_, font());
        TermSetClientSize(handle_, viewport()->width(), viewport()->height());
    }
    QAbstractScrollArea::changeEvent(event);
}

void Terminal::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    draw(painter, viewport()->rect());
}

void Terminal::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    TermSetClientSize(handle_, viewport()->width(), viewport()->height());
}

void Terminal::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (userMode_)
        TermSetFocus(handle_, true);
}

void Terminal::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    TermSetFocus(handle_, false);
}

void Terminal::scrollContentsBy(int, int)
{
    // A scroll-bar request; a bar only following the screen's own position is no move.
    const TerminalScreen *screen = lookupScreen(handle_);
    if (!screen)
        return;
    if (verticalScrollBar()->value() != screen->verticalPosition)
        TermScrollView(handle_, true, verticalScrollBar()->value());
    if (horizontalScrollBar()->value() != screen->horizontalPosition)
        TermScrollView(handle_, false, horizontalScrollBar()->value());
}

} // namespace glyphterm
