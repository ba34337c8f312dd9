#include "settings/TTimerPool.h"

#include "platform/MessageWindow.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tuvako {
namespace {

constexpr std::uintptr_t kTimerId = 1;
constexpr std::int64_t kMaxElapsed = std::numeric_limits<std::int32_t>::max();

}  // namespace

TTimerPool::TTimerPool(QObject* owner)
    : QObject(owner),
      window_(std::make_unique<MessageWindow>([this](std::uint32_t msg, auto, auto) {
          if (msg == WM_TIMER) Tick();
      })) {}

TTimerPool::~TTimerPool() {
    period_ = 0;
    window_->KillTimer(kTimerId);
    triggers_.clear();
}

int TTimerPool::AddTrigger(std::uint32_t interval, TTriggerEvent handler) {
    int handle = 0;
    for (const Trigger& trigger : triggers_) handle = std::max(handle, trigger.handle + 1);
    triggers_.push_back(Trigger{handle, 0, std::clamp(interval, MinInterval, MaxInterval),
                                TickCount(), std::move(handler), true});
    CountEnabled();
    ComputePeriod();
    SortByInterval();
    UpdateTimer();
    return handle;
}

void TTimerPool::SetTriggerHandler(int handle, TTriggerEvent handler) {
    Find(handle).handler = std::move(handler);
}

void TTimerPool::SetTriggerEnabled(int handle, bool enabled) {
    Trigger& trigger = Find(handle);
    if (trigger.enabled == enabled) return;
    trigger.enabled = enabled;
    if (enabled) trigger.lastFiring = TickCount();
    Changed();
}

void TTimerPool::RemoveTrigger(int handle) {
    const auto found = std::find_if(triggers_.begin(), triggers_.end(),
                                    [handle](const Trigger& t) { return t.handle == handle; });
    if (found == triggers_.end()) return;
    triggers_.erase(found);
    Changed();
}

void TTimerPool::RemoveAllTriggers() {
    triggers_.clear();
    enabledCount_ = 0;
    period_ = 0;
    UpdateTimer();
}

TTimerPool::Trigger& TTimerPool::Find(int handle) {
    for (Trigger& trigger : triggers_)
        if (trigger.handle == handle) return trigger;
    throw EInvalidTriggerHandle("Invalid trigger handle");
}

void TTimerPool::Changed() {
    CountEnabled();
    ComputePeriod();
    UpdateTimer();
}

void TTimerPool::CountEnabled() {
    enabledCount_ = int(std::count_if(triggers_.begin(), triggers_.end(),
                                      [](const Trigger& t) { return t.enabled; }));
}

// The shortest time until an enabled trigger is due (at least 55 ms), then lowered until it
// divides the interval of every trigger, enabled or not, or reaches 55 ms.
void TTimerPool::ComputePeriod() {
    if (enabledCount_ == 0) {
        period_ = 0;
        return;
    }
    const std::uint32_t now = TickCount();
    std::int64_t shortest = std::numeric_limits<std::uint32_t>::max();
    for (const Trigger& trigger : triggers_) {
        if (!trigger.enabled) continue;
        // Tick counts compare as signed numbers here, as they always have: a trigger whose last
        // firing seems to lie ahead counts as overdue.
        const std::int32_t since = std::int32_t(now - trigger.lastFiring);
        const bool overdue = since > std::int64_t(trigger.interval) ||
                             std::int32_t(now) < std::int32_t(trigger.lastFiring);
        shortest = std::min(shortest, overdue ? 0 : std::int64_t(trigger.interval) - since);
    }
    auto candidate = std::uint32_t(std::max<std::int64_t>(shortest, MinInterval));
    for (auto it = triggers_.begin(); it != triggers_.end() && candidate > MinInterval;) {
        const std::uint32_t remainder = it->interval % candidate;
        if (remainder == 0) {
            ++it;
            continue;
        }
        candidate -= remainder;
        it = triggers_.begin();
    }
    period_ = std::max(candidate, MinInterval);
}

// A bubble sort: triggers of equal interval keep the order in which they were added.
void TTimerPool::SortByInterval() {
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (std::size_t i = 0; i + 1 < triggers_.size(); ++i) {
            if (triggers_[i].interval > triggers_[i + 1].interval) {
                std::swap(triggers_[i], triggers_[i + 1]);
                exchanged = true;
            }
        }
    }
}

// Every update restarts the platform timer's count from now.
void TTimerPool::UpdateTimer() {
    window_->KillTimer(kTimerId);
    if (period_ != 0 && enabledCount_ > 0 && !window_->SetTimer(kTimerId, period_))
        throw ENoTimersAvailable("No Window's timers are available");
}

void TTimerPool::Tick() {
    const std::uint32_t now = TickCount();
    // A handler may change the list: its length is read afresh and no reference into it is
    // held across a handler.
    for (std::size_t i = 0; i < triggers_.size(); ++i) {
        Trigger& trigger = triggers_[i];
        const std::uint32_t measured = now - trigger.lastFiring;
        if (!trigger.enabled || measured < trigger.interval - EarlyFiring) continue;
        trigger.lastFiring = now;
        trigger.elapsed =
            std::int32_t(std::min(trigger.elapsed + std::int64_t(measured), kMaxElapsed));
        const int handle = trigger.handle;
        const std::uint32_t interval = trigger.interval;
        const std::int32_t elapsed = trigger.elapsed;
        if (const TTriggerEvent handler = trigger.handler) handler(this, handle, interval, elapsed);
        if (const TTriggerEvent all = onAllTriggers_) all(this, handle, interval, elapsed);
    }
}

}  // namespace tuvako
