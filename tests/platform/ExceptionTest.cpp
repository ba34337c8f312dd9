#include "platform/Exception.h"
#include "platform/ExceptionReporter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tuvako {
namespace {

TUVAKO_DECLARE_EXCEPTION(ETestException, Exception);

TEST(Exception, DescribesItselfWithItsClassName) {
    EXPECT_EQ(DescribeException(ETestException("Disk on fire")), "ETestException: Disk on fire");
    EXPECT_EQ(DescribeException(Exception("plain")), "Exception: plain");
}

TEST(ExceptionReporter, GuardReportsWhatTheHandlerThrowsAndReturns) {
    std::vector<AnsiString> reports;
    auto previous = ExceptionReporter::SetSink([&](const AnsiString& r) { reports.push_back(r); });
    ExceptionReporter::Guard("Click", [] { throw ETestException("boom"); });
    ExceptionReporter::Guard("Timer", [] { throw std::runtime_error("bad"); });
    ExceptionReporter::Guard("Timer", [] { throw 42; });
    ExceptionReporter::SetSink(previous);

    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], "Exception in Click: ETestException: boom");
    EXPECT_NE(reports[1].find("bad"), AnsiString::npos);
    EXPECT_EQ(reports[2], "Exception in Timer: unknown exception");
}

}  // namespace
}  // namespace tuvako
