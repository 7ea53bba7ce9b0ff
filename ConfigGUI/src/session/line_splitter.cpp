#include "session/line_splitter.h"

namespace session {

namespace {

// Takes the first `count` characters as the segment.
QString takeFront(QString &buffer, qsizetype count)
{
    QString segment = buffer.left(count);
    buffer.remove(0, count);
    return segment;
}

} // namespace

SplitResult takeSerialSegment(QString &buffer)
{
    SplitResult result;
    if (buffer.isEmpty())
        return result;

    const qsizetype cr = buffer.indexOf(QLatin1Char('\r'));
    if (cr == 0) {
        buffer.remove(0, 1);
        return result;
    }
    if (cr > 0) {
        result.segment = takeFront(buffer, cr);
        buffer.remove(0, 1);
        return result;
    }

    if (buffer.toUpper().contains(QLatin1String("PASSWORD"))) {
        const qsizetype colon = buffer.indexOf(QLatin1Char(':'));
        if (colon == 0) {
            buffer.remove(0, 1);
            return result;
        }
        if (colon > 0) {
            result.segment = takeFront(buffer, colon + 1);
            return result;
        }
    }

    const qsizetype prompt = buffer.indexOf(QLatin1Char('>'));
    if (prompt < 0)
        return result;
    result.sawPrompt = true;
    if (prompt == 0) {
        buffer.remove(0, 1);
        return result;
    }
    result.segment = takeFront(buffer, prompt + 1);
    return result;
}

} // namespace session
