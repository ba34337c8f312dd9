// Pure rules of the start-up configuration: the command-line option, yes/no and timer values.
#pragma once

#include "platform/AnsiString.h"

#include <cstdint>
#include <vector>

namespace tuvako {

// The server number chosen by "/SRVNO=" options (case ignored, found anywhere in an argument,
// value trimmed of blanks and control characters, cut to 255 bytes); a later option wins and an
// empty value is ignored. `fallback` when there is no usable option.
AnsiString SrvNoFromArguments(const std::vector<AnsiString>& arguments, const AnsiString& fallback);

// A yes/no setting is on exactly when its text, upper-cased, is "YES".
bool IsYes(const AnsiString& text);

// The timer interval in milliseconds for a number of seconds from the configuration. Zero or
// negative seconds, or so many that the milliseconds do not fit a signed 32-bit number, would
// make the timer fire at every tick of the pool; such a value gives `defaultSeconds` instead.
std::uint32_t TimerIntervalMs(std::int32_t seconds, std::int32_t defaultSeconds);

}  // namespace tuvako
