// Painting a screen: runs of cells with equal attributes, one fill and one text call
// each, in the colours of the run's colour pair or its explicit colours.
#include "screen_ops.h"

#include "glyph_map.h"

#include <QPainter>

#include <optional>

namespace glyphterm {

namespace {

QColor toColor(COLORREF colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int pairFor(std::uint16_t attribute)
{
    if (attribute & (AttrReverse | AttrUnderline))
        return (attribute & AttrBold) ? PairBoldReverse : PairReverse;
    if (attribute & AttrBold)
        return PairBold;
    if (attribute & AttrGraphics)
        return PairGraphics;
    return PairNormal;
}

bool sameLook(const TermCell &a, const TermCell &b)
{
    if (a.attribute != b.attribute)
        return false;
    if ((a.attribute & AttrExplicitFore) && a.foreground != b.foreground)
        return false;
    return !(a.attribute & AttrExplicitBack) || a.background == b.background;
}

void paintScreen(TerminalScreen &screen, QPainter &painter)
{
    painter.save();
    // Each glyph advances exactly one cell, also where the font's own advance is
    // fractional, so long runs stay on the grid.
    QFont font = screen.font;
    const QFontMetricsF metrics(font, painter.device());
    font.setLetterSpacing(QFont::AbsoluteSpacing,
                          screen.charWidth - metrics.horizontalAdvance(QLatin1Char('M')));
    painter.setFont(font);
    const int ascent = qRound(metrics.ascent());
    const bool oem = (screen.flags & FlagOemFont) != 0;
    const bool full = (screen.flags & FlagFullRepaint) != 0;
    const QColor normalBack = toColor(screen.pairs[PairNormal].background);
    if (full)
        painter.fillRect(0, 0, screen.clientWidth, screen.clientHeight, normalBack);

    QString text;
    text.reserve(screen.columns);
    for (int r = screen.verticalPosition; r < screen.rows; ++r) {
        const int y = (r - screen.verticalPosition) * screen.lineHeight;
        const TermCell *line = screen.row(r);
        int column = screen.horizontalPosition;
        while (column < screen.columns) {
            const int start = column;
            const TermCell &first = line[start];
            text.clear();
            for (; column < screen.columns && sameLook(line[column], first); ++column) {
                const auto code = static_cast<std::uint8_t>(line[column].character);
                text += (first.attribute & AttrConcealed)
                            ? QChar(u' ')
                            : glyphFor(displayCode(code, first.attribute, oem), oem);
            }
            const ColourPairValue &pair = screen.pairs[pairFor(first.attribute)];
            const COLORREF fore = (first.attribute & AttrExplicitFore) ? first.foreground : pair.foreground;
            const COLORREF back = (first.attribute & AttrExplicitBack) ? first.background : pair.background;
            const QRect cells((start - screen.horizontalPosition) * screen.charWidth, y,
                              (column - start) * screen.charWidth, screen.lineHeight);
            painter.fillRect(cells, toColor(back));
            painter.setPen(toColor(fore));
            painter.drawText(cells.x(), y + ascent, text);
        }
    }
    if (!full) {
        const int bottom = (screen.rows - screen.verticalPosition) * screen.lineHeight;
        const int right = (screen.columns - screen.horizontalPosition) * screen.charWidth;
        painter.fillRect(0, bottom, screen.clientWidth, screen.clientHeight - bottom, normalBack);
        painter.fillRect(right, 0, screen.clientWidth - right, screen.clientHeight, normalBack);
    }
    if (screen.flags & FlagCaretShown) {
        screen.caretRect = caretRectangle(screen);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(screen.caretRect, Qt::white);
    }
    painter.restore();
    screen.flags &= ~(FlagFullRepaint | FlagUpdateRequested);
}

} // namespace

int TermPaint(int handle)
{
    TerminalScreen *screen = lookupScreen(handle);
    if (!screen)
        return 0;
    // Without a paint context this runs inside the window's own paint event.
    std::optional<QPainter> own;
    QPainter *painter = screen->paintDevice;
    if (!painter) {
        QWidget *target = paintTarget(*screen);
        if (!target)
            return 0;
        own.emplace(target);
        painter = &*own;
    }
    paintScreen(*screen, *painter);
    return 1;
}

} // namespace glyphterm
