// TFieldSplitter: cuts a text into fields at a separator of any length.
#pragma once

#include "platform/AnsiString.h"

#include <vector>

namespace tuvako {

// Set `BaseString` and `BreakString`, call Split(), read `StringList`. Fields are found left
// to right without overlapping; with `AllowEmptyString` a text with n separators gives n + 1
// fields, otherwise the empty ones are left out. An empty separator is never found, so the
// whole text is one field.
class TFieldSplitter {
public:
    using TStringList = std::vector<AnsiString>;

    const AnsiString& BreakString() const { return breakString_; }
    void SetBreakString(const AnsiString& value) { breakString_ = value; }

    const AnsiString& BaseString() const { return baseString_; }
    void SetBaseString(const AnsiString& value) { baseString_ = value; }

    void SetAllowEmptyString(bool value) { allowEmptyString_ = value; }

    // The result of the last Split(); callers may also fill it themselves.
    const TStringList& StringList() const { return stringList_; }
    TStringList& StringList() { return stringList_; }

    // Replaces the contents of StringList with the fields of BaseString cut at BreakString.
    void Split();

private:
    AnsiString breakString_;
    AnsiString baseString_;
    bool allowEmptyString_ = false;
    TStringList stringList_;
};

}  // namespace tuvako
