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

TEST(BrkApart, SplitsIntoNPlusOneFieldsKeepingOrDroppingTheEmptyOnes) {
    const struct {
        AnsiString text, separator;
        Fields kept, dropped;
    } cases[] = {
        {"a^b^c", "^", {"a", "b", "c"}, {"a", "b", "c"}},
        {"a^^c", "^", {"a", "", "c"}, {"a", "c"}},
        {"a^", "^", {"a", ""}, {"a"}},
        {"^a", "^", {"", "a"}, {"a"}},
        {"", "^", {""}, {}},
        {"abc", "^", {"abc"}, {"abc"}},
        {"a^b", "", {"a^b"}, {"a^b"}},  // an empty separator is never found
        {"ab::cd::ef", "::", {"ab", "cd", "ef"}, {"ab", "cd", "ef"}},
        {"a^^^", "^^", {"a", "^"}, {"a", "^"}},  // left to right, without overlapping
        {AnsiString("\xE4^\0", 3),
         "^",
         {"\xE4", AnsiString(1, '\0')},
         {"\xE4", AnsiString(1, '\0')}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitOf(c.text, c.separator), c.kept) << c.text << " at " << c.separator;
        EXPECT_EQ(SplitOf(c.text, c.separator, false), c.dropped) << c.text;
    }
}

TEST(BrkApart, ASecondSplitReplacesTheFieldsAndAnAssignedListIsACopy) {
    TBrkApart splitter;
    splitter.SetBreakString("^");
    splitter.SetBaseString("a^b^c");
    splitter.Split();
    splitter.SetBaseString("x");
    splitter.Split();
    EXPECT_EQ(splitter.StringList(), Fields{"x"});
    EXPECT_EQ(splitter.BreakString(), "^");
    Fields mine{"p"};
    splitter.SetStringList(mine);
    mine.push_back("q");
    EXPECT_EQ(splitter.StringList(), Fields{"p"});
}

}  // namespace
}  // namespace tuvako
