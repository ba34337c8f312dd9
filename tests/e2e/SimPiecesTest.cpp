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

Lines FeedAll(LineSplitter& splitter, const Lines& chunks) {
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

TEST(StepActions, GarbageAndLongLinesHaveTheirLengthEndInCrLfAndGarbageIsReplayable) {
    EXPECT_EQ(StepActions::GarbageLine(1000).substr(1000), "\r\n");
    EXPECT_EQ(StepActions::GarbageLine(1000), StepActions::GarbageLine(1000));
    EXPECT_NE(StepActions::GarbageLine(1000), StepActions::GarbageLine(1000, 8));
    EXPECT_EQ(StepActions::LongLine(1 << 20).find('\r'), 1u << 20);
    EXPECT_EQ(StepActions::LongLine(1 << 20).size(), (1u << 20) + 2);
}

TEST(SimOptions, ReadsEveryOptionKeepsTheDefaultsAndRejectsBadOnes) {
    std::string error;
    const auto defaults = SimOptions::Parse({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->address + ":" + std::to_string(defaults->port), "127.0.0.1:40201");
    EXPECT_TRUE(!defaults->demo && defaults->console);

    const auto options = SimOptions::Parse({"--listen", "127.0.0.1:0", "--demo", "--interval", "3",
                                            "--scenario", "s.txt", "--no-console"},
                                           &error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->port == 0 && options->demo && !options->console);
    EXPECT_EQ(std::tuple(options->demoIntervalMs, options->scenarioFile),
              std::tuple(3000, "s.txt"));
    EXPECT_EQ(SimOptions::Parse({"--listen", ":7"}, &error)->port, 7);

    for (const Lines& bad :
         {Lines{"--listen", "127.0.0.1:65536"}, Lines{"--listen", "x:"}, Lines{"--interval", "0"},
          Lines{"--scenario"}, Lines{"--frobnicate"}}) {
        error.clear();
        EXPECT_FALSE(SimOptions::Parse(bad, &error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace tuvako::sim
