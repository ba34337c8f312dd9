#include "platform/PrivateProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace tuvako {
namespace {

namespace fs = std::filesystem;

class PrivateProfileTest : public ::testing::Test {
protected:
    AnsiString Get(const AnsiString& section, const AnsiString& key) {
        return PrivateProfile::GetString(section, key, "<default>", file);
    }
    bool Write(const AnsiString& section, const AnsiString& key, const AnsiString& value) {
        return PrivateProfile::WriteString(section, key, value, file);
    }
    std::string Content() const { return test::TempDir::Read(file); }

    test::TempDir dir;
    AnsiString file = dir.File("Test.ini").string();
};

TEST_F(PrivateProfileTest, ReadingFoldsCaseTrimsTakesTheFirstMatchAndCutsToTheBuffer) {
    EXPECT_EQ(Get("A", "k"), "<default>");
    EXPECT_FALSE(fs::exists(file));
    dir.Write("Test.ini",
              "k=outside\r\n  [ MessageSrv ]  \r\n  Port =  40201 \t\r\n[V\xC4LI]\r\n"
              "\xE4ij\xF6=1\r\n[A]\n;k=comment\nx\n[B]\nk=first\nk=second\nlong=" +
                  std::string(100000, 'v') + "\nzero=ab" + std::string(1, '\0') +
                  "cd\n[A]\nk=second A\n");
    EXPECT_EQ(Get(" messagesrv", "PORT "), "40201");
    EXPECT_EQ(Get("v\xE4li", "\xC4IJ\xD6"), "1");  // code page 1252 letters fold as well
    EXPECT_EQ(Get("B", "k"), "first");
    EXPECT_EQ(Get("A", "k"), "<default>");  // only the first [A] is looked at
    EXPECT_EQ(Get("Z", "k"), "<default>");
    EXPECT_EQ(Get("B", "long"), std::string(2047, 'v'));
    EXPECT_EQ(Get("B", "zero"), "ab");
    EXPECT_EQ(PrivateProfile::GetString("A", "none", std::string(3000, 'd'), file),
              std::string(2047, 'd'));
}

TEST_F(PrivateProfileTest, WritingChangesOnlyWhatItMustAndKeepsOtherLines) {
    dir.Write("Test.ini",
              "; kept\n[A]\n  Key = old  \nother=1\n[Gone]\nx=1\n\n[gone]\ny=2\n[B]\nkey=b");
    ASSERT_TRUE(Write("a", "KEY", "new value"));
    ASSERT_TRUE(Write("A", "added", "2"));
    ASSERT_TRUE(Write("b", "more", "3"));  // after a last line without its ending
    ASSERT_TRUE(Write("New", "c", "4"));
    EXPECT_EQ(Content(),
              "; kept\n[A]\nKEY=new value\nother=1\nadded=2\n[Gone]\nx=1\n\n[gone]\ny=2\n"
              "[B]\nkey=b\nmore=3\n[New]\nc=4\n");
    ASSERT_TRUE(PrivateProfile::EraseSection("GONE", file));  // every section of that name
    ASSERT_TRUE(PrivateProfile::EraseSection("Missing", file));
    EXPECT_EQ(Content(),
              "; kept\n[A]\nKEY=new value\nother=1\nadded=2\n[B]\nkey=b\nmore=3\n[New]\nc=4\n");

    fs::remove(file);
    ASSERT_TRUE(Write("TfrmTuvakoMain", "Flags", "0"));  // a new file uses CR LF
    EXPECT_EQ(Content(), "[TfrmTuvakoMain]\r\nFlags=0\r\n");
    EXPECT_TRUE(PrivateProfile::EraseSection("A", dir.File("none.ini").string()));
    EXPECT_FALSE(fs::exists(dir.File("none.ini")));
}

// A file saved with a lone CR as its line end: every entry stays in its own section, for
// reading and for writing.
TEST_F(PrivateProfileTest, ALoneCrEndsALineAsCrLfAndLfDo) {
    dir.Write("Test.ini", "[S]\rk=1\r");
    EXPECT_EQ(Get("S", "k"), "1");

    dir.Write("Test.ini", "[S]\rk=1\r[T]\r\nm=2\n\r[U]\rn=3");  // LF CR: two line ends
    EXPECT_EQ(Get("T", "m"), "2");
    EXPECT_EQ(Get("U", "n"), "3");
    EXPECT_EQ(Get("S", "m"), "<default>");
    ASSERT_TRUE(Write("S", "j", "4"));
    ASSERT_TRUE(Write("T", "m", "5"));
    ASSERT_TRUE(Write("U", "o", "6"));  // after an unended last line
    EXPECT_EQ(Content(), "[S]\rk=1\rj=4\r\n[T]\r\nm=5\n\r[U]\rn=3\r\no=6\r\n");
    EXPECT_EQ(Get("S", "j"), "4");
    EXPECT_EQ(Get("U", "o"), "6");

    // A last line that ends in a lone CR is ended: a new section follows it directly.
    dir.Write("Test.ini", "[B]\r\nkey=b\r");
    ASSERT_TRUE(Write("New", "more", "3"));
    EXPECT_EQ(Content(), "[B]\r\nkey=b\r[New]\r\nmore=3\r\n");
    EXPECT_EQ(Get("B", "key"), "b");
    EXPECT_EQ(Get("New", "more"), "3");
}

TEST_F(PrivateProfileTest, ADefaultLosesOnlyItsTrailingSpacesAndThenIsCutToTheBuffer) {
    const auto read = [this](const AnsiString& key, const AnsiString& defaultValue) {
        return PrivateProfile::GetString("S", key, defaultValue, file);
    };
    EXPECT_EQ(read("k", "default  "), "default");  // no file at all
    dir.Write("Test.ini", "[S]\r\nempty=\r\nblank=  \r\n");
    EXPECT_EQ(read("missing", " \tdefault \t "), " \tdefault \t");  // a tab is no space
    EXPECT_EQ(read("missing", "   "), " ");  // the first character always stays
    EXPECT_EQ(read("missing", ""), "");
    EXPECT_EQ(read("empty", "default  "), "");  // a key that is there gives its value
    EXPECT_EQ(read("blank", "default"), "");
    // The spaces go first, then the cut: spaces that the cut leaves last stay.
    EXPECT_EQ(read("missing", std::string(2040, 'd') + std::string(10, ' ') + "e"),
              std::string(2040, 'd') + std::string(7, ' '));
    EXPECT_EQ(read("missing", std::string(2047, 'd') + std::string(10, ' ')),
              std::string(2047, 'd'));
}

TEST_F(PrivateProfileTest, ANewSectionFollowsTheLastLineWithoutABlankLine) {
    const std::pair<std::string, std::string> files[] = {
        {"[S]\r\nk=1\r\n", "[S]\r\nk=1\r\n[T]\r\nn=2\r\n"},
        {"[S]\r\nk=1", "[S]\r\nk=1\r\n[T]\r\nn=2\r\n"},
        {"[S]\nk=1\n\n", "[S]\nk=1\n\n[T]\nn=2\n"},  // a blank line already there stays
        {"", "[T]\r\nn=2\r\n"},
        {"\xEF\xBB\xBF", "\xEF\xBB\xBF[T]\r\nn=2\r\n"},  // a byte-order mark alone is no line
    };
    for (const auto& [before, after] : files) {
        dir.Write("Test.ini", before);
        ASSERT_TRUE(Write("T", "n", "2"));
        EXPECT_EQ(Content(), after) << before;
        EXPECT_EQ(Get("T", "n"), "2") << before;
    }
}

TEST_F(PrivateProfileTest, RefusedOrFailedWritesLeaveTheFileAsItWasAndNoTemporaryFile) {
    dir.Write("Test.ini", "[A]\na=1\n");
    const char* const broken[][3] = {{"A", "a", "two\nlines"}, {"A", "k=v", "1"},
                                     {"A", "  ", "1"},         {"A", "[B]", "1"},
                                     {"A]x", "k", "1"},        {"A\r\n[B", "k", "1"}};
    for (const auto& [section, key, value] : broken)
        EXPECT_FALSE(Write(section, key, value)) << key;
    EXPECT_FALSE(Write("A", "a", std::string("zero\0byte", 9)));
    EXPECT_EQ(Content(), "[A]\na=1\n");

    EXPECT_FALSE(PrivateProfile::WriteString("A", "k", "v", dir.File("no/T.ini").string()));
    fs::remove(file);
    fs::create_directory(file);  // a directory where the file should be
    EXPECT_FALSE(Write("A", "k", "v"));
    EXPECT_FALSE(PrivateProfile::EraseSection("A", file));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(PrivateProfileTest, OnePairOfMatchingQuotesIsDroppedAndAByteOrderMarkHidesNoSection) {
    dir.Write("Test.ini",
              "\xEF\xBB\xBF[MessageSrv]\r\nUse=\"Yes\"\r\nServerAddress = '10.0.0.5' \r\n"
              "Mixed=\"x'\r\nTwice=\"\"two\"\"\r\nOne=\"\r\nEmpty=''\r\nInside=a\"b\"\r\n");
    const std::pair<const char*, const char*> values[] = {
        {"Use", "Yes"},      {"ServerAddress", "10.0.0.5"},
        {"Mixed", "\"x'"},   {"Twice", "\"two\""},
        {"One", "\""},       {"Empty", ""},
        {"Inside", "a\"b\""}};
    for (const auto& [key, value] : values) EXPECT_EQ(Get("MessageSrv", key), value) << key;
    ASSERT_TRUE(
        Write("messagesrv", "Port", "\"40201\""));  // written as given, in the first line's section
    EXPECT_EQ(Content().substr(0, 17), "\xEF\xBB\xBF[MessageSrv]\r\n");
    EXPECT_TRUE(Content().ends_with("Inside=a\"b\"\r\nPort=\"40201\"\r\n"));

    // Only at the start of the file: further on, those bytes belong to the key they stand in.
    const std::string markedKey = "\xEF\xBB\xBFKey";
    dir.Write("Test.ini", "[S]\r\n" + markedKey + "=1\r\n");
    EXPECT_EQ(Get("S", "Key"), "<default>");
    ASSERT_TRUE(Write("S", markedKey, "255"));
    EXPECT_EQ(Get("S", markedKey), "255");
    EXPECT_EQ(Content(), "[S]\r\n" + markedKey + "=255\r\n");
}

TEST_F(PrivateProfileTest, TemporaryFilesLeftByAKilledWriteAreRemovedAtTheNextWrite) {
    for (const char* name :
         {"Test.ini.a1B2c3", "Test.ini.bak", "Test.ini.a1B2c", "Other.ini.a1B2c3"})
        dir.Write(name, "half");
    ASSERT_TRUE(Write("A", "a", "1"));
    EXPECT_FALSE(fs::exists(dir.File("Test.ini.a1B2c3")));
    for (const char* kept : {"Test.ini.bak", "Test.ini.a1B2c", "Other.ini.a1B2c3"})
        EXPECT_TRUE(fs::exists(dir.File(kept))) << kept;
}

TEST_F(PrivateProfileTest, BinaryHugeAndSpecialFilesNeitherCrashNorBlock) {
    std::mt19937 random(20240611);
    std::string noise(200000, '\0');
    for (char& byte : noise) byte = char(random());
    dir.Write("Test.ini", noise);
    EXPECT_LE(Get("A", "k").size(), 2047u);
    ASSERT_TRUE(Write("Tuvako01", "Number", "12"));
    EXPECT_EQ(Get("Tuvako01", "Number"), "12");
    EXPECT_EQ(Content().substr(0, noise.size()), noise);

    dir.Write("Test.ini", "[A]\r\nk=early\r\n" + std::string(PrivateProfile::MaxFileSize, 'x'));
    EXPECT_EQ(Get("A", "k"), "early");
    EXPECT_FALSE(Write("A", "k", "late"));  // too long to rewrite whole: left alone
}

}  // namespace
}  // namespace tuvako
