// The window side of a screen: repainting, scroll bars, the caret, fonts, colours and
// modes, and the public operations that wrap the editing functions.
#include "screen_ops.h"

#include "glyph_map.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace glyphterm {

namespace {

// The range changes are signalled (the scroll area shows or hides the bar on them);
// the position is the screen's already, so its change is not.
void setScrollBar(QScrollBar *bar, int maximum, int page, int position)
{
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, page));
    const QSignalBlocker blocker(bar);
    bar->setValue(position);
}

} // namespace

QRect caretRectangle(const TerminalScreen &screen)
{
    const int x = (screen.cursorColumn - screen.horizontalPosition) * screen.charWidth;
    const int y = (screen.cursorRow - screen.verticalPosition) * screen.lineHeight;
    if (screen.modes & ModeBlockCursor)
        return QRect(x, y, screen.charWidth, screen.lineHeight);
    return QRect(x, y + screen.lineHeight, screen.charWidth, 2);
}

void invalidateScreen(TerminalScreen &screen, bool now)
{
    screen.flags |= FlagFullRepaint;
    if (screen.noRefresh() || ((screen.flags & FlagUpdateRequested) && !now))
        return; // a repaint of the whole window is on its way already
    QWidget *target = paintTarget(screen);
    if (!target)
        return;
    target->update();
    screen.flags |= FlagUpdateRequested;
    if (now) {
        target->repaint();
        recomputeScrollBars(screen);
        updateCaret(screen);
    }
}

void invalidateRows(TerminalScreen &screen, int first, int last)
{
    if (screen.noRefresh())
        return;
    QWidget *target = paintTarget(screen);
    if (!target)
        return;
    if (last < first)
        std::swap(first, last);
    // One more row: the underline caret sits at the top of the row below the cursor.
    target->update(0, (first - screen.verticalPosition) * screen.lineHeight, screen.clientWidth,
                   (last - first + 2) * screen.lineHeight);
}

void recomputeScrollBars(TerminalScreen &screen)
{
    screen.horizontalMaximum =
        std::max(0, (screen.columns * screen.charWidth - screen.clientWidth) / screen.charWidth);
    screen.verticalMaximum = std::max(0, screen.rows - screen.clientHeight / screen.lineHeight);
    screen.horizontalPosition = std::clamp(screen.horizontalPosition, 0, screen.horizontalMaximum);
    screen.verticalPosition = std::clamp(screen.verticalPosition, 0, screen.verticalMaximum);
    if (QAbstractScrollArea *area = scrollArea(screen)) {
        setScrollBar(area->horizontalScrollBar(), screen.horizontalMaximum,
                     screen.clientWidth / screen.charWidth, screen.horizontalPosition);
        setScrollBar(area->verticalScrollBar(), screen.verticalMaximum,
                     screen.clientHeight / screen.lineHeight, screen.verticalPosition);
    }
}

void scrollViewToBottom(TerminalScreen &screen)
{
    if (screen.verticalPosition == screen.verticalMaximum)
        return;
    screen.verticalPosition = screen.verticalMaximum;
    if (QAbstractScrollArea *area = scrollArea(screen)) {
        const QSignalBlocker blocker(area->verticalScrollBar());
        area->verticalScrollBar()->setValue(screen.verticalPosition);
    }
    invalidateScreen(screen, false);
}

void updateCaret(TerminalScreen &screen)
{
    if (screen.noRefresh())
        return;
    const bool shown = (screen.flags & FlagFocused) && (screen.modes & ModeCursorVisible);
    const QRect place = shown ? caretRectangle(screen) : QRect();
    const bool wasShown = (screen.flags & FlagCaretShown) != 0;
    if (shown == wasShown && place == screen.caretRect)
        return;
    QWidget *target = paintTarget(screen);
    if (target && wasShown)
        target->update(screen.caretRect);
    screen.flags = shown ? (screen.flags | FlagCaretShown) : (screen.flags & ~FlagCaretShown);
    screen.caretRect = place;
    if (target && shown)
        target->update(place);
}

void setModes(TerminalScreen &screen, std::uint32_t mask, bool on)
{
    const std::uint32_t before = screen.modes;
    screen.modes = on ? (before | mask) : (before & ~mask);
    const std::uint32_t changed = before ^ screen.modes;
    if ((changed & ModeNoRefresh) && !screen.noRefresh()) {
        invalidateScreen(screen, false);
        updateCaret(screen);
    }
    if (changed & (ModeCursorVisible | ModeBlockCursor))
        updateCaret(screen);
}

void setBackColour(TerminalScreen &screen, COLORREF colour)
{
    screen.pairs[PairNormal].background = colour;
    screen.pairs[PairBold].background = colour;
    screen.pairs[PairGraphics].background = colour;
    screen.pairs[PairReverse].foreground = colour;
    screen.pairs[PairBoldReverse].foreground = colour;
    invalidateScreen(screen, false);
}

void setForeColour(TerminalScreen &screen, COLORREF colour)
{
    screen.pairs[PairNormal].foreground = colour;
    screen.pairs[PairGraphics].foreground = colour;
    screen.pairs[PairReverse].background = colour;
    invalidateScreen(screen, false);
}

