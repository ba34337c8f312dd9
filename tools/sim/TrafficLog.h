// The simulator's output: one time-stamped line per event, flushed at once.
#pragma once

#include "platform/AnsiString.h"

#include <cstdio>
#include <string>

namespace tuvako::sim {

class TrafficLog {
public:
    explicit TrafficLog(std::FILE* out = stdout) : out_(out) {}

    // Writes "hh:mm:ss.zzz " and the UTF-8 text as one line.
    void Line(const std::string& utf8Text);

    // A code page 1252 text as UTF-8 for the log: control bytes as "[13]", and a text longer
    // than `maxBytes` cut there with the whole length after it, so that a megabyte line or a
    // burst does not flood the output.
    static std::string Printable(const AnsiString& text, std::size_t maxBytes = 400);
    // "#N", how the log names connection N.
    static std::string Tag(int connectionId);

private:
    std::FILE* out_;
};

}  // namespace tuvako::sim
