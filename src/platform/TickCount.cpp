#include "platform/TickCount.h"

#include <chrono>

namespace tuvako {
namespace {

std::uint32_t MonotonicMilliseconds() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(now.count());
}

std::function<std::uint32_t()>& Source() {
    static std::function<std::uint32_t()> source = MonotonicMilliseconds;
    return source;
}

}  // namespace

std::uint32_t TickCount() {
    return Source()();
}

std::function<std::uint32_t()> SetTickCountSource(std::function<std::uint32_t()> source) {
    auto previous = std::move(Source());
    Source() = source ? std::move(source) : std::function<std::uint32_t()>(MonotonicMilliseconds);
    return previous;
}

}  // namespace tuvako
