#include "widgets/led_matrix.h"

#include <QPainter>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace linkset {
namespace {

constexpr QRgb kBackground = qRgb(0x00, 0x00, 0x00);
constexpr QRgb kUnlitOutline = qRgb(0x30, 0x30, 0x30);
constexpr int kPreferredRowHeight = 12;

} // namespace

LedMatrix::LedMatrix(QWidget *parent) : QWidget(parent), indicators_(size_t(columnCount_ * rowCount_))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LedMatrix::BeginUpdate()
{
    ++updateDepth_;
}

void LedMatrix::EndUpdate()
{
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0 && pendingRepaint_) {
        pendingRepaint_ = false;
        update();
    }
}

void LedMatrix::changed()
{
    if (updateDepth_ > 0)
        pendingRepaint_ = true;
    else
        update();
}

void LedMatrix::setColumnCount(int columns)
{
    reshape(std::max(columns, 1), rowCount_);
}

void LedMatrix::setRowCount(int rows)
{
    reshape(columnCount_, std::max(rows, 1));
}

void LedMatrix::reshape(int columns, int rows)
{
    std::vector<Indicator> resized(size_t(columns * rows));
    for (int c = 0; c < std::min(columns, columnCount_); ++c)
        for (int r = 0; r < std::min(rows, rowCount_); ++r)
            resized[size_t(c * rows + r)] = at(c, r);
    indicators_ = std::move(resized);
    columnCount_ = columns;
    rowCount_ = rows;
    updateGeometry();
    changed();
}

void LedMatrix::setIndicatorWidth(int pixels)
{
    indicatorWidth_ = std::max(pixels, 1);
    updateGeometry();
    changed();
}

LedMatrix::Indicator &LedMatrix::at(int column, int row)
{
    return const_cast<Indicator &>(std::as_const(*this).at(column, row));
}

const LedMatrix::Indicator &LedMatrix::at(int column, int row) const
{
    if (column < 0 || column >= columnCount_ || row < 0 || row >= rowCount_)
        throw std::out_of_range("LED (" + std::to_string(column) + ", " + std::to_string(row) +
                                ") is outside the matrix of " + std::to_string(columnCount_) + " x " +
                                std::to_string(rowCount_));
    return indicators_[size_t(column * rowCount_ + row)];
}

bool LedMatrix::indicatorActive(int column, int row) const
{
    return at(column, row).active;
}

void LedMatrix::setIndicatorActive(int column, int row, bool active)
{
    Indicator &led = at(column, row);
    if (led.active == active)
        return;
    led.active = active;
    changed();
}

QColor LedMatrix::indicatorActiveColor(int column, int row) const
{
    return QColor(at(column, row).color);
}

void LedMatrix::setIndicatorActiveColor(int column, int row, const QColor &color)
{
    Indicator &led = at(column, row);
    if (led.color == color.rgb())
        return;
    led.color = color.rgb();
    changed();
}

QRect LedMatrix::indicatorRect(int column, int row) const
{
    at(column, row); // range check
    const int rowPitch = std::max((height() - kSpacing) / rowCount_, 1);
    const int left = kSpacing + column * (indicatorWidth_ + kSpacing);
    const int top = kSpacing + row * rowPitch;
    return QRect(left, top, indicatorWidth_, std::max(rowPitch - kSpacing, 1));
}

QSize LedMatrix::sizeHint() const
{
    return QSize(kSpacing + columnCount_ * (indicatorWidth_ + kSpacing),
                 kSpacing + rowCount_ * (kPreferredRowHeight + kSpacing));
}

QSize LedMatrix::minimumSizeHint() const
{
    return QSize(kSpacing + columnCount_ * (1 + kSpacing), kSpacing + rowCount_ * (1 + kSpacing));
}

void LedMatrix::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kBackground));
    for (int c = 0; c < columnCount_; ++c) {
        for (int r = 0; r < rowCount_; ++r) {
            const Indicator &led = at(c, r);
            const QRect box = indicatorRect(c, r);
            if (led.active) {
                painter.fillRect(box, QColor(led.color));
            } else {
                painter.setPen(QColor(kUnlitOutline));
                painter.drawRect(box.adjusted(0, 0, -1, -1));
            }
        }
    }
}

} // namespace linkset
