// Operations on a screen record shared by the public screen functions, the emulation
// engine and the control. None of them checks a handle: the caller has looked it up.
#pragma once

#include "screen_record.h"

namespace glyphterm {

// Runs `operation` on the screen of `handle`: 1, or 0 (and nothing done) for an
// invalid handle. The public operations are built on it.
template <typename Operation> int onScreen(int handle, Operation operation)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    operation(*screen);
    return 1;
}

// Cursor positioning: the column is clamped to the line, the row to the screen (or to
// the scrolling region in origin mode); then the caret follows.
void positionCursor(TerminalScreen &screen, int column, int row);

// A blank cell: a space with the colour bits of the current attribute and, where those
// bits are set, the current colours.
TermCell blankCell(const TerminalScreen &screen);
void blankCells(TermCell *first, int count, const TermCell &blank);

void eraseDisplay(TerminalScreen &screen, int mode);
void eraseLine(TerminalScreen &screen, int mode);
void insertLine(TerminalScreen &screen);
void deleteLine(TerminalScreen &screen);
void scrollRegionUp(TerminalScreen &screen);
void scrollRegionDown(TerminalScreen &screen);
// `count` is already clamped so the cursor column plus it stays within the line.
void insertCharacters(TerminalScreen &screen, int count);
void deleteCharacters(TerminalScreen &screen, int count);
void eraseCharacters(TerminalScreen &screen, int count);
// Returns false (region unchanged) when fewer than 3 rows remain after clamping.
bool setRegion(TerminalScreen &screen, int top, int bottom);
void saveCursor(TerminalScreen &screen);
void restoreCursor(TerminalScreen &screen);

void setModes(TerminalScreen &screen, std::uint32_t mask, bool on);
// Whether a screen created for `emulation` on `window` is in colour mode: ANSI and
// VT220 on a display of more than 8 colours.
bool colourModeFor(int emulation, const QWidget &window);
void setBackColour(TerminalScreen &screen, COLORREF colour);
void setForeColour(TerminalScreen &screen, COLORREF colour);
void setBoldColour(TerminalScreen &screen, COLORREF colour);
void swapColourPairs(TerminalScreen &screen);

// Repainting: the whole window (now = paint at once, recompute the scroll bars and
// place the caret again) or the band of rows first..last (screen rows, either order).
void invalidateScreen(TerminalScreen &screen, bool now);
void invalidateRows(TerminalScreen &screen, int first, int last);
void recomputeScrollBars(TerminalScreen &screen);
void scrollViewToBottom(TerminalScreen &screen);
// The caret's rectangle for the cursor (window pixels), by the cursor style.
QRect caretRectangle(const TerminalScreen &screen);
// Shows, hides or moves the caret after a change of focus, mode, style or cursor.
void updateCaret(TerminalScreen &screen);

// Font and metrics: the OEM flag follows the face (see glyph_map.h).
void applyFont(TerminalScreen &screen, const QFont &font, bool owned);
QFont defaultTerminalFont();

} // namespace glyphterm
