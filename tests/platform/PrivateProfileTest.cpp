#include "platform/PrivateProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(PrivateProfileTest, WritingChangesOnlyWhatItMustAndKeepsOtherLinesPermissionsAndLinks) {
    const fs::path real = dir.Write(
        "real.ini", "; kept\n[A]\n  Key = old  \nother=1\n[Gone]\nx=1\n\n[gone]\ny=2\n[B]\nkey=b");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, perms);
    fs::create_symlink(real, file);
    ASSERT_TRUE(Write("a", "KEY", "new value"));
    ASSERT_TRUE(Write("A", "added", "2"));
    ASSERT_TRUE(Write("b", "more", "3"));  // after a last line without its ending
    ASSERT_TRUE(Write("New", "c", "4"));
    EXPECT_EQ(Content(),
              "; kept\n[A]\nKEY=new value\nother=1\nadded=2\n[Gone]\nx=1\n\n[gone]\ny=2\n"
              "[B]\nkey=b\nmore=3\n\n[New]\nc=4\n");
    ASSERT_TRUE(PrivateProfile::EraseSection("GONE", file));  // every section of that name
    ASSERT_TRUE(PrivateProfile::EraseSection("Missing", file));
    EXPECT_EQ(Content(),
              "; kept\n[A]\nKEY=new value\nother=1\nadded=2\n[B]\nkey=b\nmore=3\n\n"
              "[New]\nc=4\n");
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, perms);

    fs::remove(file);
    ASSERT_TRUE(Write("TfrmTuvakoMain", "Flags", "0"));  // a new file uses CR LF
    EXPECT_EQ(Content(), "[TfrmTuvakoMain]\r\nFlags=0\r\n");
    EXPECT_TRUE(PrivateProfile::EraseSection("A", dir.File("none.ini").string()));
    EXPECT_FALSE(fs::exists(dir.File("none.ini")));
}

TEST_F(PrivateProfileTest, RefusedOrFailedWritesLeaveTheFileAsItWasAndNoTemporaryFile) {
    dir.Write("Test.ini", "[A]\na=1\n");
    const char* const broken[][3] = {{"A", "a", "two\nlines"}, {"A", "k=v", "1"},
                                     {"A", "  ", "1"},         {"A", "[B]", "1"},
                                     {"A]x", "k", "1"},        {"A\r\n[B", "k", "1"}};
    for (const auto& [section, key, value] : broken)
        EXPECT_FALSE(Write(section, key, value)) << key;
    EXPECT_FALSE(Write("A", "a", std::string("zero\0byte", 9)));
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_FALSE(Write("A", "a", "2"));
        EXPECT_TRUE(Write("A", "a", "1"));  // nothing to change, nothing to refuse
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
        fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_FALSE(Write("A", "a", "2"));
        fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::add);
    }
    EXPECT_EQ(Content(), "[A]\na=1\n");

    EXPECT_FALSE(PrivateProfile::WriteString("A", "k", "v", dir.File("no/T.ini").string()));
    fs::remove(file);
    fs::create_directory(file);  // a directory where the file should be
    EXPECT_FALSE(Write("A", "k", "v"));
    EXPECT_FALSE(PrivateProfile::EraseSection("A", file));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
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

    ASSERT_EQ(::mkfifo(dir.File("fifo.ini").c_str(), 0600), 0);
    const AnsiString fifo = dir.File("fifo.ini").string();
    EXPECT_EQ(PrivateProfile::GetString("A", "k", "d", fifo), "d");
    EXPECT_FALSE(PrivateProfile::WriteString("A", "k", "v", fifo));
    EXPECT_EQ(PrivateProfile::GetString("A", "k", "d", "/dev/zero"), "d");
}

}  // namespace
}  // namespace tuvako
