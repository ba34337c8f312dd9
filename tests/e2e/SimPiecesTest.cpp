// The simulator's small pieces: line splitting, record patterns, printing and its options.
#include "sim/LineSplitter.h"
#include "sim/RecordPattern.h"
#include "sim/SimOptions.h"
#include "sim/StepActions.h"
#include "sim/TrafficLog.h"

#include <gtest/gtest.h>

namespace tuvako::sim {
namespace {

using Lines = std::vector<std::string>;

Lines FeedAll(LineSplitter& splitter, const std::vector<std::string>& chunks) {
    Lines lines;
    for (const auto& chunk : chunks)
        splitter.Feed(chunk.data(), chunk.size(),
                      [&](const std::string& l) { lines.push_back(l); });
    return lines;
}

TEST(LineSplitter, FindsLinesAcrossReadsIncludingATerminatorSplitInTwo) {
    LineSplitter splitter;
    EXPECT_EQ(FeedAll(splitter, {"a\r\nb", "c\r", "\nd\re\n\r\n", "\r\n"}),
              (Lines{"a", "bc", "d\re\n", ""}));
    splitter.Feed("rest", 4, [](const std::string&) { FAIL(); });
    EXPECT_EQ(splitter.TakeRest(), "rest");
    EXPECT_EQ(splitter.TakeRest(), "");
}

TEST(LineSplitter, DropsARunLongerThanTheLimitAndGoesOnWithTheNextLine) {
    LineSplitter splitter(8);
    EXPECT_EQ(FeedAll(splitter, {"123456789", "ab\r\ncd\r\n"}), (Lines{"ab", "cd"}));
    EXPECT_EQ(splitter.DroppedRuns(), 1u);
}

TEST(LineSplitter, TenThousandLinesInOneReadComeOutInOrder) {
    std::string burst;
    for (int i = 0; i < 10000; ++i) burst += std::to_string(i) + "\r\n";
    LineSplitter splitter;
    const Lines lines = FeedAll(splitter, {burst});
    ASSERT_EQ(lines.size(), 10000u);
    EXPECT_EQ(lines.front(), "0");
    EXPECT_EQ(lines.back(), "9999");
}

TEST(RecordPattern, StarsMatchAnyRunAndEverythingElseIsExact) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Ping^-^T^-^0^Ping^", "Ping^-^T^-^0^Ping^", true},
        {"Ping^-^T^-^0^Ping^", "Ping^-^T^-^0^Ping^x", false},
        {"Ping^*", "Ping^-^T^", true},
        {"Ping^*", "Pong^", false},
        {"*Timeout: Valintaa ei tehty!^SaveLogi^^",
         "Log^4711^T^-^0^V;Timeout: Valintaa ei tehty!^SaveLogi^^", true},
        {"Log^*^SaveLogi^^", "Log^SaveLogi^^", false},  // the pieces may not overlap
        {"Log^*;Tyhj*^SaveLogi^^", "Log^1^T^-^0^V;Tyhjenn\xE4^SaveLogi^^", true},
        {"a*b*c", "aXcXb", false},
        {"*", "", true},
        {"", "", true},
        {"K1?A\\*", "K1?A*", true},
        {"K1?A\\*", "K1?AB", false},
    };
    for (const auto& [pattern, record, matches] : cases)
        EXPECT_EQ(RecordPattern(pattern).Matches(record), matches) << pattern << " / " << record;
}

TEST(TrafficLog, PrintableShowsControlBytesConvertsCodePage1252AndCutsLongTexts) {
    EXPECT_EQ(TrafficLog::Printable("a\tb\r\n"), "a[9]b[13][10]");
    EXPECT_EQ(TrafficLog::Printable("Tyhjenn\xE4 \x80"), "Tyhjenn\xC3\xA4 \xE2\x82\xAC");
    EXPECT_EQ(TrafficLog::Printable(std::string(1000, 'x'), 3), "xxx... (1000 bytes)");
}

TEST(StepActions, GarbageAndLongLinesHaveTheirLengthAndEndInCrLf) {
    const std::string garbage = StepActions::GarbageLine(1000);
    ASSERT_EQ(garbage.size(), 1002u);
    EXPECT_EQ(garbage.substr(1000), "\r\n");
    EXPECT_EQ(garbage, StepActions::GarbageLine(1000));  // replayable
    EXPECT_NE(garbage, StepActions::GarbageLine(1000, 8));
    const std::string line = StepActions::LongLine(1 << 20);
    EXPECT_EQ(line.size(), (1u << 20) + 2);
    EXPECT_EQ(line.find('\r'), 1u << 20);
}

TEST(SimOptions, DefaultsListenOnTheTerminalsDefaultPortOnLoopback) {
    std::string error;
    const auto options = SimOptions::Parse({}, &error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->address, "127.0.0.1");
    EXPECT_EQ(options->port, 40201);
    EXPECT_FALSE(options->demo);
    EXPECT_TRUE(options->console);
}

TEST(SimOptions, ReadsEveryOptionAndRejectsBadOnes) {
    std::string error;
    const auto options = SimOptions::Parse({"--listen", "127.0.0.1:0", "--demo", "--interval", "3",
                                            "--scenario", "s.txt", "--no-console"},
                                           &error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 0);
    EXPECT_TRUE(options->demo);
    EXPECT_EQ(options->demoIntervalMs, 3000);
    EXPECT_EQ(options->scenarioFile, "s.txt");
    EXPECT_FALSE(options->console);
    EXPECT_EQ(SimOptions::Parse({"--listen", ":7"}, &error)->port, 7);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--listen", "127.0.0.1:65536"},
          {"--listen", "x:"},
          {"--interval", "0"},
          {"--scenario"},
          {"--frobnicate"}}) {
        EXPECT_FALSE(SimOptions::Parse(bad, &error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace tuvako::sim
