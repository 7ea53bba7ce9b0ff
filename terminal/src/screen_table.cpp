// The process-wide table of screens and the operations that create, resize, destroy
// and inspect a screen.
#include "screen_ops.h"

#include "keyboard_state.h"

#include <QAbstractScrollArea>

#include <memory>
#include <mutex>
#include <new>

namespace glyphterm {

const ColourPairValue DefaultColourPairs[ColourPairCount] = {
    {rgb(0, 0, 0), rgb(224, 224, 224)},   {rgb(224, 224, 224), rgb(0, 0, 0)},
    {rgb(0, 0, 255), rgb(224, 224, 224)}, {rgb(224, 224, 224), rgb(0, 0, 255)},
    {rgb(0, 0, 0), rgb(224, 224, 224)},
};

const COLORREF DefaultPalette[PaletteSize] = {
    rgb(0, 0, 0),       rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),
    rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(0, 255, 255),   rgb(224, 224, 224),
    rgb(192, 192, 192), rgb(255, 192, 192), rgb(192, 255, 192), rgb(255, 255, 128),
    rgb(192, 192, 255), rgb(255, 192, 255), rgb(192, 255, 255), rgb(255, 255, 255),
};

namespace {

constexpr int TableSize = 256;

struct TerminalTable
{
    std::mutex lock;
    std::array<std::unique_ptr<TerminalScreen>, TableSize> entries;
};

TerminalTable &table()
{
    static TerminalTable instance;
    return instance;
}

bool validSize(int columns, int rows)
{
    return columns >= MinColumns && columns <= MaxColumns && rows >= MinRows && rows <= MaxRows;
}

void allocateGrid(TerminalScreen &screen, int columns, int rows)
{
    std::vector<TermCell> cells(static_cast<std::size_t>(columns) * rows + 1, TermCell{' ', 0, 0, 0});
    screen.cells.swap(cells);
    screen.columns = columns;
    screen.rows = rows;
    for (int r = 0; r < MaxRows; ++r)
        screen.rowMap[r] = static_cast<std::uint8_t>(r < rows ? r : 0);
}

} // namespace

bool colourModeFor(int emulation, const QWidget &window)
{
    return (emulation == emAnsi || emulation == emVT220) && window.depth() > 3;
}

TerminalScreen *lookupScreen(int handle)
{
    if (handle < 0 || handle >= TableSize)
        return nullptr;
    TerminalTable &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    TerminalScreen *screen = t.entries[handle].get();
    if (!screen || screen->ownerThread != std::this_thread::get_id())
        return nullptr;
    return screen;
}

QAbstractScrollArea *scrollArea(const TerminalScreen &screen)
{
    return qobject_cast<QAbstractScrollArea *>(screen.window.data());
}

QWidget *paintTarget(const TerminalScreen &screen)
{
    if (QAbstractScrollArea *area = scrollArea(screen))
        return area->viewport();
    return screen.window.data();
}

int TermCreate(QWidget *window, const QFont *font, int emulation, int columns, int rows)
{
    if (!window || emulation < emNone || emulation > emVT220 || !validSize(columns, rows))
        return -1;
    std::unique_ptr<TerminalScreen> screen;
    try {
        screen = std::make_unique<TerminalScreen>();
        allocateGrid(*screen, columns, rows);
    } catch (const std::bad_alloc &) {
        return -1;
    }
    screen->ownerThread = std::this_thread::get_id();
    screen->window = window;
    screen->emulation = emulation;
    screen->regionTop = 0;
    screen->regionBottom = rows - 1;
    std::copy(std::begin(DefaultPalette), std::end(DefaultPalette), screen->palette.begin());
    std::copy(std::begin(DefaultColourPairs), std::end(DefaultColourPairs), screen->pairs.begin());
    if (font)
        applyFont(*screen, *font, false);
    else
        applyFont(*screen, defaultTerminalFont(), true);
    if (colourModeFor(emulation, *window))
        screen->modes |= ModeColour;
    if (!keyboardState().numLock())
        screen->modes |= ModeAppKeypad;
    const QWidget *target = paintTarget(*screen);
    screen->clientWidth = target->width();
    screen->clientHeight = target->height();
    eraseDisplay(*screen, 2);

    TerminalTable &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    for (int slot = 0; slot < TableSize; ++slot) {
        if (!t.entries[slot]) {
            t.entries[slot] = std::move(screen);
            return slot;
        }
    }
    return -1;
}

