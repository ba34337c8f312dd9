#include "platform/ExecutableFile.h"
#include "settings/EComponentError.h"
#include "settings/TIniFileStore.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tuvako {
namespace {

namespace fs = std::filesystem;

// Each test's files live in a temporary directory, named in full: tests run in parallel, so
// none of them writes beside the test program.
class TIniFileStoreTest : public ::testing::Test {
protected:
    TIniFileStoreTest() { store.SetUseExeDir(false); }

    AnsiString Dir() const { return dir.Path().string() + "/"; }
    AnsiString Resolve(const AnsiString& iniFileName, bool useExeDir = true) {
        store.SetIniFileName(iniFileName);
        store.SetUseExeDir(useExeDir);
        return store.ResolveFileName();
    }

    test::TempDir dir;
    TIniFileStore store;
};

// The running test program stands for the terminal: the names resolve beside it.
TEST_F(TIniFileStoreTest, FileNameRulesPutTheFileBesideTheExecutable) {
    const fs::path executable = ExecutableFile();
    ASSERT_TRUE(executable.is_absolute()) << executable;
    const AnsiString beside = executable.parent_path().string() + PathDelimiter;
    EXPECT_EQ(Resolve("Selvaro.ini"), beside + "Selvaro.ini");
    EXPECT_EQ(Resolve("Selwi"), beside + "Selwi.INI");
    EXPECT_EQ(Resolve(""), beside + executable.stem().string() + ".INI");
    EXPECT_EQ(Resolve("conf/Selwi.ini"), beside + "Selwi.ini");
    EXPECT_EQ(Resolve("C:\\Tuvako\\Selwi.ini"), beside + "Selwi.ini");
    EXPECT_EQ(Resolve("Selwi.ini", false), "Selwi.ini");
    EXPECT_EQ(Resolve("conf.d/Selwi", false), "conf.d/Selwi");  // a "." anywhere counts
    EXPECT_EQ(Resolve("", false), executable.stem().string() + ".INI");
}

TEST_F(TIniFileStoreTest, OpenAndCloseNestAndTheNamedFileIsReadAndWritten) {
    dir.Write("Selvaro.ini", "[MessageSrv]\nPort=1234\n");
    test::TempDir elsewhere;
    elsewhere.Write("Selvaro.ini", "[MessageSrv]\nPort=9999\n");
    const fs::path previous = fs::current_path();
    fs::current_path(elsewhere.Path());
    store.SetIniFileName(Dir() + "Selvaro.ini");
    EXPECT_THROW(store.ReadString("A", "k", ""), EComponentError);
    store.Open();
    store.Open();
    store.Close();
    EXPECT_EQ(store.OpenCount(), 1);
    EXPECT_EQ(store.ReadString("MessageSrv", "Port", "40201"), "1234");
    store.WriteInteger("Saved", "Color", -2147483633);
    store.EraseSection("MessageSrv");
    EXPECT_EQ(store.ReadString("messagesrv", "Port", "40201"), "40201");
    EXPECT_EQ(store.ReadInteger("saved", "COLOR", 0), -2147483633);
    store.Close();
    store.Close();
    fs::current_path(previous);
    EXPECT_EQ(test::TempDir::Read(elsewhere.File("Selvaro.ini")), "[MessageSrv]\nPort=9999\n");
    EXPECT_EQ(store.OpenCount(), 0);
    EXPECT_EQ(store.FileName(), "");
    EXPECT_THROW(store.WriteString("A", "k", "v"), EComponentError);
}

TEST_F(TIniFileStoreTest, ReadingNeverWritesAndIntegersFallBackToTheirDefault) {
    const std::string content =
        "[S]\nletters=12abc\nspaced=  7  \nmin=-2147483648\n"
        "over=2147483648\nplus=+5\nempty=\nhex=0x10\n";
    dir.Write("Selvaro.ini", content);
    store.SetIniFileName(Dir() + "Selvaro.ini");
    TAbstractStore::OpenScope open(store);
    EXPECT_EQ(store.ReadString("S", "missing", "dflt"), "dflt");
    const std::pair<const char*, int> integers[] = {
        {"missing", 180}, {"letters", 180}, {"spaced", 7},  {"min", -2147483647 - 1},
        {"over", 180},    {"plus", 5},      {"empty", 180}, {"hex", 180}};
    for (const auto& [key, expected] : integers)
        EXPECT_EQ(store.ReadInteger("S", key, 180), expected) << key;
    EXPECT_EQ(test::TempDir::Read(dir.File("Selvaro.ini")), content);
    EXPECT_FALSE(fs::exists(dir.File("Selwi.ini")));
}

TEST_F(TIniFileStoreTest, AWriteThatFailsRaisesUnableToWriteWithTheFullFileName) {
    store.SetIniFileName(Dir() + "Selwi.ini");
    if (test::FolderPermissionsBind()) {
        fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
        TAbstractStore::OpenScope open(store);
        EXPECT_THROW(store.WriteString("TfrmTuvakoMain", "ShowCmd", "3"), EIniFileException);
        fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::add);
    }
    store.SetIniFileName(Dir() + "missing/Selwi.ini");
    TAbstractStore::OpenScope open(store);
    EXPECT_EQ(test::Thrown([&] { store.WriteInteger("TfrmTuvakoMain", "Flags", 0); }),
              "EIniFileException: Unable to write to " + Dir() + "missing/Selwi.ini");
    fs::create_directories(dir.File("missing/Selwi.ini"));  // not a file: unreadable
    EXPECT_THROW(store.EraseSection("TfrmTuvakoMain"), EIniFileException);
}

}  // namespace
}  // namespace tuvako
