#include "app/Brkapart.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using Fields = std::vector<AnsiString>;

Fields SplitOf(const AnsiString& text, const AnsiString& separator, bool allowEmpty = true) {
    TBrkApart splitter;
    splitter.SetBaseString(text);
    splitter.SetBreakString(separator);
    splitter.SetAllowEmptyString(allowEmpty);
    splitter.Split();
    return splitter.StringList();
}

TEST(BrkApart, EmptyFieldsStandWhereSeparatorsMeetOrEndTheText) {
    EXPECT_EQ(SplitOf("a^b^c", "^"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(SplitOf("a^^c", "^"), (Fields{"a", "", "c"}));
    EXPECT_EQ(SplitOf("a^", "^"), (Fields{"a", ""}));
    EXPECT_EQ(SplitOf("^a", "^"), (Fields{"", "a"}));
    EXPECT_EQ(SplitOf("", "^"), (Fields{""}));
    EXPECT_EQ(SplitOf("^^^", "^"), (Fields{"", "", "", ""}));
}

TEST(BrkApart, WithoutAllowEmptyStringEmptyFieldsAreLeftOut) {
    EXPECT_EQ(SplitOf("a^^c", "^", false), (Fields{"a", "c"}));
    EXPECT_EQ(SplitOf("^a^", "^", false), (Fields{"a"}));
    EXPECT_EQ(SplitOf("", "^", false), Fields{});
}

TEST(BrkApart, TextWithoutTheSeparatorOrWithAnEmptySeparatorIsOneField) {
    EXPECT_EQ(SplitOf("abc", "^"), (Fields{"abc"}));
    EXPECT_EQ(SplitOf("a^b", ""), (Fields{"a^b"}));
    EXPECT_EQ(SplitOf("", "", false), Fields{});
}

TEST(BrkApart, LongSeparatorsAreFoundLeftToRightWithoutOverlapping) {
    EXPECT_EQ(SplitOf("ab::cd::ef", "::"), (Fields{"ab", "cd", "ef"}));
    EXPECT_EQ(SplitOf("a^^^", "^^"), (Fields{"a", "^"}));
    EXPECT_EQ(SplitOf("a^^^^", "^^"), (Fields{"a", "", ""}));
    EXPECT_EQ(SplitOf("x<sep>", "<sep>"), (Fields{"x", ""}));
}

TEST(BrkApart, BytesAboveAsciiAndNulAreOrdinaryCharacters) {
    const AnsiString text("\xE4^\0^\xFF", 5);
    EXPECT_EQ(SplitOf(text, "^"), (Fields{"\xE4", AnsiString(1, '\0'), "\xFF"}));
}

TEST(BrkApart, ASecondSplitReplacesTheEarlierFieldsAndLeavesThePropertiesAlone) {
    TBrkApart splitter;
    splitter.SetBreakString("^");
    splitter.SetAllowEmptyString(true);
    splitter.SetBaseString("a^b^c^d");
    splitter.Split();
    splitter.SetBaseString("x");
    splitter.Split();
    EXPECT_EQ(splitter.StringList(), (Fields{"x"}));
    EXPECT_EQ(splitter.BaseString(), "x");
    EXPECT_EQ(splitter.BreakString(), "^");
}

TEST(BrkApart, AssigningAListCopiesItAndTheCallerKeepsItsOwn) {
    TBrkApart splitter;
    Fields mine{"p", "q"};
    splitter.SetStringList(mine);
    mine.push_back("r");
    EXPECT_EQ(splitter.StringList(), (Fields{"p", "q"}));
}

TEST(BrkApart, ManyFieldsSplitInOnePass) {
    AnsiString text;
    for (int i = 0; i < 100000; ++i) text += "f^";
    const Fields fields = SplitOf(text, "^");
    ASSERT_EQ(fields.size(), 100001u);
    EXPECT_EQ(fields.front(), "f");
    EXPECT_EQ(fields.back(), "");
}

}  // namespace
}  // namespace tuvako
