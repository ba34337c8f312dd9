#include "sim/LineSplitter.h"

#include <vector>

namespace tuvako::sim {

void LineSplitter::Feed(const char* data, std::size_t size, const LineHandler& onLine) {
    buffer_.append(data, size);
    std::size_t lineStart = 0;
    // A CR at the end of the bytes searched earlier may meet its LF in the new bytes.
    std::size_t search = scanned_ > 0 ? scanned_ - 1 : 0;
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t cr = buffer_.find("\r\n", search);
        if (cr == std::string::npos) break;
        lines.push_back(buffer_.substr(lineStart, cr - lineStart));
        lineStart = cr + 2;
        search = lineStart;
    }
    buffer_.erase(0, lineStart);
    scanned_ = buffer_.size();
    if (buffer_.size() > maxLine_) {
        buffer_.clear();
        scanned_ = 0;
        ++droppedRuns_;
    }
    // The handler may end the connection and take the rest: the splitter is consistent now.
    for (const std::string& line : lines) onLine(line);
}

std::string LineSplitter::TakeRest() {
    std::string rest;
    rest.swap(buffer_);
    scanned_ = 0;
    return rest;
}

}  // namespace tuvako::sim
