#pragma once
// The serial line splitter: takes at most one segment off the front of the receive
// buffer per call. A segment is a line without its carriage return, the text up to and
// with a prompt ">", or the text up to and with the ":" of a password request. Line
// feeds stay in the segments; the reply processor strips them.
#include <QString>
#include <optional>

namespace session {

struct SplitResult
{
    std::optional<QString> segment; // to be handed to the reply processor
    bool sawPrompt = false;         // a ">" was taken off the buffer
};

SplitResult takeSerialSegment(QString &buffer);

} // namespace session
