// TermWrite: the byte loop. Control characters act in every state; every other byte
// goes to the parser's state machine, whose commands are in engine_commands.cpp.
#include "glyphterm/emulator.h"

#include "engine.h"

#include <QApplication>

namespace glyphterm {

namespace {

// The bytes that act as control characters in every state.
constexpr std::array<bool, 256> controlTable()
{
    std::array<bool, 256> table{};
    for (int b :
         {0, 7, 8, 9, 10, 11, 12, 13, 14, 15, 24, 26, 27, 127, 132, 133, 136, 141, 142, 143, 144, 155, 156})
        table[b] = true;
    return table;
}
constexpr std::array<bool, 256> IsControl = controlTable();

// The bytes stored as characters in the ground state: 32 and above, except the controls.
constexpr std::array<bool, 256> printableTable()
{
    std::array<bool, 256> table{};
    for (int b = 32; b < 256; ++b)
        table[b] = !IsControl[b];
    return table;
}
constexpr std::array<bool, 256> IsPrintable = printableTable();

// A cell holding `byte` with the current attribute and, where its explicit-colour bits
// are set, the current colours.
inline TermCell penCell(const TerminalScreen &screen, unsigned char byte)
{
    const std::uint16_t attribute = screen.attribute;
    return TermCell{byte, attribute, (attribute & AttrExplicitFore) ? screen.foreground : 0,
                    (attribute & AttrExplicitBack) ? screen.background : 0};
}

bool isPrintable(unsigned char byte)
{
    return IsPrintable[byte];
}

// Stores the printable bytes from `data` at the cursor, moving right after each.
// Returns how many bytes were taken (at least one). At the last column with
// auto-wrap on, the ANSI rule goes to the next line at once; the DEC rule keeps the
// cursor there with a wrap pending until the next printable byte. With auto-wrap off
// the cursor stays and the next byte overwrites the same cell.
std::size_t printRun(TerminalScreen &screen, const unsigned char *data, std::size_t length,
                     WriteProgress &progress)
{
    TermCell cell = penCell(screen, data[0]);
    const int last = screen.columns - 1;
    const bool autoWrap = (screen.modes & ModeAutoWrap) != 0;
    const bool deferWrap = screen.decRules();
    std::size_t taken = 0;
    while (taken < length && isPrintable(data[taken])) {
        if (screen.flags & FlagWrapPending) {
            screen.flags &= ~FlagWrapPending;
            if (autoWrap) {
                screen.cursorColumn = 0;
                lineFeed(screen, progress);
            }
        }
        // The bytes before the last column: first how many there are, then one store
        // each.
        TermCell *line = screen.row(screen.cursorRow);
        int column = screen.cursorColumn;
        const std::size_t room = std::min(static_cast<std::size_t>(last - column), length - taken);
        std::size_t run = 0;
        while (run < room && isPrintable(data[taken + run]))
            ++run;
        // The pen cell stays in registers; only the character differs.
        TermCell *target = line + column;
        for (std::size_t i = 0; i < run; ++i) {
            target[i] = cell;
            target[i].character = data[taken + i];
        }
        taken += run;
        column += static_cast<int>(run);
        screen.cursorColumn = column;
        if (column < last || taken == length || !isPrintable(data[taken]))
            break;
        // The last column.
        cell.character = data[taken++];
        line[last] = cell;
        if (autoWrap && deferWrap) {
            screen.flags |= FlagWrapPending;
        } else if (autoWrap) {
            screen.cursorColumn = 0;
            lineFeed(screen, progress);
        }
    }
    return taken;
}

// ANSI: spaces up to the next multiple of 8, wrapping at the line end. DEC: the
// cursor moves to the next tab stop (every 8 columns), stopping at the last column,
// and nothing is erased.
void horizontalTab(TerminalScreen &screen, WriteProgress &progress)
{
    if (screen.decRules()) {
        positionCursor(screen, (screen.cursorColumn / 8 + 1) * 8, screen.cursorRow);
        return;
    }
    const int spaces = std::min(8 - screen.cursorColumn % 8, screen.columns - screen.cursorColumn);
    blankCells(screen.row(screen.cursorRow) + screen.cursorColumn, spaces, penCell(screen, ' '));
    screen.cursorColumn += spaces;
    if (screen.cursorColumn >= screen.columns) {
        screen.cursorColumn = 0;
        lineFeed(screen, progress);
    }
}

void controlCharacter(TerminalScreen &screen, unsigned char byte, WriteProgress &progress)
{
    ParserData &parser = screen.parser;
    switch (byte) {
    case 7:
        if (screen.modes & ModeBell)
            QApplication::beep();
        break;
    case 8:
        screen.flags &= ~FlagWrapPending;
        if (screen.cursorColumn > 0)
            --screen.cursorColumn;
        break;
    case 9:
        horizontalTab(screen, progress);
        break;
    case 10:
    case 11:
    case 12:
        screen.flags &= ~FlagWrapPending;
        if (screen.modes & ModeLfNewLine)
            screen.cursorColumn = 0;
        lineFeed(screen, progress);
        break;
    case 13:
        screen.flags &= ~FlagWrapPending;
        if (screen.modes & ModeCrNewLine)
            lineFeed(screen, progress);
        screen.cursorColumn = 0;
        break;
    case 15:
        screen.attribute &= ~AttrGraphics;
        break;
    case 24:
    case 26:
        endSequence(parser);
        break;
    case 27:
        if (screen.emulation != emNone) {
            parser.state = StateEscape;
            parser.kind = KindNone;
        }
        break;
    case 127:
        screen.flags &= ~FlagWrapPending;
        if (screen.cursorColumn > 0) {
            --screen.cursorColumn;
            screen.row(screen.cursorRow)[screen.cursorColumn] = blankCell(screen);
        }
        break;
    case 155:
        if (screen.emulation != emNone) {
            parser.state = StateSequence;
            parser.kind = KindCsi;
        }
        break;
    case 132: // IND, NEL, HTS, RI, SS2, SS3, DCS, ST: ESC and the byte minus 64
    case 133:
    case 136:
    case 141:
    case 142:
    case 143:
    case 144:
    case 156:
        runEscapeCommand(screen, static_cast<unsigned char>(byte - 64), progress);
        endSequence(parser);
        break;
    default: // NUL, SO
        break;
    }
}

bool isDigit(unsigned char byte)
{
    return byte >= '0' && byte <= '9';
}

void sequenceByte(TerminalScreen &screen, unsigned char byte)
{
    ParserData &parser = screen.parser;
    switch (parser.kind) {
    case KindCsi:
    case KindCsiEquals:
        if (isDigit(byte)) {
            appendDigit(parser, byte);
        } else if (byte == ';') {
            completeParameter(parser);
        } else if (parser.kind == KindCsi && byte == '?') {
            parser.kind = KindPrivate;
        } else if (parser.kind == KindCsi && byte == '=') {
            parser.kind = KindCsiEquals;
        } else {
            if (parser.textLength > 0)
                completeParameter(parser);
            if (parser.kind == KindCsi)
                runCsiCommand(screen, byte);
            else if (screen.emulation == emAnsi)
                runCsiEqualsCommand(screen, byte);
            endSequence(parser);
        }
        break;
    case KindPrivate:
        if (isDigit(byte)) {
            appendDigit(parser, byte);
        } else {
            if (byte == 'h' || byte == 'l')
                runPrivateMode(screen, byte);
            parser.textLength = 0;
            endSequence(parser);
        }
        break;
    case KindDesignateG0:
    case KindDesignateG1:
        designateCharacterSet(screen, byte);
        endSequence(parser);
        break;
    case KindLineAttribute:
        if (byte == '8')
            alignmentPattern(screen);
        endSequence(parser);
        break;
    default:
        endSequence(parser);
        break;
    }
}

void escapeByte(TerminalScreen &screen, unsigned char byte, WriteProgress &progress)
{
    ParserData &parser = screen.parser;
    switch (byte) {
    case '#':
        parser.state = StateSequence;
        parser.kind = KindLineAttribute;
        break;
    case '(':
        parser.state = StateSequence;
        parser.kind = KindDesignateG0;
        break;
    case ')':
        parser.state = StateSequence;
        parser.kind = KindDesignateG1;
        break;
    case '[':
        parser.state = StateSequence;
        parser.kind = KindCsi;
        break;
    default:
        runEscapeCommand(screen, byte, progress);
        endSequence(parser);
        break;
    }
}

} // namespace

int TermWrite(int handle, const char *bytes, std::size_t length)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    if (!bytes)
        length = 0;
    const int firstRow = screen->cursorRow;
    WriteProgress progress;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = data[i];
        if (IsControl[byte]) {
            controlCharacter(*screen, byte, progress);
            continue;
        }
        switch (screen->parser.state) {
        case StateGround:
            if (byte >= 32)
                i += printRun(*screen, data + i, length - i, progress) - 1;
            break;
        case StateEscape:
            escapeByte(*screen, byte, progress);
            break;
        default:
            sequenceByte(*screen, byte);
            break;
        }
    }
    if (!screen->noRefresh()) {
        if (progress.scrolled)
            invalidateScreen(*screen, true);
        else
            invalidateRows(*screen, firstRow, screen->cursorRow);
    }
    return 1;
}

} // namespace glyphterm
