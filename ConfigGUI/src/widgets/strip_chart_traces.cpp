#include "widgets/strip_chart_traces.h"

#include <QChart>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace linkset {
namespace {

// Qt Charts stacks its grid below 4 and its series at 4; the traces take the series' place.
constexpr qreal kTracesZValue = 4.0;

} // namespace

StripChartTraces::StripChartTraces(QChart *chart) : QGraphicsItem(chart), chart_(chart)
{
    setZValue(kTracesZValue);
}

void StripChartTraces::setTraces(std::vector<Trace> traces)
{
    traces_ = std::move(traces);
    update();
}

void StripChartTraces::setRanges(qint64 start, qint64 span, double top)
{
    start_ = start;
    span_ = std::max<qint64>(span, 1);
    top_ = top > 0.0 ? top : 1.0;
    update();
}

void StripChartTraces::plotAreaChanged()
{
    prepareGeometryChange();
}

QRectF StripChartTraces::boundingRect() const
{
    return chart_->plotArea();
}

void StripChartTraces::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF plot = chart_->plotArea();
    if (plot.isEmpty())
        return;
    painter->save();
    painter->setClipRect(plot);
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (const Trace &trace : traces_)
        paintTrace(*painter, plot, trace);
    painter->restore();
}

void StripChartTraces::paintTrace(QPainter &painter, const QRectF &plot, const Trace &trace) const
{
    const double xScale = plot.width() / double(span_);
    const double yScale = plot.height() / top_;
    const int width = std::max(trace.pen.width(), 1);
    const auto place = [&](const QPointF &p) {
        return QPointF(std::round(plot.left() + (p.x() - double(start_)) * xScale),
                       std::round(plot.bottom() - p.y() * yScale));
    };
    // Spans are filled as whole pixels (the fast path of the raster engine), and the spans of
    // one column are joined into one, so that each pixel is filled about once. A span outside
    // the plot is left out, and one taller than the plot is cut to it, before it becomes integers.
    const QRectF reach = plot.adjusted(-width, -width, width, width);
    QList<QRect> spans;
    const auto addSpan = [&](const QPointF &a, const QPointF &b) {
        if (a.x() < reach.left() || a.x() > reach.right())
            return;
        const int x = int(a.x()) - width / 2;
        const int top = int(std::clamp(std::min(a.y(), b.y()), reach.top(), reach.bottom())) - width / 2;
        const int bottom = int(std::clamp(std::max(a.y(), b.y()), reach.top(), reach.bottom())) - width / 2 + width;
        const QRect span(x, top, width, bottom - top);
        if (!spans.isEmpty() && spans.last().left() == x)
            spans.last() = spans.last().united(span);
        else
            spans << span;
    };

    // A lone reading shows as a dot; after it, each segment is a span or a line.
    QList<QLineF> lines;
    QPointF previous = trace.points.isEmpty() ? QPointF() : place(trace.points.first());
    if (trace.points.size() == 1)
        addSpan(previous, previous);
    for (qsizetype i = 1; i < trace.points.size(); ++i) {
        const QPointF at = place(trace.points[i]);
        if (std::abs(at.x() - previous.x()) <= 1.0)
            addSpan(at, previous);
        else
            lines << QLineF(previous, at);
        previous = at;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(trace.pen.color());
    painter.drawRects(spans.constData(), int(spans.size()));
    painter.setPen(trace.pen);
    painter.drawLines(lines.constData(), int(lines.size()));
}

} // namespace linkset
