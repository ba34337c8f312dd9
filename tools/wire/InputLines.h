// Lines from a byte stream, each ended by CR LF or LF.
#pragma once

#include <cstdio>
#include <string>

namespace tuvako::wire {

// Reads a stream in large blocks and hands it out line by line, without the line ends. A CR
// that is not followed by LF belongs to the line. The last line counts even without an end.
class InputLines {
public:
    explicit InputLines(std::FILE* input) : input_(input) {}

    // Puts the next line into `line` (reusing its storage); false at the end of the input or
    // when reading failed (see Failed).
    bool Next(std::string& line);
    bool Failed() const { return std::ferror(input_) != 0; }

private:
    bool Refill();

    std::FILE* input_;
    char buffer_[65536];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace tuvako::wire
