#pragma once

#include "widgets/trace_thinning.h"

#include <QColor>
#include <QDateTime>
#include <QPen>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QChart)
QT_FORWARD_DECLARE_CLASS(QChartView)
QT_FORWARD_DECLARE_CLASS(QDateTimeAxis)
QT_FORWARD_DECLARE_CLASS(QValueAxis)

namespace linkset {

class StripChartTraces;

// A chart of values against time: channels (named, coloured traces) share time points, each
// point stamped when it was added. The time axis is labelled "hh:nn:ss" and scrolls with the
// data: when a point lands outside the axis (past its end, or before its start after the clock
// was set back), the axis moves so that the newest point sits at its right edge. The value axis runs from 0
// to yAxisMax, raised when a value in view is larger (it is never lowered). Drawn as lime grid lines and
// white text on black.
//
// Points are kept in time order. A point stamped earlier than the newest one (the clock was set
// back) moves every earlier point back by the same step, so the traces run on unbroken with the
// new point at their end instead of folding back over themselves.
//
// Changes are drawn once the event loop runs again (or when chart() is read), so a burst of
// changes costs one update of the traces; changes between BeginUpdate() and EndUpdate() are
// never drawn before EndUpdate(). New points are appended to the traces; they are rebuilt only
// when the chart's size or span, its channels, or a value already drawn change.
// At most kMaxPoints time points are kept; adding one more forgets the oldest.
class StripChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool legendVisible READ legendVisible WRITE setLegendVisible)
    Q_PROPERTY(double yAxisMax READ yAxisMax WRITE setYAxisMax)
    Q_PROPERTY(double xAxisSpan READ xAxisSpan WRITE setXAxisSpan)

public:
    static constexpr int kMaxPoints = 100000;

    explicit StripChart(QWidget *parent = nullptr);
    ~StripChart() override;

    void BeginUpdate();
    void EndUpdate();

    // Adds a time point stamped with the current local time and returns its index.
    int AddIndexTimeNow();
    // Where AddIndexTimeNow() reads the time; none: the system clock.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    // Adds a time point with the given stamp and returns its index.
    int AddIndexTime(const QDateTime &time);
    int pointCount() const { return int(times_.size()); }
    QDateTime pointTime(int index) const;

    // Appends a channel and returns its number (channels count from 0). `lineWidth` is the
    // trace's width in pixels; 0 draws the thinnest line the screen can show.
    int addChannel(const QString &name, const QColor &color, int lineWidth);
    void removeAllChannels();
    int channelCount() const { return int(channels_.size()); }
    QString channelName(int channel) const;

    // The value of a channel at a point; empty when none was set there.
    std::optional<double> channelData(int channel, int index) const;
    void setChannelData(int channel, int index, double value);

    // The time axis: where it starts and how long it is, in days.
    QDateTime xAxisStart() const;
    void setXAxisStart(const QDateTime &start);
    double xAxisSpan() const { return xAxisSpanDays_; }
    // Throws std::invalid_argument unless the span is above 0.
    void setXAxisSpan(double days);

    QString title() const;
    void setTitle(const QString &title);
    bool legendVisible() const;
    void setLegendVisible(bool visible);
    double yAxisMax() const { return yAxisMax_; }
    void setYAxisMax(double maximum);

    // The chart as drawn, for inspection: changes not drawn yet are drawn first (outside an update).
    const QChart *chart() const;
    // The points a channel's trace is drawn through, as (milliseconds since the epoch, value),
    // after the same bringing up to date as chart().
    QList<QPointF> tracePoints(int channel) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Channel
    {
        QString name;
        QPen pen;
        std::deque<std::optional<double>> values;
        // What the trace shows: a cache of the values, brought up to date when drawing.
        mutable TraceThinning trace;
    };

    // Throw std::out_of_range when the chart has no such channel or point; checkChannel returns it.
    int checkChannel(int channel) const;
    void checkIndex(int index) const;
    qint64 spanMilliseconds() const;
    qint64 xAxisEnd() const;
    void changed();
    void scheduleRedraw();
    void redraw() const;
    void rebuildTraces(qint64 start, qint64 end) const;
    void extendTraces(qint64 start) const;
    // Marks the traces for a rebuild at the next drawing.
    void rebuildLater();

    QChartView *view_ = nullptr;
    QChart *chart_ = nullptr;
    QDateTimeAxis *timeAxis_ = nullptr;
    QValueAxis *valueAxis_ = nullptr;
    StripChartTraces *traces_ = nullptr;
    std::deque<qint64> times_; // milliseconds since the epoch, in order
    qint64 forgotten_ = 0;     // points forgotten from the front: point i is number forgotten_ + i
    std::vector<Channel> channels_;
    qint64 xAxisStart_;
    double xAxisSpanDays_ = 1.0 / 1440.0;
    double yAxisMax_ = 100.0;
    int updateDepth_ = 0;
    // Changes wait to be drawn; the rebuild is a cache of the data, so reading chart() may run it.
    mutable bool pendingRedraw_ = false;
    mutable bool rebuildTraces_ = true;
    mutable qint64 tracedPoints_ = 0; // the number of the first point not yet in the traces
    mutable qint64 tracedStart_ = 0;  // the axis start the traces were last trimmed to
    bool redrawScheduled_ = false;
    std::function<QDateTime()> clock_;
};

} // namespace linkset
