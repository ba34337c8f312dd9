// Reading fields of a message or of the pending customer by number.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>
#include <vector>

namespace tuvako {

// The fields of a line or record split at "^", counted from 0, empty fields included.
using FieldList = std::vector<AnsiString>;

// Field `index`, or an empty text when the list is shorter. A message that lacks a field the
// terminal reads, or a pending customer cut at 255 characters, reads that field as empty.
inline const AnsiString& FieldOrEmpty(const FieldList& fields, std::size_t index) {
    static const AnsiString empty;
    return index < fields.size() ? fields[index] : empty;
}

}  // namespace tuvako