int TermResize(int handle, QWidget *window, const QFont *font, int columns, int rows)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    QWidget *newWindow = window ? window : screen->window.data();
    const int newColumns = columns ? columns : screen->columns;
    const int newRows = rows ? rows : screen->rows;
    if (!newWindow || !validSize(newColumns, newRows))
        return 0;
    try {
        allocateGrid(*screen, newColumns, newRows);
    } catch (const std::bad_alloc &) {
        return 0;
    }
    screen->window = newWindow;
    screen->regionTop = 0;
    screen->regionBottom = newRows - 1;
    screen->attribute = 0;
    for (std::string &keys : screen->keyOverrides)
        keys.clear();
    if (font && *font != screen->font)
        applyFont(*screen, *font, false);
    else
        applyFont(*screen, screen->font, (screen->flags & FlagOwnFont) != 0);
    // The old cursor may lie outside the new grid: bring it inside.
    screen->cursorColumn = std::min(screen->cursorColumn, newColumns - 1);
    screen->cursorRow = std::min(screen->cursorRow, newRows - 1);
    screen->flags &= ~FlagWrapPending;
    screen->savedColumn = std::min(screen->savedColumn, newColumns - 1);
    screen->savedRow = std::min(screen->savedRow, newRows - 1);
    recomputeScrollBars(*screen);
    eraseDisplay(*screen, 2);
    return 1;
}

void TermDestroy(int handle)
{
    if (!lookupScreen(handle))
        return;
    std::unique_ptr<TerminalScreen> released;
    {
        TerminalTable &t = table();
        std::lock_guard<std::mutex> guard(t.lock);
        released = std::move(t.entries[handle]);
    }
}

int TermGetAttribute(int handle, std::uint16_t *attribute)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !attribute)
        return 0;
    *attribute = screen->attribute;
    return 1;
}

int TermSetAttribute(int handle, std::uint16_t attribute)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    screen->attribute = attribute;
    return 1;
}

int TermGetModes(int handle, std::uint32_t *modes)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !modes)
        return 0;
    *modes = screen->modes;
    return 1;
}

int TermGetCell(int handle, int column, int row, TermCell *cell)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !cell || column < 0 || column >= screen->columns || row < 0 || row >= screen->rows)
        return 0;
    *cell = screen->row(row)[column];
    return 1;
}

int TermGetSize(int handle, int *columns, int *rows)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !columns || !rows)
        return 0;
    *columns = screen->columns;
    *rows = screen->rows;
    return 1;
}

int TermGetCellSize(int handle, int *width, int *height)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !width || !height)
        return 0;
    *width = screen->charWidth;
    *height = screen->lineHeight;
    return 1;
}

int TermGetText(int handle, int start, char *destination, int maximum)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen || !destination || maximum < 0)
        return 0;
    const int total = screen->columns * screen->rows;
    if (start < 0)
        start = screen->cursorRow * screen->columns + screen->cursorColumn;
    if (start >= total) {
        destination[0] = '\0';
        return 0;
    }
    const int count = std::min(maximum, total - start);
    for (int i = 0; i < count; ++i) {
        const int index = start + i;
        destination[i] =
            static_cast<char>(screen->row(index / screen->columns)[index % screen->columns].character);
    }
    destination[count] = '\0';
    return count;
}

} // namespace glyphterm
