// The simulator's pieces: the messages it sends (compared whole), its demo data, the scenario
// format, line splitting, record patterns, printing and its options.
#include "sim/DemoCatalog.h"
#include "sim/LineSplitter.h"
#include "sim/MessageComposer.h"
#include "sim/RecordPattern.h"
#include "sim/ScenarioParser.h"
#include "sim/SimOptions.h"
#include "sim/StepActions.h"
#include "sim/TrafficLog.h"

#include <gtest/gtest.h>

#include <set>

namespace tuvako::sim {
namespace {

using Fields = std::vector<AnsiString>;

TEST(MessageComposer, SplitKeepsEmptyFieldsAndJoinEndsEveryFieldWithASeparator) {
    EXPECT_EQ(MessageComposer::SplitFields("a^^c"), (Fields{"a", "", "c"}));
    EXPECT_EQ(MessageComposer::SplitFields(""), (Fields{""}));
    EXPECT_EQ(MessageComposer::SplitFields("^"), (Fields{"", ""}));
    EXPECT_EQ(MessageComposer::JoinFields({"Ping", "", "x"}), "Ping^^x^");
}

TEST(MessageComposer, CardNoticeAndChoiceListPutEveryFieldWhereTheTerminalReadsIt) {
    const SampleMember member{"4711", "K1?A@55#",   "CARD", "0",     "T9",   "Aino", "Kortti",
                              "2",    "31.12.2026", "7",    "12,50", "V-88", "hi"};
    // Fields 2, 5, 8, 9 and 16 make the pending customer; 7, 10 to 15 fill the screen.
    EXPECT_EQ(MessageComposer::CardMessage(member, "Tuvako01"),
              "Crd^Tuvako01^4711^-^0^K1?A@55#^OK^CARD^0^T9^Aino^Kortti^2^31.12.2026^7^12,50^V-88^");
    EXPECT_EQ(MessageComposer::NoticeMessage("Aino", "0", "Tuvako01"),
              "Crd^Tuvako01^-^-^0^-^EI^Aino^0^");
    // One button per choice between START and STOP; a sixth caption line is never sent.
    EXPECT_EQ(MessageComposer::ChoiceList({{"Paikka", "P3", "", {"Rata 3"}},
                                           {"Tuote", "V31", "A", {"1", "2", "3", "4", "5", "6"}}},
                                          "T"),
              (Fields{"Buttons^T^-^-^0^START^", "Buttons^T^-^-^0^BUTTON^Paikka^P3^^Rata 3^",
                      "Buttons^T^-^-^0^BUTTON^Tuote^V31^A^1^2^3^4^5^", "Buttons^T^-^-^0^STOP^"}));
}

TEST(DemoCatalog, MembersShowEveryValidityKindAndChoicesADiscountAFiveLineCaptionAndASeat) {
    std::set<AnsiString> kinds, codes;
    bool dateless = false;
    for (const SampleMember& m : DemoCatalog::Members()) {
        kinds.insert(m.validityKind);
        dateless |= m.validityKind != "1" && m.validUntil.empty();
        EXPECT_FALSE(m.greeting.empty());
        // The terminal cuts the pending customer at 255 bytes; a sample must never need that.
        EXPECT_LT((m.customerNumber + m.choiceHead + m.visitCode + m.ticket + m.logData).size(),
                  200u);
    }
    // Five members: kinds 1, 2 and 3, one that adds nothing, and one without a date.
    EXPECT_EQ(DemoCatalog::Members().size(), 5u);
    EXPECT_TRUE(kinds.size() == 4 && kinds.count("1") && kinds.count("2") && kinds.count("3"));
    EXPECT_TRUE(dateless);
    int discounted = 0, fiveLines = 0, seats = 0;
    for (const SampleChoice& choice : DemoCatalog::Choices()) {
        discounted += choice.discountClass == "A";
        fiveLines += choice.type != "Paikka" && choice.captionLines.size() == 5;
        seats += choice.type == "Paikka";
        codes.insert(choice.code);
    }
    EXPECT_EQ(std::tuple(discounted, fiveLines, seats), std::tuple(1, 1, 1));
    EXPECT_EQ(codes.size(), DemoCatalog::Choices().size());  // every slot tells its own code
}

TEST(ScenarioParser, ReadsEveryKindOfArgumentAndTurnsTextsIntoCodePage1252) {
    using K = StepKind;
    const struct {
        const char* line;
        StepKind kind;
        std::string text;
        std::int64_t count, milliseconds;
    } cases[] = {
        {"send Crd^1^2^ with blanks^", K::Send, "Crd^1^2^ with blanks^", -1, 0},
        {"expect Moi^-^Tuvako01^-^0^KVLNQ^  \r\n", K::Expect, "Moi^-^Tuvako01^-^0^KVLNQ^", -1, 0},
        {"burst 10000 Buttons^a^BUTTON^", K::Burst, "Buttons^a^BUTTON^", 10000, 0},
        {"swipe", K::Swipe, "", -1, 0},  // the next member
        {"customer 3", K::Customer, "", 3, 0},
        {"wait 0.5", K::Wait, "", -1, 500},
        {"quiet 250ms", K::Quiet, "", -1, 250},
        {"timeout 2s", K::Timeout, "", -1, 2000},
        {"ignore Ping^*", K::Ignore, "Ping^*", -1, 0},
        {"ignore", K::Ignore, "", -1, 0},
        {"send Tyhjenn\xC3\xA4 \xE2\x82\xAC", K::Send, "Tyhjenn\xE4 \x80", -1, 0},
        {"send M\xE4kinen", K::Send, "M\xE4kinen", -1, 0},  // not UTF-8: 1252 already
        {"send-partial a\\x0Db\\x00c\\\\x41", K::SendPartial, {"a\rb\0c\\x41", 9}, -1, 0},
        {"send a\\x4", K::Send, "a\\x4", -1, 0},  // an incomplete escape stays
    };
    for (const auto& c : cases) {
        const auto result = ScenarioParser::Parse(c.line);
        ASSERT_TRUE(result.Ok() && result.steps.size() == 1) << c.line << ": " << result.error;
        const ScenarioStep& step = result.steps[0];
        EXPECT_EQ(std::tuple(step.kind, step.text, step.count, step.milliseconds),
                  std::tuple(c.kind, c.text, c.count, c.milliseconds))
            << c.line;
    }
}

TEST(ScenarioParser, RepeatBlocksNestAZeroCountDropsTheirStepsAndCopiesKeepTheirLine) {
    const auto result = ScenarioParser::Parse(
        "# a comment\n\n"
        "repeat 2\n"
        "  swipe\n"
        "  repeat 3\n"
        "    list\n"
        "  end\n"
        "end\n"
        "repeat 0\n"
        "  reset\n"
        "end\n"
        "close\n");
    ASSERT_TRUE(result.Ok()) << result.error;
    std::vector<StepKind> kinds;
    for (const auto& step : result.steps) kinds.push_back(step.kind);
    const auto S = StepKind::Swipe, L = StepKind::List;
    EXPECT_EQ(kinds, (std::vector<StepKind>{S, L, L, L, S, L, L, L, StepKind::Close}));
    EXPECT_EQ(result.steps[5].line, 6);
    EXPECT_EQ(result.steps[8].line, 12);
}

TEST(ScenarioParser, ErrorsNameTheLineAndTheFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"swipe\nsned x\n", "line 2: unknown command \"sned\""},
        {"send\n", "line 1: send needs a text"},
        {"list now\n", "line 1: list takes no argument"},
        {"wait -1\n", "line 1: \"-1\" is not a time (seconds, or a number with ms)"},
        {"send-long 1e3\n", "line 1: \"1e3\" is not a count"},
        {"burst 2000000 x\n", "line 1: count 2000000 is above the limit of 1000000"},
        {"burst 5\n", "line 1: burst needs a count and a text"},
        {"end\n", "line 1: end without repeat"},
        {"list\nrepeat 2\nlist\n", "line 2: repeat without end"},
        {"repeat 1000\nrepeat 1001\nlist\nend\nend\n",
         "line 1: the repeated steps pass the limit of 1000000 steps"},
        {"list\nlist\nrepeat 500000\nlist\nlist\nend\n",  // with the steps before the block
         "line 3: the repeated steps pass the limit of 1000000 steps"},
    };
    for (const auto& [text, error] : cases) {
        const auto result = ScenarioParser::Parse(text);
        EXPECT_EQ(result.error, error) << text;
        EXPECT_TRUE(result.steps.empty());
    }
}

