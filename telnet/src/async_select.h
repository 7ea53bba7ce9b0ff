// Asynchronous notification of the built-in socket library: per registered socket, Qt
// socket notifiers that post one-shot notifications to a NotifyWindow.
//  - connect: the first writability after a non-blocking connect, SO_ERROR mapped;
//  - read: posted on readability, then armed again only by the next receive;
//  - write: once after the connection completes, then again only after a send that
//    would have blocked or sent only part of its bytes;
//  - close: readability where a peek finds the end of the stream (or an error), once.
#pragma once

class QObject;

namespace wiretalk::async_select {

// Registers (window non-null, events non-zero) or cancels notification for a socket.
// The calling thread needs a Qt event dispatcher. 0, or -1 with the socket error set.
int Register(int socket, QObject *window, unsigned message, long events);
// Hooks of the built-in entry points, so notifiers follow the socket's life.
void ConnectStarted(int socket, bool completedAtOnce);
void Received(int socket);
void SendBlocked(int socket);
void Closing(int socket);

} // namespace wiretalk::async_select
