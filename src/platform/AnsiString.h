// Single-byte text in code page 1252, the only text type of the terminal's own logic.
#pragma once

#include <string>

namespace tuvako {

// Every text the terminal handles is a sequence of code page 1252 bytes; lengths and cuts
// (35, 255) count bytes. Conversion to Unicode happens only at the widget boundary (Cp1252.h).
using AnsiString = std::string;

// The first `maxLength` bytes of `text`: the silent cut of a "short text".
inline AnsiString CutTo(const AnsiString& text, std::size_t maxLength)
{
    return text.size() <= maxLength ? text : text.substr(0, maxLength);
}

constexpr std::size_t ShortTextMax = 255;

}  // namespace tuvako
