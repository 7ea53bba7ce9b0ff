// How cell characters become glyphs. Qt fonts carry no character set: the face named
// "Terminal" (the control's default font) stands in for an OEM-charset font; any other
// face counts as a font of the system's 8-bit code page.
#pragma once

#include <QChar>
#include <QFont>

#include <cstdint>

namespace glyphterm {

bool isOemFont(const QFont &font);

// The code drawn for a cell: the graphics translation (OEM fonts only) and the UK
// pound sign applied.
std::uint8_t displayCode(std::uint8_t character, std::uint16_t attribute, bool oemFont);

// The character for a code: code page 437 for an OEM font, Latin-1 otherwise.
QChar glyphFor(std::uint8_t code, bool oemFont);

} // namespace glyphterm
