// The LED matrix: indicator states and colours, layout, drawing and deferred repaint.
#include "rendered.h"
#include "widgets/led_matrix.h"

#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

using linkset::LedMatrix;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kLime(0x00, 0xFF, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

// Rows 0 to 2 red, 3 to 5 yellow, 6 to 9 lime, as the packet error display colours them.
void colourByRow(LedMatrix &matrix)
{
    for (int c = 0; c < matrix.columnCount(); ++c)
        for (int r = 0; r < matrix.rowCount(); ++r)
            matrix.setIndicatorActiveColor(c, r, r < 3 ? kRed : r < 6 ? kYellow : kLime);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

TEST(LedMatrix, StatesAndColoursPerIndicator)
{
    LedMatrix matrix;
    matrix.setColumnCount(5);
    matrix.setRowCount(10);
    EXPECT_FALSE(matrix.indicatorActive(4, 9));
    EXPECT_EQ(matrix.indicatorActiveColor(4, 9), kLime);

    matrix.setIndicatorActive(4, 9, true);
    matrix.setIndicatorActiveColor(4, 9, kRed);
    EXPECT_TRUE(matrix.indicatorActive(4, 9));
    EXPECT_FALSE(matrix.indicatorActive(3, 9));
    EXPECT_FALSE(matrix.indicatorActive(4, 8));
    EXPECT_EQ(matrix.indicatorActiveColor(4, 9), kRed);
    EXPECT_EQ(matrix.indicatorActiveColor(3, 9), kLime);

    for (auto [c, r] : {std::pair{5, 0}, {0, 10}, {-1, 0}, {0, -1}}) {
        EXPECT_THROW(matrix.setIndicatorActive(c, r, true), std::out_of_range);
        EXPECT_THROW((void)matrix.indicatorActiveColor(c, r), std::out_of_range);
    }
}

TEST(LedMatrix, ResizingKeepsTheIndicatorsThatStay)
{
    LedMatrix matrix;
    matrix.setColumnCount(3);
    matrix.setRowCount(4);
    matrix.setIndicatorActive(1, 2, true);
    matrix.setIndicatorActiveColor(1, 2, kYellow);
    matrix.setIndicatorActive(2, 3, true);

    matrix.setColumnCount(2);
    matrix.setRowCount(10);
    EXPECT_EQ(matrix.columnCount(), 2);
    EXPECT_EQ(matrix.rowCount(), 10);
    EXPECT_TRUE(matrix.indicatorActive(1, 2));
    EXPECT_EQ(matrix.indicatorActiveColor(1, 2), kYellow);
    EXPECT_FALSE(matrix.indicatorActive(1, 9));
    EXPECT_THROW((void)matrix.indicatorActive(2, 3), std::out_of_range);

    matrix.setColumnCount(3);
    EXPECT_FALSE(matrix.indicatorActive(2, 3)); // a column that comes back starts unlit

    matrix.setColumnCount(0);
    EXPECT_EQ(matrix.columnCount(), 1);
}

TEST(LedMatrix, ColumnsAreIndicatorWidthApartAndRowZeroIsAtTheTop)
{
    LedMatrix matrix;
    matrix.setColumnCount(4);
    matrix.setRowCount(10);
    matrix.setIndicatorWidth(40);
    matrix.resize(300, 200);
    const QRect first = matrix.indicatorRect(0, 0);
    const QRect second = matrix.indicatorRect(1, 0);
    EXPECT_EQ(first.width(), 40);
    EXPECT_EQ(second.left() - first.left(), 40 + LedMatrix::kSpacing);
    EXPECT_LT(first.bottom(), matrix.indicatorRect(0, 1).top());
    EXPECT_LE(matrix.indicatorRect(0, 9).bottom(), 200);
    EXPECT_EQ(matrix.sizeHint().width(), LedMatrix::kSpacing + 4 * (40 + LedMatrix::kSpacing));
}

TEST(LedMatrix, LitIndicatorsShowTheirRowColourAndUnlitOnesTheBlackBackground)
{
    LedMatrix matrix;
    matrix.setColumnCount(3);
    matrix.setRowCount(10);
    colourByRow(matrix);
    // Column 0: fully lit; column 1: the bottom four (a rate of 4); column 2: dark.
    for (int r = 0; r < 10; ++r)
        matrix.setIndicatorActive(0, r, true);
    for (int r = 6; r < 10; ++r)
        matrix.setIndicatorActive(1, r, true);

    const QImage image = rendered(matrix, QSize(120, 200));
    const auto colourAt = [&](int c, int r) { return image.pixelColor(matrix.indicatorRect(c, r).center()); };
    for (int r = 0; r < 10; ++r) {
        SCOPED_TRACE(r);
        const QColor band = r < 3 ? kRed : r < 6 ? kYellow : kLime;
        EXPECT_EQ(colourAt(0, r), band);
        EXPECT_EQ(colourAt(1, r), r >= 6 ? band : kBlack);
        EXPECT_EQ(colourAt(2, r), kBlack);
    }
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), kBlack);
}

TEST(LedMatrix, ChangesBetweenBeginAndEndUpdateAreDrawnAtTheEnd)
{
    LedMatrix matrix;
    matrix.resize(200, 150);
    matrix.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&matrix));
    QApplication::processEvents();
    PaintCounter counter;
    matrix.installEventFilter(&counter);

    matrix.setIndicatorActive(0, 0, true);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1) << "a change outside an update is drawn at once";

    counter.paints = 0;
    matrix.BeginUpdate();
    matrix.BeginUpdate();
    for (int r = 0; r < matrix.rowCount(); ++r)
        matrix.setIndicatorActive(3, r, true);
    QApplication::processEvents();
    matrix.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0) << "nothing is drawn before the outer EndUpdate";
    matrix.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);

    matrix.EndUpdate(); // one too many does no harm
    matrix.setIndicatorActive(0, 0, false);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);
}
