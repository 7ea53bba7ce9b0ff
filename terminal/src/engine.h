// The emulation engine's commands, split from the byte loop of TermWrite.
#pragma once

#include "screen_ops.h"

#include <algorithm>

namespace glyphterm {

// What one TermWrite call notes while it runs.
struct WriteProgress
{
    bool scrolled = false;
};

// A line feed: at the bottom margin the region scrolls up, else the cursor moves down
// (a cursor below the bottom margin on the last row stays).
inline void lineFeed(TerminalScreen &screen, WriteProgress &progress)
{
    if (screen.cursorRow == screen.regionBottom) {
        scrollRegionUp(screen);
        progress.scrolled = true;
    } else if (screen.cursorRow < screen.rows - 1) {
        ++screen.cursorRow;
    }
}

// Returns the parser to the ground state with no completed parameters.
inline void endSequence(ParserData &parser)
{
    parser.state = StateGround;
    parser.kind = KindNone;
    parser.count = 0;
}

// Parameters are capped: any larger value clamps the same way, and no arithmetic on
// them can overflow.
constexpr int ParameterLimit = 65535;

inline void appendDigit(ParserData &parser, unsigned char digit)
{
    // Further digits are dropped: the text holds at most 27.
    if (parser.textLength < ParameterTextSize - 1)
        parser.text[parser.textLength++] = static_cast<char>(digit);
}

inline void completeParameter(ParserData &parser)
{
    int value = 0;
    for (int i = 0; i < parser.textLength; ++i)
        value = std::min(value * 10 + (parser.text[i] - '0'), ParameterLimit);
    parser.textLength = 0;
    // Parameters past the eighth are dropped.
    if (parser.count < ParameterCount)
        parser.parameters[parser.count++] = value;
}

void runEscapeCommand(TerminalScreen &screen, unsigned char final, WriteProgress &progress);
void runCsiCommand(TerminalScreen &screen, unsigned char final);
void runPrivateMode(TerminalScreen &screen, unsigned char final);
void runCsiEqualsCommand(TerminalScreen &screen, unsigned char final);
void designateCharacterSet(TerminalScreen &screen, unsigned char set);
void alignmentPattern(TerminalScreen &screen);

} // namespace glyphterm
