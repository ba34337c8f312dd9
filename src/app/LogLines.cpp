#include "app/LogLines.h"

#include <algorithm>

namespace tuvako {

LogLines::LogLines() : slots_(kMostLines) {}

void LogLines::Add(std::string_view stamp, std::string_view text) {
    if (count_ > kTrimAbove) {
        first_ = (first_ + kTrimCount) % kMostLines;
        count_ -= kTrimCount;
    }
    AnsiString& line = slots_[(first_ + count_) % kMostLines];
    line.assign(stamp);
    line += "> ";
    AppendShown(line, text);
    ++count_;
    ++added_;
}

void LogLines::Clear() {
    first_ = 0;
    count_ = 0;
}

const AnsiString& LogLines::Line(std::size_t index) const {
    return slots_[(first_ + index) % kMostLines];
}

void LogLines::AppendShown(AnsiString& out, std::string_view text) {
    const auto isControl = [](char ch) { return static_cast<unsigned char>(ch) < 32; };
    auto from = text.begin();
    while (from != text.end()) {
        // Plain bytes go over in runs; only the rare control byte is written one at a time.
        const auto control = std::find_if(from, text.end(), isControl);
        out.append(from, control);
        if (control == text.end()) break;
        const auto byte = static_cast<unsigned char>(*control);
        out += '[';
        if (byte >= 10) out += char('0' + byte / 10);
        out += char('0' + byte % 10);
        out += ']';
        from = control + 1;
    }
}

}  // namespace tuvako
