// Screen buffer of the terminal control: a process-wide table of screens, each a grid
// of attributed character cells with a cursor, a scrolling region, modes and colour
// tables, painted into a Qt widget.
//
// A screen handle is a slot index 0-255 (-1 = none) and is valid only on the thread
// that created the screen. Every operation on an invalid handle returns 0 and changes
// nothing.
#pragma once

#include <cstdint>

class QFont;
class QPainter;
class QString;
class QWidget;

namespace glyphterm {

// 0x00BBGGRR, as the colour values of the control's properties.
using COLORREF = std::uint32_t;

constexpr COLORREF rgb(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// Attribute word bits (also the control's Attribute property).
enum AttributeBits : std::uint16_t
{
    AttrReverse = 0x0001,
    AttrBold = 0x0002,
    AttrFaint = 0x0004,
    AttrBlink = 0x0008,
    AttrUnderline = 0x0010,
    AttrConcealed = 0x0020,
    AttrGuarded = 0x0040,
    AttrGraphics = 0x0080,
    AttrUkCharset = 0x0100,
    AttrExplicitFore = 0x0200,
    AttrExplicitBack = 0x0400,
    AttrExplicitColours = AttrExplicitFore | AttrExplicitBack,
};

// Mode bits.
enum ModeBits : std::uint32_t
{
    ModeAutoWrap = 0x0001,
    ModeCursorVisible = 0x0002,
    ModeBlockCursor = 0x0004,
    ModeBell = 0x0008,
    ModeLfNewLine = 0x0010,
    ModeCrNewLine = 0x0020,
    ModeAppCursorKeys = 0x0040,
    ModeAppKeypad = 0x0080,
    ModeOrigin = 0x0100,
    ModeColour = 0x0200,
    ModeNoRefresh = 0x8000,
};

// Emulations (enumEmulation of the control).
enum enumEmulation : int
{
    emNone = 0,
    emAnsi = 1,
    emVT100 = 2,
    emVT220 = 3
};

// Colour pairs: 0 normal, 1 reverse, 2 bold, 3 bold reverse, 4 graphics.
enum ColourPair : int
{
    PairNormal = 0,
    PairReverse = 1,
    PairBold = 2,
    PairBoldReverse = 3,
    PairGraphics = 4
};
constexpr int ColourPairCount = 5;
constexpr int PaletteSize = 16;

struct ColourPairValue
{
    COLORREF foreground;
    COLORREF background;
};

constexpr COLORREF DefaultForeground = rgb(0, 0, 0);
constexpr COLORREF DefaultBackground = rgb(224, 224, 224);
constexpr COLORREF DefaultBoldColour = rgb(0, 0, 255);
extern const ColourPairValue DefaultColourPairs[ColourPairCount];
extern const COLORREF DefaultPalette[PaletteSize];

// Sizes a screen may have.
constexpr int MinColumns = 5;
constexpr int MaxColumns = 256;
constexpr int MinRows = 5;
constexpr int MaxRows = 128;

// One cell as the screen holds it; the colours count only where the attribute carries
// the matching explicit-colour bit.
struct TermCell
{
    std::uint16_t character;
    std::uint16_t attribute;
    COLORREF foreground;
    COLORREF background;
};

// The window is the widget painted into; when it is a QAbstractScrollArea, painting
// goes to its viewport and its scroll bars are the screen's scroll bars. A hidden
// widget will do: the screen then runs headless. A null font makes the screen create
// its own fixed-pitch "Terminal" font.
int TermCreate(QWidget *window, const QFont *font, int emulation, int columns, int rows);
int TermResize(int handle, QWidget *window, const QFont *font, int columns, int rows);
void TermDestroy(int handle);
int TermSetFont(int handle, const QFont &font);
int TermSetMode(int handle, std::uint32_t mask, bool on);
int TermSetEmulation(int handle, int emulation);
int TermSetBackColor(int handle, COLORREF colour);
int TermSetForeColor(int handle, COLORREF colour);
int TermSetBoldColor(int handle, COLORREF colour);
int TermSetCursor(int handle, int column, int row);
int TermGetCursor(int handle, int *column, int *row);
int TermSetRegion(int handle, int top, int bottom);
int TermEraseDisplay(int handle, int mode);
int TermEraseLine(int handle, int mode);
int TermInsertLine(int handle);
int TermDeleteLine(int handle);
int TermScroll(int handle, bool up);
int TermInvalidate(int handle, bool now);
int TermPaint(int handle);
int TermSetPaintDC(int handle, QPainter *painter);
// Copies the low bytes of at most `maximum` cells from cell index `start` (-1 = the
// cursor's cell) and a terminating NUL: `destination` holds maximum + 1 bytes.
int TermGetText(int handle, int start, char *destination, int maximum);
// `printer` is a printer name the system knows, a path ending in ".pdf" (print into
// that file), or empty (the print dialog chooses).
int TermPrint(int handle, const QString &printer);
int TermScrollView(int handle, bool vertical, int position);
int TermSetClientSize(int handle, int width, int height);

// Direct access to the current attribute word and the modes word, and to the cells,
// for the control and for any container that inspects the screen.
int TermGetAttribute(int handle, std::uint16_t *attribute);
int TermSetAttribute(int handle, std::uint16_t attribute);
int TermGetModes(int handle, std::uint32_t *modes);
int TermGetCell(int handle, int column, int row, TermCell *cell);
int TermGetSize(int handle, int *columns, int *rows);
int TermGetCellSize(int handle, int *width, int *height);
// Focus decides whether the caret is shown (with the cursor-visible mode).
int TermSetFocus(int handle, bool focused);

} // namespace glyphterm
