// Milliseconds since an arbitrary start, wrapping at 32 bits, with a replaceable source.
#pragma once

#include <cstdint>
#include <functional>

namespace tuvako {

// Milliseconds from a monotonic clock, as a 32-bit count that wraps after 49.7 days.
std::uint32_t TickCount();

// The operating system's own count: GetTickCount on Windows, a monotonic clock elsewhere.
std::uint32_t SystemTickCount();

// Installs another source of TickCount() (a test clock); an empty function restores the real
// clock. Returns the source that was in place.
std::function<std::uint32_t()> SetTickCountSource(std::function<std::uint32_t()> source);

}  // namespace tuvako
