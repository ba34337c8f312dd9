// Lines from a byte stream, each ended by CR LF or LF.
#include "InputLines.h"

#include <cstring>

namespace tuvako::wire {

bool InputLines::Next(std::string& line) {
    line.clear();
    while (begin_ < end_ || Refill()) {
        const char* start = buffer_ + begin_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        if (lineFeed == nullptr) {
            line.append(start, end_ - begin_);
            begin_ = end_;
            continue;
        }
        line.append(start, static_cast<std::size_t>(lineFeed - start));
        begin_ += static_cast<std::size_t>(lineFeed - start) + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
    return !line.empty();
}

bool InputLines::Refill() {
    begin_ = 0;
    end_ = std::fread(buffer_, 1, sizeof buffer_, input_);
    return end_ > 0;
}

}  // namespace tuvako::wire
