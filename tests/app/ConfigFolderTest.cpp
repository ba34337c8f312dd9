// Where both ini files live: the order of the choices, the user's folder for an installed
// program, and the system folders that are never written.
#include "app/ConfigFolder.h"
#include "platform/ExecutableFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdlib>
#include <filesystem>

namespace tuvako {
namespace {

// The separator that the terminal puts between a folder and a file.
const AnsiString kSeparator(1, PathDelimiter);

using Source = ConfigFolder::Source;

ConfigFolderFacts InstalledFacts() {
    ConfigFolderFacts facts;
    facts.executableFolder = "/opt/x/bin";
    facts.userConfigHome = "/home/door/.config";
    facts.isSystemFolder = [](const AnsiString& folder) {
        return folder == "/opt/x/bin" || folder == "/usr/bin";
    };
    return facts;
}

TEST(ConfigFolder, OptionThenEnvironmentThenBesideTheProgramThenTheUsersFolder) {
    ConfigFolderFacts facts = InstalledFacts();
    facts.option = "/srv/door/";
    facts.environment = "/etc/tuvako";
    ConfigFolder chosen = ConfigFolder::Choose(facts);
    EXPECT_EQ(chosen.path, "/srv/door");
    EXPECT_EQ(chosen.source, Source::Option);
    EXPECT_EQ(chosen.File("Selwi.ini"), "/srv/door" + kSeparator + "Selwi.ini");

    facts.option.reset();
    EXPECT_EQ(ConfigFolder::Choose(facts).path, "/etc/tuvako");
    EXPECT_EQ(ConfigFolder::Choose(facts).source, Source::Environment);

    facts.environment.clear();
    chosen = ConfigFolder::Choose(facts);
    EXPECT_EQ(chosen.path, "/home/door/.config" + kSeparator + "tuvako");
    EXPECT_EQ(chosen.source, Source::UserConfig);
    EXPECT_TRUE(chosen.writable);

    // An installed program with Selvaro.ini beside it reads it there, but writes nothing there.
    facts.configBesideExecutable = true;
    chosen = ConfigFolder::Choose(facts);
    EXPECT_EQ(chosen.path, "/opt/x/bin");
    EXPECT_EQ(chosen.source, Source::BesideExecutable);
    EXPECT_FALSE(chosen.writable);

    // A program run from its build folder keeps both files beside it, as it always did.
    facts.configBesideExecutable = false;
    facts.executableFolder = "/home/dev/tuvako/build/bin";
    chosen = ConfigFolder::Choose(facts);
    EXPECT_EQ(chosen.path, "/home/dev/tuvako/build/bin");
    EXPECT_TRUE(chosen.writable);

    // Neither an option nor the environment makes a system folder writable.
    facts.option = "/usr/bin";
    EXPECT_FALSE(ConfigFolder::Choose(facts).writable);

    // Without a home folder the installed program stays beside itself, still read-only.
    facts = InstalledFacts();
    facts.userConfigHome.clear();
    chosen = ConfigFolder::Choose(facts);
    EXPECT_EQ(chosen.path, "/opt/x/bin");
    EXPECT_FALSE(chosen.writable);
}

TEST(ConfigFolder, TheSystemFoldersAreTheInstalledProgramsOnes) {
    for (const char* system : {"/usr/bin", "/usr/bin/", "/usr/local/bin", "/usr/lib/../bin"})
        EXPECT_TRUE(IsSystemFolder(system)) << system;
    const test::TempDir temp;
    for (const AnsiString& other : {AnsiString(""), AnsiString("/usr"), temp.Path().string(),
                                    AnsiString("/usr/bin/tuvako-config")})
        EXPECT_FALSE(IsSystemFolder(other)) << other;
}

// Find() reads the real environment and knows the running test program as the executable; each
// case sets what it needs and puts it back. Other executables are given to Choose() as facts.
class ConfigFolderFind : public ::testing::Test {
protected:
    ConfigFolderFind() {
        Keep("TUVAKO_CONFIG_DIR");
        Keep("XDG_CONFIG_HOME");
        qunsetenv("TUVAKO_CONFIG_DIR");
        qputenv("XDG_CONFIG_HOME", QByteArray((home.Path() / "config").string().c_str()));
    }
    ~ConfigFolderFind() override {
        for (const auto& [name, value] : kept_)
            value ? qputenv(name, QByteArray(value->c_str())) : qunsetenv(name);
    }
    void Keep(const char* name) {
        const char* value = std::getenv(name);
        kept_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    // What Find() would gather for a program in `executableFolder` without "Selvaro.ini".
    ConfigFolderFacts FactsFor(const AnsiString& executableFolder) const {
        ConfigFolderFacts facts;
        facts.executableFolder = executableFolder;
        facts.userConfigHome = (home.Path() / "config").string();
        facts.isSystemFolder = IsSystemFolder;
        return facts;
    }

    test::TempDir home;
    std::vector<std::pair<const char*, std::optional<std::string>>> kept_;
};

TEST_F(ConfigFolderFind, AnInstalledProgramMakesItsFolderInTheUsersConfigurationHome) {
    const ConfigFolder chosen = ConfigFolder::Choose(FactsFor("/usr/bin"));
    EXPECT_EQ(chosen.path, (home.Path() / "config" / "tuvako").string());
    EXPECT_FALSE(std::filesystem::exists(chosen.path));
    chosen.CreateUserFolder();
    EXPECT_TRUE(std::filesystem::is_directory(chosen.path));

    qputenv("TUVAKO_CONFIG_DIR", QByteArray("/srv/club"));
    EXPECT_EQ(ConfigFolder::Find(std::nullopt).path, "/srv/club");
    EXPECT_EQ(ConfigFolder::Find(AnsiString("/opt/door")).path, "/opt/door");
}

TEST_F(ConfigFolderFind, AProgramOutsideTheSystemFoldersUsesItsOwnFolder) {
    const ConfigFolder chosen = ConfigFolder::Choose(FactsFor((home.Path() / "build").string()));
    EXPECT_EQ(chosen.path, (home.Path() / "build").string());
    EXPECT_EQ(chosen.source, Source::BesideExecutable);
    chosen.CreateUserFolder();
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "config"));

    // The test program itself lives in a build folder, outside the system folders.
    const ConfigFolder found = ConfigFolder::Find(std::nullopt);
    EXPECT_EQ(found.path, std::filesystem::path(ExecutableFile()).parent_path().string());
    EXPECT_EQ(found.source, Source::BesideExecutable);
    EXPECT_TRUE(found.writable);
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "config"));
}

}  // namespace
}  // namespace tuvako
