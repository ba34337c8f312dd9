#include "platform/Exception.h"
#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <vector>

namespace tuvako {
namespace {

struct Message {
    std::uint32_t msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const Message&) const = default;
};

TEST(MessageWindow, PostedMessagesArriveLaterAndInOrder) {
    std::vector<Message> seen;
    MessageWindow window([&](auto m, auto w, auto l) { seen.push_back({m, w, l}); });
    window.PostMessage(WM_USER + 1, 7, -1);
    window.PostMessage(WM_USER + 2, 8, 65536);
    EXPECT_TRUE(seen.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(seen, (std::vector<Message>{{WM_USER + 1, 7, -1}, {WM_USER + 2, 8, 65536}}));
}

TEST(MessageWindow, DestroyingTheWindowDropsItsPendingMessages) {
    int handled = 0;
    auto window = std::make_unique<MessageWindow>([&](auto, auto, auto) { ++handled; });
    window->PostMessage(WM_USER, 0, 0);
    window.reset();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(handled, 0);
}

TEST(MessageWindow, AThrowingHandlerIsReportedAndTheNextMessageStillArrives) {
    std::vector<AnsiString> reports;
    auto previous = ExceptionReporter::SetSink([&](const AnsiString& r) { reports.push_back(r); });
    int handled = 0;
    MessageWindow window([&](auto msg, auto, auto) {
        ++handled;
        if (msg == WM_USER) throw Exception("first fails");
    });
    window.PostMessage(WM_USER, 0, 0);
    window.PostMessage(WM_USER + 1, 0, 0);
    QCoreApplication::sendPostedEvents();
    ExceptionReporter::SetSink(previous);
    EXPECT_EQ(handled, 2);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Exception in Window message: Exception: first fails");
}

TEST(MessageWindow, TimerArrivesAsWmTimerWithItsIdUntilKilled) {
    std::vector<std::uintptr_t> ticks;
    MessageWindow window([&](auto msg, auto id, auto) {
        if (msg == WM_TIMER) ticks.push_back(id);
    });
    ASSERT_TRUE(window.SetTimer(5, 1));
    ASSERT_TRUE(test::WaitUntil([&] { return ticks.size() >= 2; }, 2000));
    EXPECT_EQ(ticks.front(), 5u);
    EXPECT_TRUE(window.KillTimer(5));
    EXPECT_FALSE(window.KillTimer(5));
    const auto count = ticks.size();
    QTest::qWait(20);
    EXPECT_EQ(ticks.size(), count);
}

}  // namespace
}  // namespace tuvako
