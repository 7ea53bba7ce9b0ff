#pragma once

#include <QList>
#include <QString>
#include <QWidget>

QT_FORWARD_DECLARE_CLASS(QBarCategoryAxis)
QT_FORWARD_DECLARE_CLASS(QBarSet)
QT_FORWARD_DECLARE_CLASS(QChart)
QT_FORWARD_DECLARE_CLASS(QValueAxis)

namespace linkset {

// A bar chart of one value per labelled column, such as the packet loss of each station. The
// value axis runs from 0 to at least 10, higher when a value needs it. Data set between
// BeginUpdate() and EndUpdate() is drawn once, at EndUpdate().
class BarChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)

public:
    struct Column
    {
        QString label;
        double value = 0.0;

        bool operator==(const Column &) const = default;
    };

    explicit BarChart(QWidget *parent = nullptr);
    ~BarChart() override;

    void BeginUpdate();
    void EndUpdate();

    // Replaces what the chart shows: one bar per column, in order. A label that repeats an
    // earlier one is shown with its column number (counted from 1) so that each bar keeps its own.
    void setChartData(const QList<Column> &columns);
    const QList<Column> &chartData() const { return columns_; }

    QString title() const;
    void setTitle(const QString &title);

    // The chart as drawn, for inspection.
    const QChart *chart() const { return chart_; }

private:
    void draw();

    QChart *chart_ = nullptr;
    QBarSet *bars_ = nullptr;
    QBarCategoryAxis *categoryAxis_ = nullptr;
    QValueAxis *valueAxis_ = nullptr;
    QList<Column> columns_;
    QList<Column> drawn_;
    int updateDepth_ = 0;
};

} // namespace linkset
