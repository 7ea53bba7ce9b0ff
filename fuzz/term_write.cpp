// Fuzz target for the emulation engine: TermWrite on a screen, without painting. The first
// bytes choose the screen size (from sizes around the tab stops, the usual widths and the
// limits), emulation, modes, scrolling region, cursor and the size of the writes; the rest
// is host output. Afterwards the cursor must lie inside the grid and its row must read
// back; a cell written outside the grid shows up under the sanitizers.
//
// Creating a screen costs far more than most inputs (the grid, font metrics), so every
// screen is kept, one per size and emulation, and brought back to its state at creation
// before each input. The sizes come from short lists so that all of them fit in the
// engine's table of screens. Painting and printing have a target of their own
// (term_paint).
#include "term_fuzz_input.h"

#include <glyphterm/emulator.h>
#include <glyphterm/screen.h>

#include <QWidget>

#include <array>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

namespace {

using namespace glyphterm;

// Widths around the first tab stops, the usual widths and the widest; heights from the
// smallest through the usual to the tallest. 9 x 7 sizes in 4 emulations: 252 screens.
constexpr std::array<int, 9> ColumnChoices = {MinColumns, 7, 8, 9, 17, 80, 132, MaxColumns - 1, MaxColumns};
constexpr std::array<int, 7> RowChoices = {MinRows, 6, 7, 24, 25, MaxRows - 1, MaxRows};

struct KeptScreen
{
    int handle = -1;
    std::uint32_t modesAtCreation = 0;
};

using ScreenKey = std::tuple<int, int, int>; // columns, rows, emulation

// Brings a kept screen back to its state at creation in all the engine decides by: any
// sequence in progress and its digits are abandoned and a saved cursor is consumed
// (through the ANSI parser, whatever the emulation), the attribute and the scrolling
// region are reset, and every mode bit is set as it was. The cells keep what the last
// input wrote: the engine never looks at them, and erasing a large grid for every input
// would cost more than most inputs.
void resetScreen(const KeptScreen &kept, int rows, int emulation)
{
    static const char reset[] = "\x18\x1b[?x\x1b"
                                "8";
    TermSetEmulation(kept.handle, emAnsi);
    TermWrite(kept.handle, reset, sizeof reset - 1);
    TermSetEmulation(kept.handle, emulation);
    TermSetAttribute(kept.handle, 0);
    TermSetMode(kept.handle, kept.modesAtCreation, true);
    TermSetMode(kept.handle, ~kept.modesAtCreation, false);
    TermSetRegion(kept.handle, 0, rows - 1);
}

int screenFor(QWidget &window, int columns, int rows, int emulation)
{
    static std::map<ScreenKey, KeptScreen> screens;
    const ScreenKey key{columns, rows, emulation};
    if (const auto found = screens.find(key); found != screens.end()) {
        resetScreen(found->second, rows, emulation);
        return found->second.handle;
    }
    static const QFont font = window.font();
    KeptScreen kept;
    kept.handle = TermCreate(&window, &font, emulation, columns, rows);
    if (kept.handle < 0)
        std::abort();
    TermGetModes(kept.handle, &kept.modesAtCreation);
    screens.emplace(key, kept);
    return kept.handle;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication("term_write");
    TermFuzzInput input;
    if (!input.parse(data, size, ColumnChoices, RowChoices))
        return 0;
    static QWidget window;
    const int handle = screenFor(window, input.columns, input.rows, input.emulation);
    input.setUp(handle);
    input.writeHostOutput(handle);

    int column = -1;
    int row = -1;
    TermGetCursor(handle, &column, &row);
    if (column < 0 || column >= input.columns || row < 0 || row >= input.rows)
        std::abort();
    // The cursor's row reads back whole (a full read of a large grid would cost more than
    // the input).
    std::string line(static_cast<std::size_t>(input.columns) + 1, '\1');
    if (TermGetText(handle, row * input.columns, line.data(), input.columns) != input.columns ||
        line.back() != '\0')
        std::abort();
    return 0;
}
