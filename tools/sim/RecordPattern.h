// A pattern for received records: "*" stands for any run of bytes, "\*" for a star.
#pragma once

#include "platform/AnsiString.h"

#include <vector>

namespace tuvako::sim {

class RecordPattern {
public:
    explicit RecordPattern(const AnsiString& pattern);

    bool Matches(const AnsiString& record) const;
    const AnsiString& Text() const { return text_; }

private:
    AnsiString text_;
    std::vector<AnsiString> pieces_;  // the literal runs between the stars
    bool anchoredStart_ = true;
    bool anchoredEnd_ = true;
};

}  // namespace tuvako::sim
