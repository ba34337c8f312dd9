// Any number of repeating millisecond triggers on a single platform timer.
#pragma once

#include "settings/EComponentError.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tuvako {

class MessageWindow;
class TTimerPool;

TUVAKO_DECLARE_EXCEPTION(ENoTimersAvailable, EComponentError);
TUVAKO_DECLARE_EXCEPTION(ETimerPoolError, EComponentError);
TUVAKO_DECLARE_EXCEPTION(EInvalidTriggerHandle, ETimerPoolError);

// Handler of a trigger: the pool, the trigger's handle, its interval in milliseconds and the
// total time it has measured at its firings, which stops growing at 2147483647.
using TTriggerEvent = std::function<void(TTimerPool* Sender, int Handle, std::uint32_t Interval,
                                         std::int32_t ElapsedTime)>;

// Each trigger has an interval of at least 55 ms, a handler and an enabled flag, and repeats
// until it is disabled or removed. One platform timer on the pool's hidden window serves them
// all: its period is the shortest time until a trigger is due, lowered until it divides every
// interval where it can, and never below 55 ms. At each tick every enabled trigger whose interval
// has passed, or will pass within 27 ms, fires.
//
// Handlers run inside the tick and may add, remove, enable or disable triggers, their own
// included. An exception from a handler ends the tick; the triggers not yet looked at are looked
// at again at the next tick. Destroy the pool from a handler only through deleteLater().
class TTimerPool : public QObject {
public:
    static constexpr std::uint32_t MinInterval = 55;
    // The tick's allowance: a trigger this much short of its interval fires already.
    static constexpr std::uint32_t EarlyFiring = 27;
    // Longer intervals are stored as this: beyond it the tick's arithmetic would take the trigger
    // for due at every tick.
    static constexpr std::uint32_t MaxInterval = 2147483647;

    explicit TTimerPool(QObject* owner = nullptr);
    ~TTimerPool() override;

    // Adds an enabled trigger whose first interval starts now and returns its handle: one more
    // than the largest handle in the pool, 0 for an empty pool.
    int AddTrigger(std::uint32_t interval, TTriggerEvent handler = {});
    void SetTriggerHandler(int handle, TTriggerEvent handler);
    // Enabling a disabled trigger starts its interval afresh; enabling an enabled one changes
    // nothing. Unknown handles raise EInvalidTriggerHandle, here and in SetTriggerHandler.
    void SetTriggerEnabled(int handle, bool enabled);
    // An unknown handle is ignored.
    void RemoveTrigger(int handle);
    void RemoveAllTriggers();

    // Called after each trigger's own handler, with the same arguments.
    void SetOnAllTriggers(TTriggerEvent handler) { onAllTriggers_ = std::move(handler); }

    // The platform timer's period in milliseconds; 0 while it is stopped.
    std::uint32_t TimerPeriod() const { return period_; }
    // The hidden window whose WM_TIMER message (timer id 1) runs the tick. A test may send that
    // message itself instead of waiting for the platform timer.
    MessageWindow& Window() const { return *window_; }

private:
    struct Trigger {
        int handle;
        std::int32_t elapsed;
        std::uint32_t interval;
        std::uint32_t lastFiring;  // tick count at the last firing, addition or enabling
        TTriggerEvent handler;
        bool enabled;
    };

    Trigger& Find(int handle);
    void Changed();
    void CountEnabled();
    void ComputePeriod();
    void SortByInterval();
    void UpdateTimer();
    void Tick();

    std::vector<Trigger> triggers_;
    std::unique_ptr<MessageWindow> window_;
    std::uint32_t period_ = 0;
    int enabledCount_ = 0;
    TTriggerEvent onAllTriggers_;
};

}  // namespace tuvako
