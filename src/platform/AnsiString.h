// Single-byte text in code page 1252, the only text type of the terminal's own logic.
#pragma once

#include <string>
#include <string_view>

namespace tuvako {

// Every text the terminal handles is a sequence of code page 1252 bytes; lengths and cuts
// (35, 255) count bytes. Conversion to Unicode happens only at the widget boundary (Cp1252.h).
using AnsiString = std::string;

// The first `maxLength` bytes of `text`: the silent cut of a "short text".
inline AnsiString CutTo(const AnsiString& text, std::size_t maxLength) {
    return text.size() <= maxLength ? text : text.substr(0, maxLength);
}

constexpr std::size_t ShortTextMax = 255;

// `text` without the blanks and control bytes (codes 0 to 32) at either end: the trim that
// settings, endpoint texts and command-line values all get.
inline std::string_view TrimBlanksAndControls(std::string_view text) {
    const auto low = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && low(text.front())) text.remove_prefix(1);
    while (!text.empty() && low(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace tuvako
