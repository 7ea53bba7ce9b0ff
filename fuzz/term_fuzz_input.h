// What the terminal fuzz targets share: the application they run in, and the header of
// an input (screen size, emulation, modes, region, cursor, write size) with the host
// output after it.
#pragma once

#include <glyphterm/emulator.h>
#include <glyphterm/screen.h>

#include <QApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

// The offscreen application, made once for the whole run.
inline void fuzzApplication(const char *program)
{
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(program), nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Every whole number from first to last, as a list of size choices.
inline std::vector<int> everySize(int first, int last)
{
    std::vector<int> sizes;
    for (int size = first; size <= last; ++size)
        sizes.push_back(size);
    return sizes;
}

struct TermFuzzInput
{
    static constexpr std::size_t HeaderSize = 9;

    int columns = 0;
    int rows = 0;
    int emulation = 0;
    std::uint8_t modeBits = 0;
    int regionTop = 0;
    int regionBottom = 0;
    int cursorColumn = 0;
    int cursorRow = 0;
    std::size_t chunk = 1;
    const char *text = nullptr;
    std::size_t length = 0;

    // Reads the header; false when the input is too short for one. The first two bytes
    // choose the number of columns and rows from the lists given.
    bool parse(const std::uint8_t *data, std::size_t size, std::span<const int> columnChoices,
               std::span<const int> rowChoices)
    {
        if (size < HeaderSize)
            return false;
        columns = columnChoices[data[0] % columnChoices.size()];
        rows = rowChoices[data[1] % rowChoices.size()];
        emulation = data[2] % 4;
        modeBits = data[3];
        regionTop = data[4] % rows;
        regionBottom = data[5] % rows;
        cursorColumn = data[6] % columns;
        cursorRow = data[7] % rows;
        chunk = 1 + data[8] % 64;
        text = reinterpret_cast<const char *>(data + HeaderSize);
        length = size - HeaderSize;
        return true;
    }

    // Modes, region and cursor as the header chose them.
    void setUp(int handle) const
    {
        using namespace glyphterm;
        const std::uint32_t choices[] = {ModeAutoWrap,  ModeOrigin,        ModeLfNewLine,
                                         ModeCrNewLine, ModeCursorVisible, ModeNoRefresh};
        for (std::size_t bit = 0; bit < std::size(choices); ++bit)
            TermSetMode(handle, choices[bit], (modeBits >> bit) & 1);
        TermSetRegion(handle, regionTop, regionBottom);
        TermSetCursor(handle, cursorColumn, cursorRow);
    }

    // The host output, in writes of the chosen size.
    void writeHostOutput(int handle) const
    {
        for (std::size_t offset = 0; offset < length; offset += chunk)
            glyphterm::TermWrite(handle, text + offset, std::min(chunk, length - offset));
    }
};
