#include "settings/IntegerText.h"

#include <charconv>

namespace tuvako {

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    // from_chars takes a minus sign but no plus sign; a plus sign before a minus is no number.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace tuvako
