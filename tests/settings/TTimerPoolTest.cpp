#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "settings/TTimerPool.h"
#include "support/FakeTickClock.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QAbstractEventDispatcher>
#include <QTest>

#include <vector>

namespace tuvako {
namespace {

TUVAKO_DECLARE_EXCEPTION(EHandlerFailed, Exception);

struct Firing {
    int handle;
    std::uint32_t interval;
    std::int32_t elapsed;
    bool operator==(const Firing&) const = default;
};
using Firings = std::vector<Firing>;

class TTimerPoolTest : public ::testing::Test {
protected:
    TTriggerEvent Record() {
        return
            [this](TTimerPool* sender, int handle, std::uint32_t interval, std::int32_t elapsed) {
                EXPECT_EQ(sender, &pool);
                fired.push_back({handle, interval, elapsed});
            };
    }
    // Moves the clock, then delivers the platform timer's message as if the period had passed.
    void TickAfter(std::uint32_t ms) {
        clock.Advance(ms);
        pool.Window().SendMessage(WM_TIMER, 1, 0);
    }
    // The periods of the timers that the event loop really holds for the pool.
    std::vector<int> PlatformTimers() const {
        std::vector<int> periods;
        for (const auto& timer :
             QAbstractEventDispatcher::instance()->registeredTimers(&pool.Window()))
            periods.push_back(timer.interval);
        return periods;
    }

