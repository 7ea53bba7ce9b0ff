// Emulation engine: interprets host output (text, control characters and escape
// sequences) and applies it to a screen. The parser state lives in the screen, so a
// sequence may be split across calls. Nothing is ever sent back to the host.
#pragma once

#include <cstddef>

namespace glyphterm {

// Interprets `length` bytes; returns 1, or 0 for an invalid handle.
int TermWrite(int handle, const char *bytes, std::size_t length);

} // namespace glyphterm
