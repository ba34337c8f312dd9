#include "app/ConfigValues.h"

#include "app/Texts.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tuvako {
namespace {

// Upper-cases the ASCII letters only, as the settings do; other bytes stay as they are.
AnsiString UpperAscii(AnsiString text) {
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
    return text;
}

}  // namespace

AnsiString SrvNoFromArguments(const std::vector<AnsiString>& arguments,
                              const AnsiString& fallback) {
    const std::size_t optionLength = std::strlen(texts::kSrvNoOption);
    AnsiString srvNo = fallback;
    for (const AnsiString& argument : arguments) {
        if (UpperAscii(argument).find(texts::kSrvNoOption) == AnsiString::npos) continue;
        // The first seven bytes go, wherever the option stood in the argument.
        const AnsiString value(TrimBlanksAndControls(argument.substr(optionLength)));
        if (!value.empty()) srvNo = CutTo(value, ShortTextMax);
    }
    return srvNo;
}

bool IsYes(const AnsiString& text) {
    return UpperAscii(text) == "YES";
}

std::uint32_t TimerIntervalMs(std::int32_t seconds, std::int32_t defaultSeconds) {
    constexpr std::int32_t maxSeconds = std::numeric_limits<std::int32_t>::max() / 1000;
    if (seconds <= 0 || seconds > maxSeconds) seconds = defaultSeconds;
    return std::uint32_t(seconds) * 1000u;
}

}  // namespace tuvako
