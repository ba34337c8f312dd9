// The built-in pass phrase from which every line's key is derived.
#pragma once

#include <string>

namespace tuvako {

// 28 bytes of code page 1252; the server keys its cipher from the same bytes. The literal is
// split after each accented letter so that a following digit or letter a-f is not read as
// part of its hex escape.
inline const std::string& LinePassPhrase() {
    static const std::string phrase(
        "k7R\xE9"
        "m4T\xDF"
        "2Q\xF8"
        "9wF\xDC"
        "c\xF1#\xF6\xC6"
        "n5&eJ!+D");
    return phrase;
}

}  // namespace tuvako
