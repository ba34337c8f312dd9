// Cuts the byte stream from a terminal into lines ending in CR LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tuvako::sim {

class LineSplitter {
public:
    using LineHandler = std::function<void(const std::string& line)>;

    // A run longer than `maxLine` bytes without CR LF is dropped (and counted), so that a
    // runaway peer cannot make the simulator hold unbounded memory.
    explicit LineSplitter(std::size_t maxLine = 1024 * 1024) : maxLine_(maxLine) {}

    // Appends bytes and hands every complete line, without its CR LF, to `onLine`, in order.
    void Feed(const char* data, std::size_t size, const LineHandler& onLine);

    // The bytes held after the last CR LF (at the end of a connection); empties the splitter.
    std::string TakeRest();

    std::size_t DroppedRuns() const { return droppedRuns_; }

private:
    std::size_t maxLine_;
    std::string buffer_;
    std::size_t scanned_ = 0;  // bytes of buffer_ already searched for a CR LF
    std::size_t droppedRuns_ = 0;
};

}  // namespace tuvako::sim
