// LogLines: the last lines of the log, kept apart from the text box that shows them.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tuvako {

// Holds at most 401 lines, oldest first. A line added while more than 400 are held first
// drops the 50 oldest, so the store runs from 401 down to 352 lines and up again. Lines live
// in a fixed ring of slots that are reused: once each slot has held a line as long as the
// ones that come, adding a line allocates nothing.
class LogLines {
public:
    static constexpr std::size_t kTrimAbove = 400;
    static constexpr std::size_t kTrimCount = 50;
    static constexpr std::size_t kMostLines = kTrimAbove + 1;

    LogLines();

    // Appends the line stamp, "> ", then the text as AppendShown writes it.
    void Add(std::string_view stamp, std::string_view text);
    void Clear();

    std::size_t Count() const { return count_; }
    // Line `index`, 0 being the oldest held.
    const AnsiString& Line(std::size_t index) const;
    const AnsiString& Last() const { return Line(count_ - 1); }
    // How many lines were ever added; neither trimming nor Clear lowers it. A view that keeps
    // the value of its last update knows how many of the newest lines it lacks.
    std::uint64_t Added() const { return added_; }

    // Appends `text` to `out` with every byte below 32 written as "[" decimal "]"; all other
    // bytes, 128 and above too, are copied as they are.
    static void AppendShown(AnsiString& out, std::string_view text);

private:
    std::vector<AnsiString> slots_;
    std::size_t first_ = 0;  // slot of the oldest line
    std::size_t count_ = 0;
    std::uint64_t added_ = 0;
};

}  // namespace tuvako
