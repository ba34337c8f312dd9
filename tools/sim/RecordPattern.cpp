#include "sim/RecordPattern.h"

namespace tuvako::sim {

RecordPattern::RecordPattern(const AnsiString& pattern) : text_(pattern) {
    AnsiString piece;
    bool star = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\' && i + 1 < pattern.size() && pattern[i + 1] == '*') {
            piece += '*';
            ++i;
        } else if (pattern[i] == '*') {
            if (pieces_.empty() && piece.empty()) anchoredStart_ = false;
            if (!piece.empty() || pieces_.empty()) pieces_.push_back(piece);
            piece.clear();
            star = true;
        } else {
            piece += pattern[i];
            star = false;
        }
    }
    anchoredEnd_ = !star;
    pieces_.push_back(piece);
}

// The pieces are matched greedily from the left, each at its first place after the one
// before; the last piece must end the record unless the pattern ends in a star. This is
// linear in the record for each piece and never backtracks, which is exact for star patterns.
bool RecordPattern::Matches(const AnsiString& record) const {
    if (pieces_.size() == 1 && anchoredStart_ && anchoredEnd_) return record == pieces_[0];
    std::size_t position = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const AnsiString& piece = pieces_[i];
        const bool first = i == 0, last = i + 1 == pieces_.size();
        if (first && anchoredStart_) {
            if (record.compare(0, piece.size(), piece) != 0) return false;
            position = piece.size();
        } else if (last && anchoredEnd_) {
            if (record.size() < position + piece.size()) return false;
            return record.compare(record.size() - piece.size(), piece.size(), piece) == 0;
        } else {
            const std::size_t found = record.find(piece, position);
            if (found == AnsiString::npos) return false;
            position = found + piece.size();
        }
    }
    return true;
}

}  // namespace tuvako::sim
