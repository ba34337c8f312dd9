// Conversion between code page 1252 bytes and Unicode, for the widget boundary only.
#pragma once

#include "platform/AnsiString.h"

#include <QString>

namespace tuvako {

// Every byte 0..255 maps to one Unicode character. The five bytes that code page 1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, as
// Windows does, so that every byte survives a round trip.
QString ToQString(const AnsiString& text);

// Characters outside code page 1252 become "?".
AnsiString FromQString(const QString& text);

}  // namespace tuvako
