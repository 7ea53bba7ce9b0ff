// The screen table and the screen operations outside the engine: sizes, slots, owner
// thread, invalid handles, text extraction and resizing.
#include "glyphterm/emulator.h"
#include "glyphterm/screen.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace glyphterm;

namespace {

class Screen : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (int handle : handles_)
            TermDestroy(handle);
    }
    int create(int columns, int rows, int emulation = emAnsi, QWidget *window = nullptr)
    {
        const int handle = TermCreate(window ? window : &window_, nullptr, emulation, columns, rows);
        if (handle >= 0)
            handles_.push_back(handle);
        return handle;
    }
    std::pair<int, int> size(int handle)
    {
        int columns = 0;
        int rows = 0;
        TermGetSize(handle, &columns, &rows);
        return {columns, rows};
    }
    void write(int handle, const std::string &bytes) { TermWrite(handle, bytes.data(), bytes.size()); }
    std::string text(int handle, int start, int maximum)
    {
        std::string buffer(static_cast<std::size_t>(maximum) + 1, '#');
        const int copied = TermGetText(handle, start, buffer.data(), maximum);
        EXPECT_EQ(buffer[static_cast<std::size_t>(copied)], '\0');
        return buffer.substr(0, static_cast<std::size_t>(copied));
    }

    QWidget window_;
    std::vector<int> handles_;
};

TEST_F(Screen, CreateAcceptsOnlyTheSizesEmulationsAndWindowsItCanHold)
{
    struct Case
    {
        int columns, rows, emulation;
        bool ok;
    };
    const Case cases[] = {{4, 25, emAnsi, false},   {5, 25, emAnsi, true},    {256, 25, emAnsi, true},
                          {257, 25, emAnsi, false}, {80, 4, emAnsi, false},   {80, 5, emAnsi, true},
                          {80, 128, emAnsi, true},  {80, 129, emAnsi, false}, {80, 25, emVT220, true},
                          {80, 25, 4, false},       {80, 25, -1, false}};
    for (const Case &c : cases)
        EXPECT_EQ(create(c.columns, c.rows, c.emulation) >= 0, c.ok)
            << c.columns << "x" << c.rows << " em " << c.emulation;
    EXPECT_EQ(TermCreate(nullptr, nullptr, emAnsi, 80, 25), -1);
}

TEST_F(Screen, TableHas256SlotsAndReusesTheLowestFreeOne)
{
    std::vector<int> taken;
    int handle;
    while ((handle = create(5, 5)) >= 0)
        taken.push_back(handle);
    EXPECT_EQ(taken.size(), 256u);
    TermDestroy(taken[17]);
    EXPECT_EQ(create(5, 5), taken[17]);
    EXPECT_EQ(create(5, 5), -1);
}

TEST_F(Screen, AHandleIsValidOnlyOnItsOwnThread)
{
    const int handle = create(10, 5);
    int fromOtherThread = -1;
    std::thread other([&] {
        fromOtherThread = TermWrite(handle, "x", 1);
        TermDestroy(handle); // not the owner: ignored
    });
    other.join();
    EXPECT_EQ(fromOtherThread, 0);
    EXPECT_EQ(TermWrite(handle, "x", 1), 1);
    EXPECT_EQ(text(handle, 0, 1), "x");
}

TEST_F(Screen, EveryOperationOnAnInvalidHandleFails)
{
    const int stale = create(10, 5);
    TermDestroy(stale);
    int column = 0;
    int row = 0;
    char buffer[4];
    for (int handle : {-1, 256, stale}) {
        EXPECT_EQ(TermWrite(handle, "x", 1), 0);
        EXPECT_EQ(TermResize(handle, nullptr, nullptr, 10, 10), 0);
        EXPECT_EQ(TermSetMode(handle, ModeAutoWrap, true), 0);
        EXPECT_EQ(TermSetEmulation(handle, emVT100), 0);
        EXPECT_EQ(TermSetCursor(handle, 1, 1), 0);
        EXPECT_EQ(TermGetCursor(handle, &column, &row), 0);
        EXPECT_EQ(TermSetRegion(handle, 0, 4), 0);
        EXPECT_EQ(TermEraseDisplay(handle, 2), 0);
        EXPECT_EQ(TermScroll(handle, true), 0);
        EXPECT_EQ(TermPaint(handle), 0);
        EXPECT_EQ(TermGetText(handle, 0, buffer, 3), 0);
        EXPECT_EQ(TermPrint(handle, QStringLiteral("x.pdf")), 0);
    }
}

TEST_F(Screen, TextExtractionStopsAtTheLastCellAndStartsAtTheCursorWhenNegative)
{
    const int handle = create(10, 5);
    write(handle, "\033[5;8HXYZ\033[1;1Habc");
    EXPECT_EQ(text(handle, 50 - 3, 10), "XYZ");
    EXPECT_EQ(text(handle, 50, 10), "");
    EXPECT_EQ(text(handle, 999, 10), "");
    EXPECT_EQ(text(handle, 0, 0), "");
    EXPECT_EQ(text(handle, -1, 4), "    "); // the cursor is after "abc"
    write(handle, "\033[1;9Hab\033[2;1Hcd");
    EXPECT_EQ(text(handle, 8, 4), "abcd"); // rows are not separated
}

TEST_F(Screen, EmulationAbove3IsRefused)
{
    const int handle = create(10, 5, emVT100);
    EXPECT_EQ(TermSetEmulation(handle, 4), 0);
    EXPECT_EQ(TermSetEmulation(handle, emNone), 1);
    write(handle, "\033[2J");
    EXPECT_EQ(text(handle, 0, 4), "[2J ");
}

TEST_F(Screen, ResizeReplacesTheGridAndKeepsTheOldScreenWhenRefused)
{
    const int handle = create(10, 5);
    write(handle, "\033[5;10Hhello");
    EXPECT_EQ(TermResize(handle, nullptr, nullptr, 300, 0), 0);
    EXPECT_EQ(TermResize(handle, nullptr, nullptr, 0, 4), 0);
    EXPECT_EQ(size(handle), std::make_pair(10, 5));

    ASSERT_EQ(TermResize(handle, nullptr, nullptr, 6, 0), 1);
    EXPECT_EQ(size(handle), std::make_pair(6, 5));
    EXPECT_EQ(text(handle, 0, 30), std::string(30, ' '));
    int column = -1;
    int row = -1;
    TermGetCursor(handle, &column, &row);
    EXPECT_EQ(column, 5); // brought inside the new grid
    EXPECT_EQ(row, 4);
    write(handle, "\n");
    write(handle, "A");
    EXPECT_EQ(text(handle, 24, 6), "     A"); // the region is the whole new screen
}

} // namespace
