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
    std::size_t EntriesInDirectory() const {
        return std::size_t(std::distance(fs::directory_iterator(dir.Path()), {}));
    }

    test::TempDir dir;
    AnsiString file = dir.File("Test.ini").string();
};

TEST_F(PrivateProfileTest, NamesMatchWithoutRegardToCaseAndBlanksAreTrimmed) {
    dir.Write("Test.ini",
              "  [ MessageSrv ]  \r\n  Port =  40201 \t\r\nSERVERADDRESS=10.0.0.1\r\n"
              "[V\xC4LI]\r\n\xE4ij\xF6=1\r\n");
    EXPECT_EQ(Get("messagesrv", "PORT"), "40201");
    EXPECT_EQ(Get(" MessageSrv", "ServerAddress "), "10.0.0.1");
    EXPECT_EQ(Get("v\xE4li", "\xC4IJ\xD6"), "1");  // code page 1252 letters fold as well
}

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Get("A", "k"), "<default>");
    EXPECT_FALSE(fs::exists(file));
    dir.Write("Test.ini",
              "k=outside any section\n[A]\n;k=commented out\nx\n[B]\nk=in B\n"
              "[A]\nk=second A\nk=x\n[C]\nk=first\nk=second\n");
    EXPECT_EQ(Get("A", "k"), "<default>");  // only the first [A] is looked at
    EXPECT_EQ(Get("Z", "k"), "<default>");
    EXPECT_EQ(Get("B", "k"), "in B");
    EXPECT_EQ(Get("C", "k"), "first");
}

TEST_F(PrivateProfileTest, ValuesAndDefaultsAreCutToTheBufferAndEndAtAZeroByte) {
    const std::string longValue(100000, 'v');
    dir.Write("Test.ini", "[A]\nlong=" + longValue + "\nzero=ab" + std::string(1, '\0') + "cd\n");
    EXPECT_EQ(Get("A", "long"), std::string(2047, 'v'));
    EXPECT_EQ(Get("A", "zero"), "ab");
    EXPECT_EQ(PrivateProfile::GetString("A", "none", longValue, file), std::string(2047, 'v'));
}

TEST_F(PrivateProfileTest, WriteChangesOnlyItsLineAndKeepsCommentsOrderAndLineEndings) {
    dir.Write("Test.ini", "; kept\n[A]\n  Key = old  \nother=1\n\n[B]\nkey=b\n");
    ASSERT_TRUE(Write("a", "KEY", "new value"));
    EXPECT_EQ(Content(), "; kept\n[A]\nKEY=new value\nother=1\n\n[B]\nkey=b\n");
    ASSERT_TRUE(Write("A", "added", "2"));
    ASSERT_TRUE(Write("B", "more", "3"));
    EXPECT_EQ(Content(), "; kept\n[A]\nKEY=new value\nother=1\nadded=2\n\n[B]\nkey=b\nmore=3\n");
    EXPECT_EQ(Get("A", "key"), "new value");
}

TEST_F(PrivateProfileTest, NewSectionsGoToTheEndAndNewFilesUseCrLf) {
    ASSERT_TRUE(Write("TfrmTuvakoMain", "Flags", "0"));
    EXPECT_EQ(Content(), "[TfrmTuvakoMain]\r\nFlags=0\r\n");
    dir.Write("Test.ini", "[A]\r\na=1");  // last line without its ending
    ASSERT_TRUE(Write("A", "b", "2"));
    ASSERT_TRUE(Write("New", "c", "3"));
    EXPECT_EQ(Content(), "[A]\r\na=1\r\nb=2\r\n\r\n[New]\r\nc=3\r\n");
}

TEST_F(PrivateProfileTest, EraseSectionRemovesEverySectionOfThatNameWithItsLines) {
    dir.Write("Test.ini", "[A]\na=1\n[Gone]\nx=1\n; note\n\n[B]\nb=2\n[gone]\ny=2\n");
    ASSERT_TRUE(PrivateProfile::EraseSection("GONE", file));
    EXPECT_EQ(Content(), "[A]\na=1\n[B]\nb=2\n");
    EXPECT_TRUE(PrivateProfile::EraseSection("Missing", file));
    EXPECT_TRUE(PrivateProfile::EraseSection("A", dir.File("none.ini").string()));
    EXPECT_FALSE(fs::exists(dir.File("none.ini")));
}

TEST_F(PrivateProfileTest, TextThatWouldBreakTheLineStructureIsRefusedAndNothingChanges) {
    dir.Write("Test.ini", "[A]\na=1\n");
    EXPECT_FALSE(Write("A", "a", "two\nlines"));
    EXPECT_FALSE(Write("A", "a", std::string("zero\0byte", 9)));
    EXPECT_FALSE(Write("A", "k=v", "1"));
    EXPECT_FALSE(Write("A", "  ", "1"));
    EXPECT_FALSE(Write("A", "[B]", "1"));
    EXPECT_FALSE(Write("A]x", "k", "1"));
    EXPECT_FALSE(Write("A\r\n[B", "k", "1"));
    EXPECT_EQ(Content(), "[A]\na=1\n");
}

TEST_F(PrivateProfileTest, AFailedWriteReportsFailureAndLeavesNoHalfFile) {
    const AnsiString inMissingDirectory = dir.File("missing/Test.ini").string();
    EXPECT_FALSE(PrivateProfile::WriteString("A", "k", "v", inMissingDirectory));
    fs::create_directory(dir.File("Test.ini"));  // a directory where the file should be
    EXPECT_FALSE(Write("A", "k", "v"));
    EXPECT_FALSE(PrivateProfile::EraseSection("A", file));
    EXPECT_EQ(EntriesInDirectory(), 1u);  // no temporary file left behind
}

TEST_F(PrivateProfileTest, AReadOnlyDirectoryOrFileIsNotWritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    dir.Write("Test.ini", "[A]\na=1\n");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(Write("A", "a", "2"));
    EXPECT_TRUE(Write("A", "a", "1"));  // nothing to change, nothing to refuse
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(Write("A", "a", "2"));
    EXPECT_EQ(Content(), "[A]\na=1\n");
}

TEST_F(PrivateProfileTest, AWriteKeepsThePermissionsAndASymbolicLink) {
    const fs::path real = dir.Write("real.ini", "[A]\na=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, file);
    ASSERT_TRUE(Write("A", "a", "2"));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(test::TempDir::Read(real), "[A]\na=2\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(PrivateProfileTest, BinaryHugeAndSpecialFilesNeitherCrashNorBlock) {
    std::mt19937 random(20240611);
    std::string noise(200000, '\0');
    for (char& byte : noise) byte = char(random());
    dir.Write("Test.ini", noise);
    EXPECT_LE(Get("A", "k").size(), 2047u);
    ASSERT_TRUE(Write("Tuvako01", "Number", "12"));
    EXPECT_EQ(Get("Tuvako01", "Number"), "12");
    EXPECT_EQ(Content().substr(0, noise.size()), noise);  // the rest of the file is kept

    std::string huge = "[A]\r\nk=early\r\n" + std::string(PrivateProfile::MaxFileSize, 'x');
    dir.Write("Test.ini", huge);
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
