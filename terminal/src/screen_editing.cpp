// Editing operations on the grid: cursor positioning, erasing, inserting, deleting and
// scrolling, the scrolling region and the saved cursor.
#include "screen_ops.h"

#include <algorithm>
#include <cstring>

namespace glyphterm {

void positionCursor(TerminalScreen &screen, int column, int row)
{
    const int top = (screen.modes & ModeOrigin) ? screen.regionTop : 0;
    const int bottom = (screen.modes & ModeOrigin) ? screen.regionBottom : screen.rows - 1;
    screen.cursorColumn = std::clamp(column, 0, screen.columns - 1);
    screen.cursorRow = std::clamp(row, top, bottom);
    screen.flags &= ~FlagWrapPending;
    updateCaret(screen);
}

TermCell blankCell(const TerminalScreen &screen)
{
    const std::uint16_t colourBits = screen.attribute & AttrExplicitColours;
    return TermCell{' ', colourBits, (colourBits & AttrExplicitFore) ? screen.foreground : 0,
                    (colourBits & AttrExplicitBack) ? screen.background : 0};
}

void blankCells(TermCell *first, int count, const TermCell &blank)
{
    // Four cells at a time from a pattern of four, a block copy the compiler turns into a
    // few wide stores: a plain fill stores a 12-byte cell one field at a time.
    const TermCell pattern[4] = {blank, blank, blank, blank};
    int i = 0;
    for (; i + 4 <= count; i += 4)
        std::memcpy(first + i, pattern, sizeof pattern);
    for (; i < count; ++i)
        first[i] = blank;
}

namespace {

void blankRows(TerminalScreen &screen, int first, int last, const TermCell &blank)
{
    for (int r = first; r <= last; ++r)
        blankCells(screen.row(r), screen.columns, blank);
}

// Rows first..last move up one (the first is lost) and the last is blanked; only the
// row map changes.
void shiftRowsUp(TerminalScreen &screen, int first, int last)
{
    std::rotate(screen.rowMap.begin() + first, screen.rowMap.begin() + first + 1,
                screen.rowMap.begin() + last + 1);
    blankCells(screen.row(last), screen.columns, blankCell(screen));
}

void shiftRowsDown(TerminalScreen &screen, int first, int last)
{
    std::rotate(screen.rowMap.begin() + first, screen.rowMap.begin() + last,
                screen.rowMap.begin() + last + 1);
    blankCells(screen.row(first), screen.columns, blankCell(screen));
}

} // namespace

void eraseDisplay(TerminalScreen &screen, int mode)
{
    const bool origin = (screen.modes & ModeOrigin) != 0;
    const int top = origin ? screen.regionTop : 0;
    const int bottom = origin ? screen.regionBottom : screen.rows - 1;
    const TermCell blank = blankCell(screen);
    TermCell *cursorLine = screen.row(screen.cursorRow);
    switch (mode) {
    case 0:
        blankCells(cursorLine + screen.cursorColumn, screen.columns - screen.cursorColumn, blank);
        blankRows(screen, std::max(screen.cursorRow + 1, top), bottom, blank);
        break;
    case 1: // through the cursor cell
        blankRows(screen, top, std::min(screen.cursorRow - 1, bottom), blank);
        blankCells(cursorLine, screen.cursorColumn + 1, blank);
        break;
    case 2:
        blankRows(screen, top, bottom, blank);
        break;
    default:
        return;
    }
    invalidateScreen(screen, false);
}

void eraseLine(TerminalScreen &screen, int mode)
{
    const TermCell blank = blankCell(screen);
    TermCell *line = screen.row(screen.cursorRow);
    if (mode == 0)
        blankCells(line + screen.cursorColumn, screen.columns - screen.cursorColumn, blank);
    else if (mode == 1) // through the cursor cell
        blankCells(line, screen.cursorColumn + 1, blank);
    else
        blankCells(line, screen.columns, blank);
}

void insertLine(TerminalScreen &screen)
{
    screen.cursorRow = std::clamp(screen.cursorRow, screen.regionTop, screen.regionBottom);
    if (screen.cursorRow == screen.regionTop)
        scrollRegionDown(screen);
    else
        shiftRowsDown(screen, screen.cursorRow, screen.regionBottom);
}

void deleteLine(TerminalScreen &screen)
{
    screen.cursorRow = std::clamp(screen.cursorRow, screen.regionTop, screen.regionBottom);
    shiftRowsUp(screen, screen.cursorRow, screen.regionBottom);
}

void scrollRegionUp(TerminalScreen &screen)
{
    shiftRowsUp(screen, screen.regionTop, screen.regionBottom);
    scrollViewToBottom(screen);
}

void scrollRegionDown(TerminalScreen &screen)
{
    shiftRowsDown(screen, screen.regionTop, screen.regionBottom);
    scrollViewToBottom(screen);
}

void insertCharacters(TerminalScreen &screen, int count)
{
    if (count <= 0)
        return;
    TermCell *line = screen.row(screen.cursorRow);
    std::copy_backward(line + screen.cursorColumn, line + screen.columns - count, line + screen.columns);
    blankCells(line + screen.cursorColumn, count, blankCell(screen));
}

void deleteCharacters(TerminalScreen &screen, int count)
{
    if (count <= 0)
        return;
    TermCell *line = screen.row(screen.cursorRow);
    std::copy(line + screen.cursorColumn + count, line + screen.columns, line + screen.cursorColumn);
    blankCells(line + screen.columns - count, count, blankCell(screen));
}

void eraseCharacters(TerminalScreen &screen, int count)
{
    const int cells = std::clamp(count, 0, screen.columns - screen.cursorColumn);
    blankCells(screen.row(screen.cursorRow) + screen.cursorColumn, cells, blankCell(screen));
}

bool setRegion(TerminalScreen &screen, int top, int bottom)
{
    const int last = screen.rows - 1;
    top = std::clamp(top, 0, last);
    if (bottom < 0 || bottom > last)
        bottom = last;
    if (bottom < top)
        std::swap(top, bottom);
    if (bottom - top <= 1)
        return false;
    screen.regionTop = top;
    screen.regionBottom = bottom;
    return true;
}

void saveCursor(TerminalScreen &screen)
{
    screen.savedColumn = screen.cursorColumn;
    screen.savedRow = screen.cursorRow;
    screen.savedAttribute = screen.attribute;
    screen.savedForeground = screen.foreground;
    screen.savedBackground = screen.background;
    screen.flags |= FlagCursorSaved;
}

void restoreCursor(TerminalScreen &screen)
{
    // With the DEC rules the saved state stays for further restores, and a restore
    // with nothing saved goes home with the default attributes.
    if (!(screen.flags & FlagCursorSaved)) {
        if (!screen.decRules())
            return;
        screen.attribute = 0;
        screen.foreground = DefaultForeground;
        screen.background = DefaultBackground;
        positionCursor(screen, 0, 0);
        return;
    }
    if (!screen.decRules())
        screen.flags &= ~FlagCursorSaved;
    screen.attribute = screen.savedAttribute;
    screen.foreground = screen.savedForeground;
    screen.background = screen.savedBackground;
    positionCursor(screen, screen.savedColumn, screen.savedRow);
}

} // namespace glyphterm
