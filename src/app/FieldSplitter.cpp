#include "app/FieldSplitter.h"

namespace tuvako {

void TFieldSplitter::Split() {
    stringList_.clear();
    const auto keep = [this](AnsiString field) {
        if (!field.empty() || allowEmptyString_) stringList_.push_back(std::move(field));
    };
    // An empty separator is never found; searching for it would match at every position.
    if (breakString_.empty()) {
        keep(baseString_);
        return;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = baseString_.find(breakString_, start);
        if (found == AnsiString::npos) {
            keep(baseString_.substr(start));
            return;
        }
        keep(baseString_.substr(start, found - start));
        start = found + breakString_.size();
    }
}

}  // namespace tuvako
