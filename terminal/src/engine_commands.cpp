// The commands of the emulation engine: ESC commands, CSI commands with SGR, private
// modes, character-set designation, the alignment pattern and the CSI = commands.
#include "engine.h"

#include "keyboard_state.h"

#include <algorithm>

namespace glyphterm {

namespace {

// Colours of the CSI = commands.
constexpr COLORREF ConsolePalette[PaletteSize] = {
    rgb(0, 0, 0),       rgb(0, 0, 255),     rgb(0, 255, 0),     rgb(0, 255, 255),
    rgb(255, 0, 0),     rgb(255, 0, 255),   rgb(192, 96, 0),    rgb(224, 224, 224),
    rgb(192, 192, 192), rgb(192, 192, 255), rgb(192, 255, 192), rgb(192, 255, 255),
    rgb(255, 192, 192), rgb(255, 192, 255), rgb(255, 255, 0),   rgb(255, 255, 255),
};

// The first parameter, or 1 when there is none.
int firstOrOne(const ParserData &parser)
{
    return parser.count > 0 ? parser.parameters[0] : 1;
}

void wholeScreenRegion(TerminalScreen &screen)
{
    screen.regionTop = 0;
    screen.regionBottom = screen.rows - 1;
}

void selectGraphicRendition(TerminalScreen &screen)
{
    const ParserData &parser = screen.parser;
    const bool colour = (screen.modes & ModeColour) != 0;
    const int count = std::max(parser.count, 1); // no parameters: as 0
    for (int i = 0; i < count; ++i) {
        const int p = parser.count > 0 ? parser.parameters[i] : 0;
        std::uint16_t &attribute = screen.attribute;
        switch (p) {
        case 0:
            attribute &= AttrExplicitColours;
            break;
        case 1:
            attribute |= AttrBold;
            break;
        case 2:
            attribute |= AttrFaint;
            break;
        case 4:
            attribute |= AttrUnderline;
            break;
        case 5:
            attribute |= AttrBlink;
            break;
        case 7:
            attribute |= AttrReverse;
            break;
        case 8:
            attribute |= AttrConcealed;
            break;
        case 22:
            attribute &= ~AttrBold;
            break;
        case 24:
            attribute &= ~AttrUnderline;
            break;
        case 25:
            attribute &= ~AttrBlink;
            break;
        case 27:
            attribute &= ~AttrReverse;
            break;
        case 29:
            attribute &= ~AttrExplicitColours;
            break;
        default:
            if (colour && p >= 30 && p <= 37) {
                screen.foreground = screen.palette[p - 30 + ((attribute & AttrBold) ? 8 : 0)];
                attribute |= AttrExplicitFore;
            } else if (colour && p >= 40 && p <= 47) {
                screen.background = screen.palette[p - 40];
                attribute |= AttrExplicitBack;
            }
            break;
        }
    }
}

// CSI r: none = whole screen; one = rows 0..p1-1; two = p1-1..p2-1; more: unchanged.
void setScrollingRegion(TerminalScreen &screen)
{
    const ParserData &parser = screen.parser;
    if (parser.count == 0)
        wholeScreenRegion(screen);
    else if (parser.count == 1)
        setRegion(screen, 0, parser.parameters[0] - 1);
    else if (parser.count == 2)
        setRegion(screen, parser.parameters[0] - 1, parser.parameters[1] - 1);
}

void cursorBackTab(TerminalScreen &screen, int n)
{
    int column = screen.cursorColumn > 0 ? ((screen.cursorColumn - 1) / 8) * 8 : 0;
    column -= 8 * (std::max(n, 1) - 1);
    positionCursor(screen, std::max(column, 0), screen.cursorRow);
}

// Insert and delete characters: 0 counts as 1, and they act through the last column
// (at the last column on that cell alone).
int characterCount(const TerminalScreen &screen, int n)
{
    return std::min(std::max(n, 1), screen.columns - screen.cursorColumn);
}

} // namespace

void runEscapeCommand(TerminalScreen &screen, unsigned char final, WriteProgress &progress)
{
    const int column = screen.cursorColumn;
    const int row = screen.cursorRow;
    switch (final) {
    case '7':
        saveCursor(screen);
        break;
    case '8':
        restoreCursor(screen);
        break;
    case '=':
        keyboardState().setNumLock(false);
        screen.modes |= ModeAppKeypad;
        break;
    case '>':
        keyboardState().setNumLock(true);
        screen.modes &= ~ModeAppKeypad;
        break;
    // Index, next line and reverse index scroll at the margin and leave the cursor on
    // it, as a line feed does, so it never leaves the scrolling region.
    case 'D':
    case 'E':
        if (row == screen.regionBottom) {
            scrollRegionUp(screen);
            progress.scrolled = true;
            positionCursor(screen, final == 'E' ? 0 : column, row);
        } else {
            positionCursor(screen, final == 'E' ? 0 : column, row + 1);
        }
        break;
    case 'M':
        if (row == screen.regionTop) {
            scrollRegionDown(screen);
            progress.scrolled = true;
        } else {
            positionCursor(screen, column, row - 1);
        }
        break;
    case 'V':
        screen.attribute |= AttrGuarded;
        break;
    case 'W':
        screen.attribute &= ~AttrGuarded;
        break;
    case 'c':
        screen.attribute = 0;
        for (std::string &keys : screen.keyOverrides)
            keys.clear();
        wholeScreenRegion(screen);
        recomputeScrollBars(screen);
        eraseDisplay(screen, 2);
        positionCursor(screen, 0, 0);
        break;
    default:
        return;
    }
    invalidateScreen(screen, false);
}

void runCsiCommand(TerminalScreen &screen, unsigned char final)
{
    const ParserData &parser = screen.parser;
    const int n = firstOrOne(parser);
    const int p1 = parser.count > 0 ? parser.parameters[0] : 0;
    const int column = screen.cursorColumn;
    const int row = screen.cursorRow;
    switch (final) {
    case '@':
        insertCharacters(screen, characterCount(screen, n));
        break;
    case 'A':
        positionCursor(screen, column, row - n);
        break;
    case 'B':
    case 'e':
        positionCursor(screen, column, row + n);
        break;
    case 'C':
    case 'a':
        positionCursor(screen, column + n, row);
        break;
    case 'D':
        positionCursor(screen, column - n, row);
        break;
    case 'E':
        positionCursor(screen, 0, row + n);
        break;
    case 'F':
        positionCursor(screen, 0, row - n);
        break;
    case 'G':
    case '`':
        positionCursor(screen, n - 1, row);
        break;
    case 'd':
        positionCursor(screen, column, n - 1);
        break;
    case 'H':
    case 'f':
        if (parser.count == 0)
            positionCursor(screen, 0, 0);
        else if (parser.count == 1)
            positionCursor(screen, 0, p1 - 1);
        else
            positionCursor(screen, parser.parameters[1] - 1, p1 - 1);
        break;
    case 'I':
        for (int i = 0; i < std::min(n, screen.columns); ++i)
            positionCursor(screen, (screen.cursorColumn / 8 + 1) * 8, screen.cursorRow);
        break;
    case 'Z':
        cursorBackTab(screen, n);
        break;
    case 'J':
        eraseDisplay(screen, p1);
        break;
    case 'K':
        eraseLine(screen, p1);
        break;
    // Repeating these more often than there are rows changes nothing further.
    case 'L':
        for (int i = 0; i < std::min(n, screen.rows); ++i)
            insertLine(screen);
        break;
    case 'M':
        for (int i = 0; i < std::min(n, screen.rows); ++i)
            deleteLine(screen);
        break;
    case 'S':
        for (int i = 0; i < std::min(n, screen.rows); ++i)
            scrollRegionUp(screen);
        break;
    case 'T':
        for (int i = 0; i < std::min(n, screen.rows); ++i)
            scrollRegionDown(screen);
        break;
    case 'P':
        deleteCharacters(screen, characterCount(screen, n));
        break;
    // Erase characters: n cells from the cursor (0 counts as 1), within the line.
    case 'X':
        eraseCharacters(screen, std::max(n, 1));
        break;
    case 'c':
        break; // no answer is sent; repaint only
    case 'm':
        selectGraphicRendition(screen);
        break;
    case 'r':
        setScrollingRegion(screen);
        break;
    case 's':
        saveCursor(screen);
        break;
    case 'u':
        restoreCursor(screen);
        break;
    default:
        return;
    }
    invalidateScreen(screen, false);
}

void runPrivateMode(TerminalScreen &screen, unsigned char final)
{
    ParserData &parser = screen.parser;
    parser.count = 0;
    completeParameter(parser);
    const int mode = parser.parameters[0];
    const bool set = final == 'h';
    switch (mode) {
    case 1:
        setModes(screen, ModeAppCursorKeys, set);
        break;
    case 2:
        if (set) {
            screen.flags &= ~FlagVt52;
        } else {
            screen.flags |= FlagVt52;
            wholeScreenRegion(screen);
        }
        break;
    case 5:
        if (set != ((screen.flags & FlagReverseScreen) != 0))
            swapColourPairs(screen);
        break;
    case 6:
        setModes(screen, ModeOrigin, set);
        positionCursor(screen, screen.cursorColumn, screen.cursorRow - screen.regionTop);
        break;
    case 7:
        setModes(screen, ModeAutoWrap, set);
        break;
    case 20:
        setModes(screen, ModeLfNewLine, set);
        break;
    case 25:
        setModes(screen, ModeCursorVisible, set);
        break;
    case 66:
        keyboardState().setNumLock(!set);
        setModes(screen, ModeAppKeypad, set);
        break;
    default:
        break;
    }
}

void designateCharacterSet(TerminalScreen &screen, unsigned char set)
{
    std::uint16_t &attribute = screen.attribute;
    if (set == '0')
        attribute = static_cast<std::uint16_t>((attribute | AttrGraphics) & ~AttrUkCharset);
    else if (set == 'A')
        attribute = static_cast<std::uint16_t>((attribute | AttrUkCharset) & ~AttrGraphics);
    else if (set == 'B')
        attribute &= ~(AttrGraphics | AttrUkCharset);
}

void alignmentPattern(TerminalScreen &screen)
{
    wholeScreenRegion(screen);
    recomputeScrollBars(screen);
    eraseDisplay(screen, 2);
    for (int r = 0; r < screen.rows; ++r)
        blankCells(screen.row(r), screen.columns, TermCell{'E', 0, 0, 0});
    positionCursor(screen, 0, 0);
    invalidateScreen(screen, false);
}

void runCsiEqualsCommand(TerminalScreen &screen, unsigned char final)
{
    const ParserData &parser = screen.parser;
    const int count = parser.count;
    const int *p = parser.parameters.data();
    const int index = firstOrOne(parser);
    const bool oneColour = count == 1 && index >= 0 && index < PaletteSize;
    std::array<ColourPairValue, ColourPairCount> &pairs = screen.pairs;
    switch (final) {
    case 'A':
    case 'E':
        break;
    case 'B':
        setModes(screen, ModeBell,
                 (count == 1 && p[0] > 0) || (count == 2 && p[0] > 0 && p[1] > 0) || count >= 3);
        break;
    case 'C':
        if (count == 2) {
            setModes(screen, ModeCursorVisible, p[1] >= p[0]);
            if (p[1] >= p[0])
                setModes(screen, ModeBlockCursor, p[1] - p[0] > 4);
        }
        break;
    case 'D':
        if (count == 1 && (p[0] == 0 || p[0] == 1)) {
            const COLORREF bits = rgb(0x20, 0x20, 0x20);
            const COLORREF back = pairs[PairNormal].background;
            setBackColour(screen, p[0] ? (back | bits) : (back & ~bits));
        }
        break;
    case 'F':
    case 'H':
    case 'J':
        if (oneColour) {
            pairs[final == 'F'   ? PairNormal
                  : final == 'H' ? PairReverse
                                 : PairGraphics]
                .foreground = ConsolePalette[index];
            screen.attribute &= ~AttrExplicitFore;
        }
        break;
    case 'G':
    case 'K':
        if (oneColour) {
            pairs[final == 'G' ? PairNormal : PairGraphics].background = ConsolePalette[index];
            screen.attribute &= ~AttrExplicitBack;
        }
        break;
    case 'I':
        if (oneColour) {
            pairs[PairReverse].background = ConsolePalette[index];
            pairs[PairBoldReverse].background = ConsolePalette[index];
            screen.attribute &= ~AttrExplicitBack;
        }
        break;
    default:
        return;
    }
    invalidateScreen(screen, false);
}

} // namespace glyphterm