    test::FakeTickClock clock;
    TTimerPool pool;
    Firings fired;
};

TEST_F(TTimerPoolTest, HandlesFollowTheLargestHandleAndUnknownHandlesAreRefused) {
    EXPECT_EQ(pool.AddTrigger(1000), 0);
    EXPECT_EQ(pool.AddTrigger(1000), 1);
    pool.RemoveTrigger(1);
    EXPECT_EQ(pool.AddTrigger(1000), 1);
    pool.RemoveTrigger(0);
    EXPECT_EQ(pool.AddTrigger(1000), 2);
    pool.RemoveTrigger(99);  // ignored
    EXPECT_THROW(pool.SetTriggerEnabled(99, false), EInvalidTriggerHandle);
    EXPECT_THROW(pool.SetTriggerHandler(0, Record()), ETimerPoolError);
}

TEST_F(TTimerPoolTest, ThePeriodDividesEveryIntervalNeverDropsBelow55AndStopsWhenIdle) {
    pool.AddTrigger(180000);
    const int handle = pool.AddTrigger(60000);
    EXPECT_EQ(pool.TimerPeriod(), 60000u);
    EXPECT_EQ(PlatformTimers(), std::vector<int>{60000});
    pool.RemoveTrigger(0);
    pool.SetTriggerEnabled(handle, false);
    EXPECT_EQ(pool.TimerPeriod(), 0u);
    EXPECT_TRUE(PlatformTimers().empty());

    pool.RemoveAllTriggers();
    pool.AddTrigger(1009);
    pool.AddTrigger(1013);
    EXPECT_EQ(pool.TimerPeriod(), 55u);

    // The shortest remaining time (600 ms) is lowered until it divides 1000 and 5000.
    pool.RemoveAllTriggers();
    pool.AddTrigger(1000);
    clock.Advance(400);
    pool.AddTrigger(5000);
    EXPECT_EQ(pool.TimerPeriod(), 200u);
}

TEST_F(TTimerPoolTest, IntervalsAreKeptBetween55And2147483647AndSoIsTheTotalElapsed) {
    const int tiny = pool.AddTrigger(0, Record());
    const int huge = pool.AddTrigger(std::uint32_t(-60 * 1000), Record());  // -60 s from a config
    TickAfter(55);
    TickAfter(55);
    EXPECT_EQ(fired, (Firings{{tiny, 55, 55}, {tiny, 55, 110}}));
    pool.RemoveTrigger(tiny);
    constexpr auto max = TTimerPool::MaxInterval;
    TickAfter(max - 110);
    TickAfter(max);
    EXPECT_EQ(fired.size(), 4u);
    EXPECT_EQ(fired.back(), (Firing{huge, max, std::int32_t(max)}));
}

TEST_F(TTimerPoolTest, ATriggerFiresUpTo27MsEarlyAndTheNextIsDueFromThatFiring) {
    pool.AddTrigger(1000, Record());
    TickAfter(972);
    EXPECT_TRUE(fired.empty());
    TickAfter(1);
    TickAfter(972);
    TickAfter(1);
    EXPECT_EQ(fired, (Firings{{0, 1000, 973}, {0, 1000, 1946}}));
}

TEST_F(TTimerPoolTest, EnablingAnEnabledTriggerKeepsItsScheduleAndReEnablingRestartsIt) {
    const int handle = pool.AddTrigger(1000, Record());
    clock.Advance(900);
    pool.SetTriggerEnabled(handle, true);
    TickAfter(100);
    clock.Advance(900);
    pool.SetTriggerEnabled(handle, false);
    pool.SetTriggerEnabled(handle, true);
    TickAfter(100);
    EXPECT_EQ(fired.size(), 1u);
    TickAfter(900);
    EXPECT_EQ(fired, (Firings{{handle, 1000, 1000}, {handle, 1000, 2000}}));
}

TEST_F(TTimerPoolTest, TriggersFireInOrderOfIntervalAndEqualIntervalsInOrderOfAddition) {
    std::vector<int> all;
    pool.SetOnAllTriggers([&](TTimerPool*, int handle, auto, auto) { all.push_back(handle); });
    pool.AddTrigger(1000, Record());
    pool.AddTrigger(500, Record());
    pool.AddTrigger(1000, Record());
    pool.AddTrigger(200);  // no handler of its own
    TickAfter(1000);
    EXPECT_EQ(fired, (Firings{{1, 500, 1000}, {0, 1000, 1000}, {2, 1000, 1000}}));
    EXPECT_EQ(all, (std::vector<int>{3, 1, 0, 2}));
}

TEST_F(TTimerPoolTest, HandlersMayChangeThePoolInsideATick) {
    int added = -1;
    const int self = pool.AddTrigger(100);
    const int victim = pool.AddTrigger(200, Record());
    pool.SetTriggerHandler(self, [&](TTimerPool* sender, int handle, auto, auto) {
        fired.push_back({handle, 0, 0});
        sender->SetTriggerEnabled(handle, false);
        sender->RemoveTrigger(victim);
        added = sender->AddTrigger(300, Record());
    });
    TickAfter(200);
    TickAfter(300);
    EXPECT_EQ(fired, (Firings{{self, 0, 0}, {added, 300, 300}}));

    pool.SetTriggerEnabled(self, true);
    pool.SetTriggerHandler(self, [](TTimerPool* sender, auto...) {
        sender->RemoveAllTriggers();  // the handler running now goes as well
    });
    TickAfter(300);
    EXPECT_EQ(pool.TimerPeriod(), 0u);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(TTimerPoolTest, AThrowingHandlerLeavesTheRestOfTheTickToTheNextTick) {
    std::vector<AnsiString> reports;
    auto previous = ExceptionReporter::SetSink([&](const AnsiString& r) { reports.push_back(r); });
    pool.AddTrigger(500, [](auto...) { throw EHandlerFailed("handler failed"); });
    pool.AddTrigger(1000, Record());
    TickAfter(1000);
    EXPECT_TRUE(fired.empty());
    TickAfter(0);  // the failing trigger is not due again; the other one now gets its turn
    ExceptionReporter::SetSink(previous);
    EXPECT_EQ(fired, (Firings{{1, 1000, 1000}}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("EHandlerFailed: handler failed"), AnsiString::npos);
}

TEST(TTimerPoolPlatform, ThePlatformTimerDrivesTheTicks) {
    TTimerPool pool;
    int ticks = 0;
    pool.AddTrigger(55, [&](auto...) { ++ticks; });
    ASSERT_TRUE(test::WaitUntil([&] { return ticks >= 2; }, 5000));
}

}  // namespace
}  // namespace tuvako
