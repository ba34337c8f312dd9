#include "platform/ExecutableFile.h"
#include "settings/EOvcException.h"
#include "settings/TOvcIniFileStore.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace tuvako {
namespace {

namespace fs = std::filesystem;

// Puts "the executable" into a temporary directory for the length of a test.
class TOvcIniFileStoreTest : public ::testing::Test {
protected:
    TOvcIniFileStoreTest() { SetExecutableFileForTesting(ExeDir() + "tuvako"); }
    ~TOvcIniFileStoreTest() override { SetExecutableFileForTesting({}); }

    AnsiString ExeDir() const { return exeDir.Path().string() + "/"; }
    AnsiString Resolve(const AnsiString& iniFileName, bool useExeDir = true) {
        store.SetIniFileName(iniFileName);
        store.SetUseExeDir(useExeDir);
        return store.ResolveFileName();
    }

    test::TempDir exeDir;
    TOvcIniFileStore store;
};

TEST_F(TOvcIniFileStoreTest, FileNameRulesPutTheFileBesideTheExecutable) {
    EXPECT_EQ(Resolve("Selvaro.ini"), ExeDir() + "Selvaro.ini");
    EXPECT_EQ(Resolve("Selwi"), ExeDir() + "Selwi.INI");
    EXPECT_EQ(Resolve(""), ExeDir() + "tuvako.INI");
    EXPECT_EQ(Resolve("conf/Selwi.ini"), ExeDir() + "Selwi.ini");
    EXPECT_EQ(Resolve("C:\\Tuvako\\Selwi.ini"), ExeDir() + "Selwi.ini");
    EXPECT_EQ(Resolve("Selwi.ini", false), "Selwi.ini");
    EXPECT_EQ(Resolve("conf.d/Selwi", false), "conf.d/Selwi");  // a "." anywhere counts
    SetExecutableFileForTesting(ExeDir() + "tuvako.bin");
    EXPECT_EQ(Resolve(""), ExeDir() + "tuvako.INI");
}

TEST_F(TOvcIniFileStoreTest, OpenAndCloseNestAndTheFileBesideTheExecutableIsReadAndWritten) {
    exeDir.Write("Selvaro.ini", "[MessageSrv]\nPort=1234\n");
    test::TempDir elsewhere;
    elsewhere.Write("Selvaro.ini", "[MessageSrv]\nPort=9999\n");
    const fs::path previous = fs::current_path();
    fs::current_path(elsewhere.Path());
    store.SetIniFileName("Selvaro.ini");
    EXPECT_THROW(store.ReadString("A", "k", ""), EOvcException);
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
    EXPECT_THROW(store.WriteString("A", "k", "v"), EOvcException);
}

TEST_F(TOvcIniFileStoreTest, ReadingNeverWritesAndIntegersFallBackToTheirDefault) {
    const std::string content =
        "[S]\nletters=12abc\nspaced=  7  \nmin=-2147483648\n"
        "over=2147483648\nplus=+5\nempty=\nhex=0x10\n";
    exeDir.Write("Selvaro.ini", content);
    store.SetIniFileName("Selvaro.ini");
    TOvcAbstractStore::OpenScope open(store);
    EXPECT_EQ(store.ReadString("S", "missing", "dflt"), "dflt");
    const std::pair<const char*, int> integers[] = {
        {"missing", 180}, {"letters", 180}, {"spaced", 7},  {"min", -2147483647 - 1},
        {"over", 180},    {"plus", 5},      {"empty", 180}, {"hex", 180}};
    for (const auto& [key, expected] : integers)
        EXPECT_EQ(store.ReadInteger("S", key, 180), expected) << key;
    EXPECT_EQ(test::TempDir::Read(exeDir.File("Selvaro.ini")), content);
    EXPECT_FALSE(fs::exists(exeDir.File("Selwi.ini")));
}

TEST_F(TOvcIniFileStoreTest, AWriteThatFailsRaisesUnableToWriteWithTheFullFileName) {
    store.SetIniFileName("Selwi.ini");
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        fs::permissions(exeDir.Path(), fs::perms::owner_write, fs::perm_options::remove);
        TOvcAbstractStore::OpenScope open(store);
        EXPECT_THROW(store.WriteString("TfrmTuvakoMain", "ShowCmd", "3"), EIniFileException);
        fs::permissions(exeDir.Path(), fs::perms::owner_write, fs::perm_options::add);
    }
    SetExecutableFileForTesting(ExeDir() + "missing/tuvako");
    TOvcAbstractStore::OpenScope open(store);
    EXPECT_EQ(test::Thrown([&] { store.WriteInteger("TfrmTuvakoMain", "Flags", 0); }),
              "EIniFileException: Unable to write to " + ExeDir() + "missing/Selwi.ini");
    fs::create_directories(exeDir.File("missing/Selwi.ini"));  // not a file: unreadable
    EXPECT_THROW(store.EraseSection("TfrmTuvakoMain"), EIniFileException);
}

}  // namespace
}  // namespace tuvako
