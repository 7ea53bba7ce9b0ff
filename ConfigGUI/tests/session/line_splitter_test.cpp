// The serial line splitter, one tick at a time: which segment it takes, what it leaves,
// and whether it saw the prompt.
#include "session/line_splitter.h"

#include <QStringList>

#include <gtest/gtest.h>

using session::SplitResult;
using session::takeSerialSegment;

namespace {

struct Tick
{
    const char *buffer;
    const char *segment; // nullptr: nothing handed on
    const char *rest;
    bool prompt;
};

const Tick kTicks[] = {
    // A line without its carriage return; the line feed stays for the next segment.
    {"GET=1;01=x\r\nGET=1;02=y\r\n", "GET=1;01=x", "\nGET=1;02=y\r\n", false},
    // A leading carriage return is dropped alone, the text waits for the next tick.
    {"\rabc\r", nullptr, "abc\r", false},
    {"\nabc\r", "\nabc", "", false},
    // Three letters, a prompt, three more: the first four characters, the rest stays.
    {"abc>def", "abc>", "def", true},
    {"abc>", "abc>", "", true},
    {">def", nullptr, "def", true},
    {"no line end yet", nullptr, "no line end yet", false},
    // A password request is handed on as soon as its ":" has arrived, in any case.
    {"Password:", "Password:", "", false},
    {"\npassword: more", "\npassword:", " more", false},
    {"PASSWORD", nullptr, "PASSWORD", false},
    {":Password", nullptr, "Password", false},
    // Without "PASSWORD" a colon does not end a segment; a prompt still does.
    {"Username:", nullptr, "Username:", false},
    {"Username: >", "Username: >", "", true},
    // A carriage return comes before everything else.
    {"Password:\r", "Password:", "", false},
    {"a>b\r", "a>b", "", false},
    {"", nullptr, "", false},
};

} // namespace

TEST(LineSplitter, TakesOneSegmentPerTick)
{
    for (const Tick &tick : kTicks) {
        QString buffer = QString::fromLatin1(tick.buffer);
        const SplitResult result = takeSerialSegment(buffer);
        SCOPED_TRACE(tick.buffer);
        if (tick.segment) {
            ASSERT_TRUE(result.segment.has_value());
            EXPECT_EQ(*result.segment, QString::fromLatin1(tick.segment));
        } else {
            EXPECT_FALSE(result.segment.has_value());
        }
        EXPECT_EQ(buffer, QString::fromLatin1(tick.rest));
        EXPECT_EQ(result.sawPrompt, tick.prompt);
    }
}

TEST(LineSplitter, EmptiesAReplyWithItsPromptOverSeveralTicks)
{
    QString buffer = QStringLiteral("Get 01\r\nGET=1;01=Unit\r\n>");
    QStringList segments;
    bool prompt = false;
    for (int tick = 0; tick < 10 && !buffer.isEmpty(); ++tick) {
        const SplitResult result = takeSerialSegment(buffer);
        if (result.segment)
            segments << *result.segment;
        prompt = prompt || result.sawPrompt;
    }
    EXPECT_EQ(segments, (QStringList{"Get 01", "\nGET=1;01=Unit", "\n>"}));
    EXPECT_TRUE(prompt);
    EXPECT_TRUE(buffer.isEmpty());
}
