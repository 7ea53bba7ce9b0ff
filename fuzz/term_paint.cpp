// Fuzz target for painting and printing a screen: host output as in term_write, on a
// fresh screen of at most 40x12 cells (a painted cell costs far more than a written
// byte), then the screen is painted, scrolled in view and painted again, and for one
// input in eight printed into a PDF file.
#include "term_fuzz_input.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace glyphterm;
    fuzzApplication("term_paint");
    TermFuzzInput input;
    static const std::vector<int> columns = everySize(MinColumns, 40);
    static const std::vector<int> rows = everySize(MinRows, 12);
    if (!input.parse(data, size, columns, rows))
        return 0;
    static QWidget window;
    static const QFont font = window.font();
    const int handle = TermCreate(&window, &font, input.emulation, input.columns, input.rows);
    if (handle < 0)
        std::abort();
    input.setUp(handle);
    input.writeHostOutput(handle);

    QImage image(160, 96, QImage::Format_RGB32);
    QPainter painter(&image);
    TermSetClientSize(handle, image.width(), image.height());
    TermSetPaintDC(handle, &painter);
    TermPaint(handle);
    TermScrollView(handle, true, input.cursorRow);
    TermScrollView(handle, false, input.cursorColumn);
    TermPaint(handle);
    TermSetPaintDC(handle, nullptr);
    painter.end();
    if ((input.modeBits & 0xC0) == 0xC0 && (input.chunk & 1)) {
        static QTemporaryDir folder;
        if (TermPrint(handle, folder.filePath(QStringLiteral("screen.pdf"))) != 1)
            std::abort();
    }
    TermDestroy(handle);
    return 0;
}
