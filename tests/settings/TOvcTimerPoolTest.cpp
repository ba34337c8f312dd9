#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "settings/TOvcTimerPool.h"
#include "support/FakeTickClock.h"

#include <gtest/gtest.h>
#include <QAbstractEventDispatcher>
#include <QTest>

#include <thread>
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

class TOvcTimerPoolTest : public ::testing::Test {
protected:
    TTriggerEvent Record() {
        return [this](TOvcTimerPool* sender, int handle, std::uint32_t interval,
                      std::int32_t elapsed) {
            EXPECT_EQ(sender, &pool);
            fired.push_back({handle, interval, elapsed});
        };
    }
    // Delivers the platform timer's message at once, as if the period had passed.
    void Tick() { pool.Window().SendMessage(WM_TIMER, 1, 0); }
    std::vector<int> FiredHandles() const {
        std::vector<int> handles;
        for (const Firing& f : fired) handles.push_back(f.handle);
        return handles;
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
    TOvcTimerPool pool;
    std::vector<Firing> fired;
};

TEST_F(TOvcTimerPoolTest, HandlesFollowTheLargestHandleAndUnknownHandlesAreRefused) {
    EXPECT_EQ(pool.AddTrigger(1000), 0);
    EXPECT_EQ(pool.AddTrigger(1000), 1);
    pool.RemoveTrigger(1);
    EXPECT_EQ(pool.AddTrigger(1000), 1);
    pool.RemoveTrigger(0);
    EXPECT_EQ(pool.AddTrigger(1000), 2);

    pool.RemoveTrigger(99);  // ignored
    try {
        pool.SetTriggerEnabled(99, false);
        FAIL() << "an unknown handle must be refused";
    } catch (const EInvalidTriggerHandle& error) {
        EXPECT_EQ(error.Message(), "Invalid trigger handle");
    }
    EXPECT_THROW(pool.SetTriggerHandler(0, Record()), ETimerPoolError);
}

TEST_F(TOvcTimerPoolTest, ThePeriodDividesEveryIntervalAndNeverDropsBelow55) {
    pool.AddTrigger(180000);
    pool.AddTrigger(60000);
    EXPECT_EQ(pool.TimerPeriod(), 60000u);
    EXPECT_EQ(PlatformTimers(), std::vector<int>{60000});

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

TEST_F(TOvcTimerPoolTest, ShortIntervalsAreRaisedTo55AndHugeOnesDoNotFireAtEveryTick) {
    const int tiny = pool.AddTrigger(0, Record());
    const int huge = pool.AddTrigger(std::uint32_t(-60 * 1000), Record());  // -60 s from a config
    clock.Advance(55);
    Tick();
    clock.Advance(55);
    Tick();
    EXPECT_EQ(fired, (std::vector<Firing>{{tiny, 55, 55}, {tiny, 55, 110}}));
    pool.RemoveTrigger(tiny);
    clock.Advance(TOvcTimerPool::MaxInterval - 110);
    Tick();
    EXPECT_EQ(fired.back(), (Firing{huge, TOvcTimerPool::MaxInterval, TOvcTimerPool::MaxInterval}));
}

TEST_F(TOvcTimerPoolTest, WithNoTriggerEnabledThePlatformTimerStops) {
    const int handle = pool.AddTrigger(1000);
    pool.SetTriggerEnabled(handle, false);
    EXPECT_EQ(pool.TimerPeriod(), 0u);
    EXPECT_TRUE(PlatformTimers().empty());
    pool.SetTriggerEnabled(handle, true);
    EXPECT_EQ(PlatformTimers(), std::vector<int>{1000});
    pool.RemoveTrigger(handle);
    EXPECT_TRUE(PlatformTimers().empty());
}

TEST_F(TOvcTimerPoolTest, ATriggerFiresUpTo27MsBeforeItsIntervalHasPassed) {
    pool.AddTrigger(1000, Record());
    clock.Advance(972);
    Tick();
    EXPECT_TRUE(fired.empty());
    clock.Advance(1);
    Tick();
    clock.Advance(972);
    Tick();
    clock.Advance(1);
    Tick();
    EXPECT_EQ(fired, (std::vector<Firing>{{0, 1000, 973}, {0, 1000, 1946}}));
}

TEST_F(TOvcTimerPoolTest, EnablingAnEnabledTriggerKeepsItsScheduleAndReEnablingRestartsIt) {
    const int handle = pool.AddTrigger(1000, Record());
    clock.Advance(900);
    pool.SetTriggerEnabled(handle, true);
    clock.Advance(100);
    Tick();
    ASSERT_EQ(fired.size(), 1u);

    clock.Advance(900);
    pool.SetTriggerEnabled(handle, false);
    pool.SetTriggerEnabled(handle, true);
    clock.Advance(100);
    Tick();
    EXPECT_EQ(fired.size(), 1u);
    clock.Advance(900);
    Tick();
    EXPECT_EQ(fired, (std::vector<Firing>{{handle, 1000, 1000}, {handle, 1000, 2000}}));
}

TEST_F(TOvcTimerPoolTest, TotalElapsedStopsAt2147483647) {
    pool.AddTrigger(2000000000, Record());
    clock.Advance(2000000000);
    Tick();
    clock.Advance(2000000000);
    Tick();
    EXPECT_EQ(fired.back().elapsed, 2147483647);
}

TEST_F(TOvcTimerPoolTest, TriggersFireInOrderOfIntervalAndEqualIntervalsInOrderOfAddition) {
    std::vector<int> all;
    pool.SetOnAllTriggers([&](TOvcTimerPool*, int handle, auto, auto) { all.push_back(handle); });
    pool.AddTrigger(1000, Record());
    pool.AddTrigger(500, Record());
    pool.AddTrigger(1000, Record());
    pool.AddTrigger(200);  // no handler of its own
    clock.Advance(1000);
    Tick();
    EXPECT_EQ(FiredHandles(), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(all, (std::vector<int>{3, 1, 0, 2}));
}

TEST_F(TOvcTimerPoolTest, HandlersMayChangeThePoolInsideATick) {
    int added = -1;
    const int self = pool.AddTrigger(100);
    const int victim = pool.AddTrigger(200, Record());
    pool.SetTriggerHandler(self, [&](TOvcTimerPool* sender, int handle, auto, auto) {
        fired.push_back({handle, 0, 0});
        sender->SetTriggerEnabled(handle, false);
        sender->RemoveTrigger(victim);
        added = sender->AddTrigger(300, Record());
    });
    clock.Advance(200);
    Tick();
    clock.Advance(300);
    Tick();
    EXPECT_EQ(FiredHandles(), (std::vector<int>{self, added}));

    pool.SetTriggerEnabled(self, true);
    pool.SetTriggerHandler(self, [&](TOvcTimerPool* sender, auto, auto, auto) {
        sender->RemoveAllTriggers();  // the handler running now goes as well
    });
    clock.Advance(300);
    Tick();
    EXPECT_EQ(pool.TimerPeriod(), 0u);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(TOvcTimerPoolTest, AThrowingHandlerLeavesTheRestOfTheTickToTheNextTick) {
    std::vector<AnsiString> reports;
    auto previous = ExceptionReporter::SetSink([&](const AnsiString& r) { reports.push_back(r); });
    pool.AddTrigger(500, [](auto...) { throw EHandlerFailed("handler failed"); });
    pool.AddTrigger(1000, Record());
    clock.Advance(1000);
    Tick();
    EXPECT_TRUE(fired.empty());
    Tick();  // the failing trigger is not due again; the other one now gets its turn
    ExceptionReporter::SetSink(previous);
    EXPECT_EQ(fired, (std::vector<Firing>{{1, 1000, 1000}}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("EHandlerFailed: handler failed"), AnsiString::npos);
}

TEST(TOvcTimerPoolPlatform, ThePlatformTimerDrivesTheTicks) {
    TOvcTimerPool pool;
    int ticks = 0;
    pool.AddTrigger(55, [&](auto...) { ++ticks; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
}

TEST(TOvcTimerPoolPlatform, NoTimerAvailableIsReported) {
    // A thread without an event loop cannot have timers.
    AnsiString message;
    std::thread([&] {
        TOvcTimerPool pool;
        try {
            pool.AddTrigger(1000);
        } catch (const ENoTimersAvailable& error) {
            message = error.Message();
        }
    }).join();
    EXPECT_EQ(message, "No Window's timers are available");
}

}  // namespace
}  // namespace tuvako
