// Fuzz target for TermWrite: the first bytes choose the screen size (5x5 to 256x128),
// emulation, modes, scrolling region, cursor and the size of the writes; the rest is
// host output. Afterwards the whole screen is read back and painted, so any cell the
// engine wrote outside the grid or left inconsistent shows up under the sanitizers.
#include <glyphterm/emulator.h>
#include <glyphterm/screen.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t HeaderSize = 9;

QApplication &application()
{
    static int argc = 1;
    static char name[] = "term_write";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace glyphterm;
    application();
    if (size < HeaderSize)
        return 0;
    static QWidget window;
    const int columns = MinColumns + data[0] % (MaxColumns - MinColumns + 1);
    const int rows = MinRows + data[1] % (MaxRows - MinRows + 1);
    const int handle = TermCreate(&window, nullptr, data[2] % 4, columns, rows);
    if (handle < 0)
        std::abort();
    const std::uint32_t modeChoices[] = {ModeAutoWrap,  ModeOrigin,        ModeLfNewLine,
                                         ModeCrNewLine, ModeCursorVisible, ModeNoRefresh};
    for (std::size_t bit = 0; bit < std::size(modeChoices); ++bit)
        TermSetMode(handle, modeChoices[bit], (data[3] >> bit) & 1);
    TermSetRegion(handle, data[4] % rows, data[5] % rows);
    TermSetCursor(handle, data[6] % columns, data[7] % rows);
    const std::size_t chunk = 1 + data[8] % 64;

    const char *text = reinterpret_cast<const char *>(data + HeaderSize);
    const std::size_t length = size - HeaderSize;
    for (std::size_t offset = 0; offset < length; offset += chunk)
        TermWrite(handle, text + offset, std::min(chunk, length - offset));

    int column = -1;
    int row = -1;
    TermGetCursor(handle, &column, &row);
    if (column < 0 || column >= columns || row < 0 || row >= rows)
        std::abort();
    std::string cells(static_cast<std::size_t>(columns * rows) + 1, '\1');
    if (TermGetText(handle, 0, cells.data(), columns * rows) != columns * rows || cells.back() != '\0')
        std::abort();

    QImage image(320, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    TermSetClientSize(handle, image.width(), image.height());
    TermSetPaintDC(handle, &painter);
    TermPaint(handle);
    TermSetPaintDC(handle, nullptr);
    TermDestroy(handle);
    return 0;
}
