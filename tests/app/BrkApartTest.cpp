#include "app/Brkapart.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using Fields = std::vector<AnsiString>;

// One splitter for every case: each split replaces the fields of the one before.
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
        {"a^b", "", {"a^b"}, {"a^b"}},  // an empty separator is never found
        {"ab::cd::ef", "::", {"ab", "cd", "ef"}, {"ab", "cd", "ef"}},
        {"a^^^", "^^", {"a", "^"}, {"a", "^"}},  // left to right, without overlapping
        {AnsiString("\xE4^\0", 3),
         "^",
         {"\xE4", AnsiString(1, '\0')},
         {"\xE4", AnsiString(1, '\0')}},
    };
    TBrkApart splitter;
    for (const auto& c : cases) {
        splitter.SetBaseString(c.text);
        splitter.SetBreakString(c.separator);
        for (const bool allowEmpty : {true, false}) {
            splitter.SetAllowEmptyString(allowEmpty);
            splitter.Split();
            EXPECT_EQ(splitter.StringList(), allowEmpty ? c.kept : c.dropped)
                << c.text << " at " << c.separator << (allowEmpty ? " kept" : " dropped");
        }
    }
}

}  // namespace
}  // namespace tuvako
