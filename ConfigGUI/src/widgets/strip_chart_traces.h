#pragma once

#include <QGraphicsItem>
#include <QList>
#include <QPen>
#include <QPointF>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QChart)

namespace linkset {

// The traces of a strip chart, drawn inside its chart's plot area above the grid. Points are
// (milliseconds since the epoch, value) and are placed on the axes' current ranges.
//
// A day of readings puts many points in each pixel column, so a segment between points one
// column apart or less is filled as one upright span of the trace's width; longer segments
// are drawn as lines. That is what an aliased line through the points covers, at a fraction
// of the cost of stroking thousands of short segments with a wide pen.
class StripChartTraces : public QGraphicsItem
{
public:
    struct Trace
    {
        QList<QPointF> points;
        QPen pen;
    };

    // Becomes a child of `chart`, whose plot area it draws in.
    explicit StripChartTraces(QChart *chart);

    void setTraces(std::vector<Trace> traces);
    // The ranges of the time axis (start and length in milliseconds) and of the value axis (0 to top).
    void setRanges(qint64 start, qint64 span, double top);
    // Follows the plot area when the chart lays itself out again.
    void plotAreaChanged();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintTrace(QPainter &painter, const QRectF &plot, const Trace &trace) const;

    QChart *chart_;
    std::vector<Trace> traces_;
    qint64 start_ = 0;
    qint64 span_ = 1;
    double top_ = 1.0;
};

} // namespace linkset
