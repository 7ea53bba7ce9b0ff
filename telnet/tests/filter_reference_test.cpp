// The receive filter against a byte-at-a-time reference on generated streams: text with
// CR LF, bare LF, CR NUL, IAC IAC and negotiation of options other than BINARY, read in
// reads of several sizes. (BINARY stays as set, so the result does not depend on where
// the reads end.)
#include "session_fixture.h"

#include <random>

namespace wiretalk::testing {
namespace {

QByteArray generateStream(std::mt19937 &random, int size)
{
    static const char *pieces[] = {"\r\n",         "\n",       "\r\0",         "\xff\xff", "\xff\xfd\x03",
                                   "\xff\xfb\x01", "\xff\xf1", "\xff\xfc\x18", "\0",       "\r"};
    static const int pieceSizes[] = {2, 1, 2, 2, 3, 3, 2, 3, 1, 1};
    QByteArray stream;
    std::uniform_int_distribution<int> choice(0, 40);
    std::uniform_int_distribution<int> letter('!', '~');
    while (stream.size() < size) {
        const int c = choice(random);
        if (c < 10)
            stream.append(pieces[c], pieceSizes[c]);
        else
            stream.append(static_cast<char>(letter(random)));
    }
    return stream;
}

// What the filter delivers, one byte at a time, for a stream whose BINARY bit never changes.
QByteArray reference(const QByteArray &stream, bool binary)
{
    QByteArray out;
    char last = 0;
    for (qsizetype i = 0; i < stream.size(); ++i) {
        const auto byte = static_cast<unsigned char>(stream[i]);
        if (byte == 255) {
            const auto command = static_cast<unsigned char>(stream[++i]);
            if (command == 255)
                out.append(last = '\xff');
            else if (command >= 251)
                ++i; // the option byte
            continue;
        }
        if (byte == 0 && !binary)
            continue;
        if (byte == '\n' && last != '\r')
            out.append('\r');
        out.append(last = static_cast<char>(byte));
    }
    return out;
}

TEST(FilterReference, GeneratedStreamsMatchTheByteAtATimeReference)
{
    std::mt19937 random(20261207);
    for (const bool binary : {true, false}) {
        for (const int readSize : {1, 7, 16, 33, 1024}) {
            SCOPED_TRACE(::testing::Message() << "binary " << binary << " read size " << readSize);
            const QByteArray stream = generateStream(random, 6000);
            ServedSession session;
            ASSERT_NO_FATAL_FAILURE(session.open());
            TelnetSetOption(session.handle, kOptionBinary, binary);
            session.server.send(stream);
            session.server.closeConnection();
            QByteArray delivered;
            QByteArray buffer(readSize, '\0');
            int got = 0;
            while ((got = TelnetRead(session.handle, buffer.data(), readSize)) >= 0)
                delivered.append(buffer.constData(), got);
            EXPECT_EQ(TelnetLastError(), kErrClosed);
            EXPECT_EQ(delivered, reference(stream, binary));
        }
    }
}

} // namespace
} // namespace wiretalk::testing
