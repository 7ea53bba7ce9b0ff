#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

namespace linkset {

// A grid of LED indicators on a black background: `columnCount` columns of `rowCount` LEDs, row 0
// at the top. Each LED is lit or unlit and has its own colour for the lit state; an unlit LED
// shows the background (with a faint outline, so the grid stays readable). Columns are
// `indicatorWidth` pixels wide and start at the left; the rows share the height.
//
// Changes between BeginUpdate() and EndUpdate() are drawn once, at EndUpdate().
class LedMatrix : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int indicatorWidth READ indicatorWidth WRITE setIndicatorWidth)

public:
    // Colour of a lit LED until another is set.
    static constexpr QRgb kDefaultActiveColor = qRgb(0x00, 0xFF, 0x00);
    // Free pixels around and between the LEDs.
    static constexpr int kSpacing = 2;

    explicit LedMatrix(QWidget *parent = nullptr);

    void BeginUpdate();
    void EndUpdate();

    int columnCount() const { return columnCount_; }
    int rowCount() const { return rowCount_; }
    int indicatorWidth() const { return indicatorWidth_; }
    // Counts and width are at least 1. LEDs that stay keep their state and colour; new LEDs are
    // unlit with the default colour.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    void setIndicatorWidth(int pixels);

    // Throw std::out_of_range for a column or row outside the matrix.
    bool indicatorActive(int column, int row) const;
    void setIndicatorActive(int column, int row, bool active);
    QColor indicatorActiveColor(int column, int row) const;
    void setIndicatorActiveColor(int column, int row, const QColor &color);

    // Where the LED is drawn, so that labels can be placed under a column.
    QRect indicatorRect(int column, int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Indicator
    {
        bool active = false;
        QRgb color = kDefaultActiveColor;
    };

    void reshape(int columns, int rows);
    Indicator &at(int column, int row);
    const Indicator &at(int column, int row) const;
    void changed();

    int columnCount_ = 21;
    int rowCount_ = 10;
    int indicatorWidth_ = 21;
    std::vector<Indicator> indicators_; // column-major: column * rowCount_ + row
    int updateDepth_ = 0;
    bool pendingRepaint_ = false;
};

} // namespace linkset
