// The two-digit check code that guards a choice text on its way to the server.
#pragma once

#include "platform/AnsiString.h"

namespace tuvako {

// XOR of the bytes of `text` from the first one up to and including its first "#", looking
// only at the first 255 bytes, reduced modulo 100 and written as two digits ("00" to "99").
// A text without "#" in its first 255 bytes gives "00".
AnsiString CheckCode(const AnsiString& text);

}  // namespace tuvako
