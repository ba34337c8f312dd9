// The check code of a choice text.
#include "app/CheckCode.h"

namespace tuvako {

AnsiString CheckCode(const AnsiString& text) {
    const AnsiString::size_type hash = text.find('#');
    unsigned value = 0;
    if (hash != AnsiString::npos && hash < ShortTextMax) {
        for (AnsiString::size_type i = 0; i <= hash; ++i)
            value ^= static_cast<unsigned char>(text[i]);
    }
    value %= 100;
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace tuvako
