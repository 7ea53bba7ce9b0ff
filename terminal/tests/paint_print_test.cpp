// Painting a screen into an image (colour pairs, explicit colours, concealed cells,
// glyph translation, caret, view position) and printing it into a PDF file.
#include "glyphterm/emulator.h"
#include "glyphterm/screen.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>

using namespace glyphterm;

namespace {

QFont testFont(const char *family)
{
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRgb toRgb(COLORREF colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

class Painting : public ::testing::Test
{
protected:
    void TearDown() override { TermDestroy(handle_); }

    void create(const char *family, int columns = 10, int rows = 5)
    {
        const QFont font = testFont(family);
        handle_ = TermCreate(&window_, &font, emAnsi, columns, rows);
        ASSERT_GE(handle_, 0);
        TermGetCellSize(handle_, &cellWidth_, &lineHeight_);
    }
    void write(const std::string &bytes) { TermWrite(handle_, bytes.data(), bytes.size()); }

    QImage paint(int width, int height)
    {
        TermSetClientSize(handle_, width, height);
        TermInvalidate(handle_, false);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        TermSetPaintDC(handle_, &painter);
        EXPECT_EQ(TermPaint(handle_), 1);
        TermSetPaintDC(handle_, nullptr);
        return image;
    }
    QImage paintAll() { return paint(10 * cellWidth_, 5 * lineHeight_); }

    QImage cell(const QImage &image, int row, int column) const
    {
        return image.copy(column * cellWidth_, row * lineHeight_, cellWidth_, lineHeight_);
    }
    // How many pixels of a cell have exactly this colour.
    int count(const QImage &image, int row, int column, COLORREF colour) const
    {
        const QImage part = cell(image, row, column);
        int n = 0;
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                n += (part.pixel(x, y) & 0xFFFFFF) == (toRgb(colour) & 0xFFFFFF);
        return n;
    }
    // The cell is drawn in these colours: mostly background, some foreground, nothing else.
    void expectColours(const QImage &image, int column, COLORREF fore, COLORREF back, const char *what) const
    {
        const int pixels = cellWidth_ * lineHeight_;
        const int backPixels = count(image, 0, column, back);
        const int forePixels = count(image, 0, column, fore);
        EXPECT_GT(backPixels, pixels / 2) << what;
        EXPECT_GT(forePixels, 0) << what;
        EXPECT_EQ(backPixels + forePixels, pixels) << what;
    }

    QWidget window_;
    int handle_ = -1;
    int cellWidth_ = 0;
    int lineHeight_ = 0;
};

TEST_F(Painting, EachRunTakesTheColourPairOfItsAttribute)
{
    create("DejaVu Sans Mono");
    const COLORREF bold = rgb(200, 0, 0);
    TermSetBoldColor(handle_, bold);
    // The graphics pair gets its own colours through CSI = J and K.
    write("\033[=2J\033[=1K");
    write("\033[1;7mA\033[0m\033[4mB\033[0m\033[1mC\033[0m\033(0D\033(BE\033[7mF\033[1;4mG");
    const QImage image = paintAll();
    const COLORREF light = rgb(224, 224, 224);
    const COLORREF black = rgb(0, 0, 0);
    expectColours(image, 0, light, bold, "reverse and bold: bold reverse pair");
    expectColours(image, 1, light, black, "underline: reverse pair");
    expectColours(image, 2, bold, light, "bold: bold pair");
    expectColours(image, 3, rgb(0, 255, 0), rgb(0, 0, 255), "graphics: graphics pair");
    expectColours(image, 4, black, light, "plain: normal pair");
    expectColours(image, 5, light, black, "reverse: reverse pair");
    expectColours(image, 6, light, bold, "underline and bold: bold reverse pair");
}

TEST_F(Painting, ExplicitColoursWinAndConcealedCellsShowNoGlyph)
{
    create("DejaVu Sans Mono");
    write("\033[31;44mX\033[0;29m\033[8mW\033[0m\033[=4GV");
    const QImage image = paintAll();
    expectColours(image, 0, rgb(255, 0, 0), rgb(0, 0, 255), "explicit colours");
    EXPECT_EQ(count(image, 0, 1, rgb(224, 224, 224)), 0) << "the normal background is now console colour 4";
    EXPECT_EQ(count(image, 0, 1, rgb(255, 0, 0)), cellWidth_ * lineHeight_) << "concealed: a space";
    expectColours(image, 2, rgb(0, 0, 0), rgb(255, 0, 0), "normal pair after CSI = G");
}

TEST_F(Painting, ReverseScreenSwapsThePairs)
{
    create("DejaVu Sans Mono");
    write("A\033[?5h");
    expectColours(paintAll(), 0, rgb(224, 224, 224), rgb(0, 0, 0), "reversed");
    write("\033[?5h\033[?5l");
    expectColours(paintAll(), 0, rgb(0, 0, 0), rgb(224, 224, 224), "back to normal");
}

TEST_F(Painting, GraphicsAndUkSetsFollowTheFontsCharacterSet)
{
    // The "Terminal" face counts as OEM: graphics 'q' is code 196 (a line), UK '#' is
    // 156 (the pound sign), as is graphics '}'.
    create("Terminal");
    write("\033(0q\033(B\xc4\033(A#\033(0}\033(Bq");
    QImage image = paintAll();
    EXPECT_EQ(cell(image, 0, 0), cell(image, 0, 1));
    EXPECT_EQ(cell(image, 0, 2), cell(image, 0, 3));
    EXPECT_NE(cell(image, 0, 0), cell(image, 0, 4));
    TermDestroy(handle_);

    // Another face: the graphics set leaves the glyph alone and UK '#' is 163.
    create("DejaVu Sans Mono");
    write("\033(0q\033(Bq\033(A#\033(B\xa3#");
    image = paintAll();
    EXPECT_EQ(cell(image, 0, 0), cell(image, 0, 1));
    EXPECT_EQ(cell(image, 0, 2), cell(image, 0, 3));
    EXPECT_NE(cell(image, 0, 2), cell(image, 0, 4));
}

TEST_F(Painting, BlockCaretShowsOnlyWithFocusAndVisibleCursor)
{
    create("DejaVu Sans Mono");
    TermSetMode(handle_, ModeCursorVisible | ModeBlockCursor, true);
    const COLORREF inverted = rgb(224 ^ 255, 224 ^ 255, 224 ^ 255);
    EXPECT_EQ(count(paintAll(), 0, 0, inverted), 0);
    TermSetFocus(handle_, true);
    EXPECT_EQ(count(paintAll(), 0, 0, inverted), cellWidth_ * lineHeight_);
    write("\033[?25l");
    EXPECT_EQ(count(paintAll(), 0, 0, inverted), 0);
}

TEST_F(Painting, AScrollBringsTheViewToTheNewestLine)
{
    create("DejaVu Sans Mono", 10, 10);
    paint(10 * cellWidth_, 3 * lineHeight_); // three rows fit: the view may scroll by 7
    TermScrollView(handle_, true, 0);
    write("\033[10;1H\033[7mQ\033[0m\n");
    const QImage image = paint(10 * cellWidth_, 3 * lineHeight_);
    // Screen row 8 (the reversed Q, scrolled up one) is the second painted row.
    EXPECT_GT(count(image, 1, 0, rgb(0, 0, 0)), cellWidth_ * lineHeight_ / 2);
    EXPECT_EQ(count(image, 0, 0, rgb(0, 0, 0)), 0);
}

class Printing : public Painting
{
protected:
    QString pdfText(const QString &path)
    {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished(30000));
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    QTemporaryDir dir_;
};

TEST_F(Printing, PrintsEveryRowIntoAPdfFile)
{
    create("DejaVu Sans Mono", 40, 128);
    write("\033[1;1HHello printer\033[2;1H\033[7mSecond line\033[0m\033[128;1Hthe last row");
    const QString path = dir_.filePath(QStringLiteral("screen.pdf"));
    ASSERT_EQ(TermPrint(handle_, path), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Hello printer"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Second line")));
    EXPECT_TRUE(text.contains(QStringLiteral("the last row"))); // rows past the first page are kept
}

TEST_F(Printing, AnUnknownPrinterOrACancelledDialogPrintsNothing)
{
    create("DejaVu Sans Mono");
    EXPECT_EQ(TermPrint(handle_, QStringLiteral("no such printer here")), 0);

    bool dialogShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    closer.start(10);
    EXPECT_EQ(TermPrint(handle_, QString()), 0);
    EXPECT_TRUE(dialogShown);
}

} // namespace
