// Option negotiation: the reply table for each verb and option, and the guard against
// servers that keep asking.
#include "session_fixture.h"

namespace wiretalk::testing {
namespace {

enum Flag
{
    Off,
    On
};

struct TableRow
{
    int verb;
    int option;
    Flag flag; // the option's bit (binary, local echo) or a non-empty terminal type
    int reply; // the reply verb, 0 for none
};

constexpr int WILL = 251, WONT = 252, DO = 253, DONT = 254;
constexpr int BINARY = 0, ECHO = 1, SGA = 3, TTYPE = 24, OTHER = 31;

TEST(Negotiation, EachVerbAndOptionIsAnsweredFromTheTable)
{
    const TableRow rows[] = {
        {DO, BINARY, On, WILL}, {DO, BINARY, Off, WONT}, {WILL, BINARY, On, DO}, {WILL, BINARY, Off, DONT},
        {WONT, BINARY, On, 0},  {DONT, BINARY, On, 0},   {DO, ECHO, On, WILL},   {DO, ECHO, Off, WONT},
        {WILL, ECHO, On, DONT}, {WILL, ECHO, Off, DO},   {WONT, ECHO, On, 0},    {DONT, ECHO, On, 0},
        {DO, SGA, Off, WILL},   {WILL, SGA, Off, DO},    {WONT, SGA, Off, 0},    {DONT, SGA, Off, 0},
        {DO, TTYPE, On, WILL},  {DO, TTYPE, Off, WONT},  {WILL, TTYPE, On, DO},  {WILL, TTYPE, Off, DONT},
        {WONT, TTYPE, On, 0},   {DONT, TTYPE, On, 0},    {DO, OTHER, On, WONT},  {WILL, OTHER, On, DONT},
        {WONT, OTHER, On, 0},   {DONT, OTHER, On, 0},
    };
    for (const TableRow &row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "verb " << row.verb << " option " << row.option << " flag " << row.flag);
        ServedSession session;
        ASSERT_NO_FATAL_FAILURE(session.open());
        const int bit = row.option == ECHO ? kOptionLocalEcho : kOptionBinary;
        TelnetSetOption(session.handle, bit, row.flag == On);
        TelnetSetTerminal(session.handle, row.flag == On ? "ansi" : nullptr);
        ASSERT_NO_FATAL_FAILURE(session.serve(bytes({255, row.verb, row.option, 'x'})));
        EXPECT_EQ(session.readBytes(10), QByteArray("x"));
        const QByteArray expected = row.reply ? bytes({255, row.reply, row.option}) : QByteArray();
        EXPECT_EQ(session.sentSinceLastCheck().toHex(' '), expected.toHex(' '));
    }
}

TEST(Negotiation, WontAndDontClearTheBits)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    TelnetSetOption(session.handle, kOptionLocalEcho | kOptionBinary, true);
    ASSERT_NO_FATAL_FAILURE(session.serve(bytes({255, WONT, BINARY, 255, DONT, ECHO, 'x'})));
    EXPECT_EQ(session.readBytes(10), QByteArray("x"));
    EXPECT_EQ(TelnetSetOption(session.handle, 0, true), 0);
}

// A server that answers each reply of the client with the same request again, the way
// two sides that answer every request without remembering anything would talk forever.
QByteArray askAgain(const QByteArray &received)
{
    QByteArray again;
    for (qsizetype i = 0; i + 2 < received.size(); ++i) {
        if (static_cast<unsigned char>(received[i]) != 255)
            continue;
        const int verb = static_cast<unsigned char>(received[i + 1]);
        const int option = static_cast<unsigned char>(received[i + 2]);
        // WILL or WONT came from a DO; DO or DONT from a WILL: ask the same again.
        if (verb == WILL || verb == WONT)
            again.append(bytes({255, DO, option}));
        else if (verb == DO || verb == DONT)
            again.append(bytes({255, WILL, option}));
    }
    return again;
}

TEST(Negotiation, ARepeatedRequestThatChangesNothingGetsNoReply)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open(true)); // reads never wait: the stream may hold no data
    TelnetSetTerminal(session.handle, "ansi");
    session.server.setResponder(askAgain);
    // Every option the table knows, in both directions, and one it does not.
    const QByteArray requests =
        bytes({255, DO,   BINARY, 255, WILL, BINARY, 255, DO,   ECHO,  255, WILL, ECHO,  255, DO,   SGA,
               255, WILL, SGA,    255, DO,   TTYPE,  255, WILL, TTYPE, 255, DO,   OTHER, 255, WILL, OTHER});
    ASSERT_NO_FATAL_FAILURE(session.serve(requests));
    EXPECT_EQ(session.readBytes(10), QByteArray());
    // Once the server has the client's answers, it has asked everything a second time;
    // "end" follows those requests, so the client has read them when it reads "end".
    ASSERT_TRUE(session.server.waitForReceived(30));
    session.server.setResponder(nullptr);
    session.server.send("end");
    EXPECT_EQ(session.readUntil(3), QByteArray("end"));
    const QByteArray expected =
        bytes({255, WILL, BINARY, 255, DO,   BINARY, 255, WONT, ECHO,  255, DO,   ECHO,  255, WILL, SGA,
               255, DO,   SGA,    255, WILL, TTYPE,  255, DO,   TTYPE, 255, WONT, OTHER, 255, DONT, OTHER});
    EXPECT_EQ(session.sentSinceLastCheck().toHex(' '), expected.toHex(' '));
}

TEST(Negotiation, ARequestThatChangesTheStateIsAnsweredAgain)
{
    ServedSession session;
    ASSERT_NO_FATAL_FAILURE(session.open());
    // The server turns its echo on, off and on again: each step is a real change.
    ASSERT_NO_FATAL_FAILURE(session.serve(bytes({255, WILL, ECHO, 255, WONT, ECHO, 255, WILL, ECHO, 'x'})));
    EXPECT_EQ(session.readBytes(10), QByteArray("x"));
    EXPECT_EQ(session.sentSinceLastCheck().toHex(' '), bytes({255, DO, ECHO, 255, DO, ECHO}).toHex(' '));
}

} // namespace
} // namespace wiretalk::testing
