// A test clock for TickCount(): installed for its lifetime, moved only by Advance().
#pragma once

#include "platform/TickCount.h"

#include <cstdint>

namespace tuvako::test {

class FakeTickClock {
public:
    explicit FakeTickClock(std::uint32_t start = 1000)
        : now_(start), previous_(SetTickCountSource([this] { return now_; })) {}
    ~FakeTickClock() { SetTickCountSource(std::move(previous_)); }

    FakeTickClock(const FakeTickClock&) = delete;
    FakeTickClock& operator=(const FakeTickClock&) = delete;

    void Advance(std::uint32_t milliseconds) { now_ += milliseconds; }
    void Set(std::uint32_t now) { now_ = now; }
    std::uint32_t Now() const { return now_; }

private:
    std::uint32_t now_;
    std::function<std::uint32_t()> previous_;
};

}  // namespace tuvako::test
