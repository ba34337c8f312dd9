// Signed 32-bit integers as decimal text, the way the settings files hold them.
#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tuvako {

// The value of an optional sign followed by decimal digits and nothing else, or nothing when
// the text is no such number or lies outside the signed 32-bit range.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// `text` as an integer, or `fallback` when it is not one.
inline std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
    return ParseInteger(text).value_or(fallback);
}

inline AnsiString IntToStr(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace tuvako