using Lines = std::vector<std::string>;

Lines FeedAll(LineSplitter& splitter, const Lines& chunks) {
    Lines lines;
    for (const auto& chunk : chunks)
        splitter.Feed(chunk.data(), chunk.size(),
                      [&](const std::string& l) { lines.push_back(l); });
    return lines;
}

TEST(LineSplitter, FindsLinesAcrossReadsKeepsTheRestAndDropsARunAboveTheLimit) {
    LineSplitter splitter;
    EXPECT_EQ(FeedAll(splitter, {"a\r\nb", "c\r", "\nd\re\n\r\n", "\r\n"}),
              (Lines{"a", "bc", "d\re\n", ""}));
    splitter.Feed("rest", 4, [](const std::string&) { FAIL(); });
    EXPECT_EQ(splitter.TakeRest(), "rest");
    EXPECT_EQ(splitter.TakeRest(), "");

    LineSplitter limited(8);
    EXPECT_EQ(FeedAll(limited, {"123456789", "ab\r\ncd\r\n"}), (Lines{"ab", "cd"}));
    EXPECT_EQ(limited.DroppedRuns(), 1u);
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
    const std::string longLine = StepActions::LongLine(1 << 20);
    EXPECT_TRUE(longLine.find('\r') == 1u << 20 && longLine.size() == (1u << 20) + 2);
}

TEST(SimOptions, ReadsEveryOptionKeepsTheDefaultsAndRejectsBadOnes) {
    std::string error;
    const auto defaults = SimOptions::Parse({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(std::tuple(defaults->address, defaults->port, defaults->demo, defaults->console),
              std::tuple("127.0.0.1", 40201, false, true));

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
