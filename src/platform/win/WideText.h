// Paths and other system texts between the UTF-8 that the code above the platform layer holds
// and the UTF-16 of the wide Win32 calls.
#pragma once

#include "platform/AnsiString.h"

#include <string>
#include <string_view>

namespace tuvako {

// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::wstring Widen(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
AnsiString Narrow(std::wstring_view wide);

}  // namespace tuvako
