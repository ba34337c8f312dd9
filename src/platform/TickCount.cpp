#include "platform/TickCount.h"

namespace tuvako {
namespace {

std::function<std::uint32_t()>& Source() {
    static std::function<std::uint32_t()> source = SystemTickCount;
    return source;
}

}  // namespace

std::uint32_t TickCount() {
    return Source()();
}

std::function<std::uint32_t()> SetTickCountSource(std::function<std::uint32_t()> source) {
    auto previous = std::move(Source());
    Source() = source ? std::move(source) : std::function<std::uint32_t()>(SystemTickCount);
    return previous;
}

}  // namespace tuvako
