// The scenario format: commands and their arguments, repeat blocks, texts and errors.
#include "sim/ScenarioParser.h"

#include <gtest/gtest.h>

namespace tuvako::sim {
namespace {

ScenarioStep Only(const std::string& text) {
    const auto result = ScenarioParser::Parse(text);
    EXPECT_TRUE(result.Ok()) << result.error;
    EXPECT_EQ(result.steps.size(), 1u);
    return result.steps.empty() ? ScenarioStep{} : result.steps[0];
}

TEST(ScenarioParser, ReadsEveryKindOfArgumentAndNumbersTheLines) {
    const auto result = ScenarioParser::Parse(
        "# a comment\n"
        "\n"
        "send Crd^1^2^ with blanks^\n"
        "burst 10000 Buttons^a^b^c^d^BUTTON^\n"
        "swipe\n"
        "swipe 3\n"
        "wait 0.5\n"
        "quiet 250ms\n"
        "timeout 2s\n"
        "ignore Ping^*\n"
        "ignore\n");
    ASSERT_TRUE(result.Ok()) << result.error;
    ASSERT_EQ(result.steps.size(), 9u);
    EXPECT_EQ(result.steps[0].kind, StepKind::Send);
    EXPECT_EQ(result.steps[0].text, "Crd^1^2^ with blanks^");
    EXPECT_EQ(result.steps[0].line, 3);
    EXPECT_EQ(result.steps[1].kind, StepKind::Burst);
    EXPECT_EQ(result.steps[1].count, 10000);
    EXPECT_EQ(result.steps[1].text, "Buttons^a^b^c^d^BUTTON^");
    EXPECT_EQ(result.steps[2].count, -1);  // the next member
    EXPECT_EQ(result.steps[3].count, 3);
    EXPECT_EQ(result.steps[4].milliseconds, 500);
    EXPECT_EQ(result.steps[5].milliseconds, 250);
    EXPECT_EQ(result.steps[6].milliseconds, 2000);
    EXPECT_EQ(result.steps[7].text, "Ping^*");
    EXPECT_EQ(result.steps[8].kind, StepKind::Ignore);
    EXPECT_TRUE(result.steps[8].text.empty());
}

TEST(ScenarioParser, AcceptsWindowsLineEndsAndTrailingBlanks) {
    const auto step = Only("expect Moi^-^Tuvako01^-^0^KVLNQ^  \r\n");
    EXPECT_EQ(step.text, "Moi^-^Tuvako01^-^0^KVLNQ^");
}

TEST(ScenarioParser, TextsBecomeCodePage1252AndEscapesGiveAnyByte) {
    EXPECT_EQ(Only("send Tyhjenn\xC3\xA4 \xE2\x82\xAC").text, "Tyhjenn\xE4 \x80");
    EXPECT_EQ(Only("send-partial a\\x0Db\\x00c\\\\x41").text, std::string("a\rb\0c\\x41", 9));
    // Bytes that are not UTF-8 are taken as code page 1252 already.
    EXPECT_EQ(Only("send M\xE4kinen").text, "M\xE4kinen");
    // An incomplete escape stays as it is.
    EXPECT_EQ(Only("send a\\x4").text, "a\\x4");
}

TEST(ScenarioParser, RepeatBlocksNestAndAZeroCountDropsTheirSteps) {
    const auto result = ScenarioParser::Parse(
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
    EXPECT_EQ(result.steps[5].line, 4);  // copies keep the line they came from
}

TEST(ScenarioParser, ErrorsNameTheLineAndTheFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"swipe\nsned x\n", "line 2: unknown command \"sned\""},
        {"send\n", "line 1: send needs a text"},
        {"list now\n", "line 1: list takes no argument"},
        {"wait soon\n", "line 1: \"soon\" is not a time (seconds, or a number with ms)"},
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

TEST(ScenarioParser, ConsoleCommandsSkipBlankLinesAndReportUnknownOnes) {
    std::string error;
    EXPECT_FALSE(ScenarioParser::ParseCommand("   ", &error));
    EXPECT_TRUE(error.empty());
    EXPECT_FALSE(ScenarioParser::ParseCommand("repeat 3", &error));
    EXPECT_EQ(error, "unknown command \"repeat\"");
    const auto step = ScenarioParser::ParseCommand("customer 2", &error);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->kind, StepKind::Customer);
    EXPECT_EQ(step->count, 2);
}

}  // namespace
}  // namespace tuvako::sim
