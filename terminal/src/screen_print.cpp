// Printing a screen: each row's characters, without attributes or colours, in the
// screen's face at 12 points, on a named printer, into a PDF file, or on the printer
// the print dialog chooses.
#include "screen_ops.h"

#include "glyph_map.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace glyphterm {

namespace {

// Sets up the printer for `name`; false when no printer can be had.
bool choosePrinter(QPrinter &printer, const QString &name, QWidget *parent)
{
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
        return true;
    }
    if (!name.isEmpty()) {
        if (QPrinterInfo::printerInfo(name).isNull())
            return false;
        printer.setPrinterName(name);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    return dialog.exec() == QDialog::Accepted;
}

QString rowText(const TerminalScreen &screen, int r)
{
    const bool oem = (screen.flags & FlagOemFont) != 0;
    QString text(screen.columns, QChar(u' '));
    const TermCell *line = screen.row(r);
    for (int c = 0; c < screen.columns; ++c)
        text[c] = glyphFor(static_cast<std::uint8_t>(line[c].character), oem);
    return text;
}

} // namespace

int TermPrint(int handle, const QString &printerName)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer, printerName, paintTarget(*screen)))
        return 0;
    printer.setDocName(QStringLiteral("Terminal"));

    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont font(screen->font, &printer);
    font.setPointSize(12);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int lineStep = metrics.height() + std::max(0, metrics.leading());
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    // One page as long as the rows fit; the rows that do not go on further pages.
    int y = 0;
    for (int r = 0; r < screen->rows; ++r) {
        if (y > 0 && y + lineStep > pageHeight) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), rowText(*screen, r));
        y += lineStep;
    }
    return painter.end() ? 1 : 0;
}

} // namespace glyphterm
