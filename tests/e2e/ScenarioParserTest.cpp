// The scenario format: commands and their arguments, repeat blocks, texts and errors.
#include "sim/ScenarioParser.h"

#include <gtest/gtest.h>

namespace tuvako::sim {
namespace {

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

}  // namespace
}  // namespace tuvako::sim