void setBoldColour(TerminalScreen &screen, COLORREF colour)
{
    screen.pairs[PairBold].foreground = colour;
    screen.pairs[PairBoldReverse].background = colour;
    invalidateScreen(screen, false);
}

void swapColourPairs(TerminalScreen &screen)
{
    for (ColourPairValue &pair : screen.pairs)
        std::swap(pair.foreground, pair.background);
    screen.flags ^= FlagReverseScreen;
    invalidateScreen(screen, false);
}

QFont defaultTerminalFont()
{
    QFont font(QStringLiteral("Terminal"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

void applyFont(TerminalScreen &screen, const QFont &font, bool owned)
{
    screen.font = font;
    screen.flags &= ~(FlagOwnFont | FlagOemFont);
    if (owned)
        screen.flags |= FlagOwnFont;
    if (isOemFont(font))
        screen.flags |= FlagOemFont;
    QPaintDevice *device = screen.paintDevice ? screen.paintDevice->device() : nullptr;
    if (!device)
        device = paintTarget(screen);
    const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
    screen.charWidth = std::max(1, metrics.averageCharWidth());
    screen.lineHeight = std::max(1, metrics.height() + std::max(0, metrics.leading()));
    recomputeScrollBars(screen);
    updateCaret(screen);
}

// ---- public operations ----

int TermSetFont(int handle, const QFont &font)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        applyFont(screen, font, false);
        invalidateScreen(screen, false);
    });
}

int TermSetMode(int handle, std::uint32_t mask, bool on)
{
    return onScreen(handle, [&](TerminalScreen &screen) { setModes(screen, mask, on); });
}

int TermSetEmulation(int handle, int emulation)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || emulation < emNone || emulation > emVT220)
        return 0;
    screen->emulation = emulation;
    return 1;
}

int TermSetBackColor(int handle, COLORREF colour)
{
    return onScreen(handle, [&](TerminalScreen &screen) { setBackColour(screen, colour); });
}

int TermSetForeColor(int handle, COLORREF colour)
{
    return onScreen(handle, [&](TerminalScreen &screen) { setForeColour(screen, colour); });
}

int TermSetBoldColor(int handle, COLORREF colour)
{
    return onScreen(handle, [&](TerminalScreen &screen) { setBoldColour(screen, colour); });
}

int TermSetCursor(int handle, int column, int row)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        positionCursor(screen, column < 0 ? screen.cursorColumn : column, row < 0 ? screen.cursorRow : row);
    });
}

int TermGetCursor(int handle, int *column, int *row)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !column || !row)
        return 0;
    *column = screen->cursorColumn;
    *row = screen->cursorRow;
    return 1;
}

int TermSetRegion(int handle, int top, int bottom)
{
    TerminalScreen *screen = lookupScreen(handle);
    return screen && setRegion(*screen, top, bottom) ? 1 : 0;
}

int TermEraseDisplay(int handle, int mode)
{
    return onScreen(handle, [&](TerminalScreen &screen) { eraseDisplay(screen, mode); });
}

int TermEraseLine(int handle, int mode)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        eraseLine(screen, mode);
        invalidateRows(screen, screen.cursorRow, screen.cursorRow);
    });
}

int TermInsertLine(int handle)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        insertLine(screen);
        invalidateScreen(screen, false);
    });
}

int TermDeleteLine(int handle)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        deleteLine(screen);
        invalidateScreen(screen, false);
    });
}

int TermScroll(int handle, bool up)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        if (up)
            scrollRegionUp(screen);
        else
            scrollRegionDown(screen);
        invalidateScreen(screen, false);
    });
}

int TermInvalidate(int handle, bool now)
{
    return onScreen(handle, [&](TerminalScreen &screen) { invalidateScreen(screen, now); });
}

int TermSetPaintDC(int handle, QPainter *painter)
{
    return onScreen(handle, [&](TerminalScreen &screen) { screen.paintDevice = painter; });
}

int TermScrollView(int handle, bool vertical, int position)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        int &current = vertical ? screen.verticalPosition : screen.horizontalPosition;
        current = std::clamp(position, 0, vertical ? screen.verticalMaximum : screen.horizontalMaximum);
        if (QAbstractScrollArea *area = scrollArea(screen)) {
            QScrollBar *bar = vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
            const QSignalBlocker blocker(bar);
            bar->setValue(current);
        }
        invalidateScreen(screen, true);
    });
}

int TermSetClientSize(int handle, int width, int height)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        if (width > 0)
            screen.clientWidth = width;
        if (height > 0)
            screen.clientHeight = height;
        recomputeScrollBars(screen);
        updateCaret(screen);
    });
}

int TermSetFocus(int handle, bool focused)
{
    return onScreen(handle, [&](TerminalScreen &screen) {
        screen.flags = focused ? (screen.flags | FlagFocused) : (screen.flags & ~FlagFocused);
        updateCaret(screen);
    });
}

} // namespace glyphterm
