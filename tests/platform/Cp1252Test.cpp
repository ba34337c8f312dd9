#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    AnsiString all;
    for (int byte = 0; byte < 256; ++byte) all += char(byte);
    const QString unicode = ToQString(all);
    ASSERT_EQ(unicode.size(), 256);
    EXPECT_EQ(FromQString(unicode), all);
}

TEST(Cp1252, HighBytesAreTheWindowsCharactersNotLatin1) {
    EXPECT_EQ(ToQString("\x80"), QString(QChar(0x20AC)));  // euro sign
    EXPECT_EQ(ToQString("\x9F"), QString(QChar(0x0178)));  // Y with diaeresis
    EXPECT_EQ(ToQString("Ved\xE4"), QStringLiteral("Ved\u00E4"));
    EXPECT_EQ(FromQString(QStringLiteral("\u20AC\u00DF")), "\x80\xDF");
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(FromQString(QStringLiteral("a\u4E2Db")), "a?b");
    EXPECT_EQ(FromQString(QString(QChar(0x0080))), "?");  // a C1 control that 0x80 does not mean
}

}  // namespace
}  // namespace tuvako
