#include "platform/Cp1252.h"

#include <array>
#include <unordered_map>

namespace tuvako {
namespace {

// Bytes 0x80..0x9F; the rest of the code page is identical to Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char16_t UnicodeOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t(byte);
}

// Reverse map for the 27 characters of 0x80..0x9F that are not Latin-1, built once.
const std::unordered_map<char16_t, char>& HighReverse() {
    static const std::unordered_map<char16_t, char> reverse = [] {
        std::unordered_map<char16_t, char> map;
        for (unsigned byte = 0x80; byte <= 0x9F; ++byte)
            map.emplace(kHighControls[byte - 0x80], char(byte));
        return map;
    }();
    return reverse;
}

}  // namespace

QString ToQString(const AnsiString& text) {
    QString result(qsizetype(text.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < text.size(); ++i)
        result[qsizetype(i)] = QChar(UnicodeOf(static_cast<unsigned char>(text[i])));
    return result;
}

AnsiString FromQString(const QString& text) {
    AnsiString result;
    result.reserve(std::size_t(text.size()));
    for (QChar ch : text) {
        const char16_t code = ch.unicode();
        const auto high = HighReverse().find(code);
        if (high != HighReverse().end())
            result += high->second;
        else if (code < 0x100 && !(code >= 0x80 && code <= 0x9F))
            result += char(code);
        else
            result += '?';
    }
    return result;
}

}  // namespace tuvako
