// The screen record: everything one terminal screen holds, and the slot table.
// Internal to the library; the public operations are in glyphterm/screen.h.
#pragma once

#include "glyphterm/screen.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class QAbstractScrollArea;

namespace glyphterm {

constexpr int KeyIndexCount = 51;
constexpr int ParameterTextSize = 28; // 27 digits and a terminator
constexpr int ParameterCount = 8;

// Internal flags.
enum InternalFlags : std::uint32_t
{
    FlagOwnFont = 1,
    FlagOemFont = 2,
    FlagFullRepaint = 4,
    FlagCaretShown = 8,
    FlagCursorSaved = 16,
    FlagReverseScreen = 32,
    FlagVt52 = 64,
    // Our own: the window has the keyboard focus (the caret shows only then), and a
    // repaint of the whole window has been asked for and not yet done.
    FlagFocused = 0x100,
    FlagUpdateRequested = 0x200,
    // A character was stored in the last column with the DEC wrap rule: the wrap
    // happens when the next printable character arrives.
    FlagWrapPending = 0x400,
};

// Parser states and sequence kinds.
enum ParserState : int
{
    StateGround = 0,
    StateEscape = 1,
    StateSequence = 2
};
enum SequenceKind : int
{
    KindNone = 0,
    KindCsi = 1,
    KindDesignateG0 = 2,
    KindDesignateG1 = 3,
    KindPrivate = 4,
    KindLineAttribute = 5,
    KindCsiEquals = 6,
};

struct ParserData
{
    int state = StateGround;
    int kind = KindNone;
    char text[ParameterTextSize] = {};
    int textLength = 0;
    std::array<int, ParameterCount> parameters{};
    int count = 0;
};

struct TerminalScreen
{
    std::thread::id ownerThread;
    QPointer<QWidget> window;
    QPainter *paintDevice = nullptr;
    QFont font;
    std::uint32_t flags = 0;
    std::uint32_t modes = 0;
    int emulation = emAnsi;
    ParserData parser;
    int charWidth = 8;
    int lineHeight = 16;
    int clientWidth = 0;
    int clientHeight = 0;
    int columns = 0;
    int rows = 0;
    int regionTop = 0;
    int regionBottom = 0;
    int cursorColumn = 0;
    int cursorRow = 0;
    int savedColumn = 0;
    int savedRow = 0;
    int horizontalPosition = 0;
    int horizontalMaximum = 0;
    int verticalPosition = 0;
    int verticalMaximum = 0;
    std::uint16_t attribute = 0;
    std::uint16_t savedAttribute = 0;
    COLORREF foreground = DefaultForeground;
    COLORREF background = DefaultBackground;
    COLORREF savedForeground = DefaultForeground;
    COLORREF savedBackground = DefaultBackground;
    std::array<COLORREF, PaletteSize> palette{};
    std::array<ColourPairValue, ColourPairCount> pairs{};
    std::array<std::string, KeyIndexCount> keyOverrides;
    // The grid: rows x columns cells in one block (plus one spare cell, kept blank).
    // Scrolling moves entries of the row map, not cells: logical row r lives in the
    // block at rowMap[r] * columns.
    std::vector<TermCell> cells;
    std::array<std::uint8_t, MaxRows> rowMap{};
    // Where the caret was last drawn (window pixels), so a move repaints the old place.
    QRect caretRect;

    TermCell *row(int r) { return cells.data() + static_cast<std::size_t>(rowMap[r]) * columns; }
    const TermCell *row(int r) const { return cells.data() + static_cast<std::size_t>(rowMap[r]) * columns; }
    bool noRefresh() const { return (modes & ModeNoRefresh) != 0; }
    // VT100 and VT220 hosts expect the DEC rules for the last column, tabs and the
    // saved cursor.
    bool decRules() const { return emulation == emVT100 || emulation == emVT220; }
};

// Looks a handle up for the calling thread; null when the handle is invalid there.
TerminalScreen *lookupScreen(int handle);

// The widget painted into (the viewport of a scroll area) and the scroll area, if any.
QWidget *paintTarget(const TerminalScreen &screen);
QAbstractScrollArea *scrollArea(const TerminalScreen &screen);

} // namespace glyphterm
