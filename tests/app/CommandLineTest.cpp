// The program's options, read before any display: what each asks for, "/SRVNO=" among them,
// and the mistakes that end the program with status 2.
#include "app/CommandLine.h"
#include "app/ConfigValues.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, OptionsAndSrvNoMixInAnyOrderAndPlainArgumentsReachTheWindow) {
    const CommandLine line = CommandLine::Parse(
        {"/srvno=07", "--hide-cursor", "extra", "--config-dir", "/etc/door", "-platform", "x"});
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_TRUE(line.hideCursor);
    EXPECT_EQ(line.configDir, "/etc/door");
    EXPECT_EQ(line.windowArguments,
              (std::vector<AnsiString>{"/srvno=07", "extra", "-platform", "x"}));
    EXPECT_EQ(SrvNoFromArguments(line.windowArguments, "01"), "07");

    const CommandLine check = CommandLine::Parse({"--check", "--config-dir=/srv/t/", "/SRVNO=3"});
    EXPECT_EQ(check.action, Action::Check);
    EXPECT_EQ(check.configDir, "/srv/t/");
    EXPECT_FALSE(check.hideCursor);
    EXPECT_EQ(SrvNoFromArguments(check.windowArguments, "01"), "3");

    // The folder's own name may look like an option or like "/SRVNO=": it is the folder.
    const CommandLine odd =
        CommandLine::Parse({"--config-dir", "--check", "--config-dir", "/SRVNO=5"});
    EXPECT_EQ(odd.action, Action::Run);
    EXPECT_EQ(odd.configDir, "/SRVNO=5");
    EXPECT_TRUE(odd.windowArguments.empty());

    // After a lone "--" nothing is an option.
    const CommandLine ended = CommandLine::Parse({"--", "--help", "/SRVNO=8"});
    EXPECT_EQ(ended.action, Action::Run);
    EXPECT_EQ(ended.windowArguments, (std::vector<AnsiString>{"--help", "/SRVNO=8"}));

    EXPECT_EQ(CommandLine::Parse({}).action, Action::Run);
    EXPECT_FALSE(CommandLine::Parse({}).configDir);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElseOnTheLine) {
    EXPECT_EQ(CommandLine::Parse({"--check", "--version"}).action, Action::Version);
    EXPECT_EQ(CommandLine::Parse({"--version", "--help"}).action, Action::Help);
    EXPECT_EQ(CommandLine::Parse({"--bogus", "--help"}).action, Action::Help);
    EXPECT_EQ(CommandLine::Parse({"--config-dir", "--version"}).action, Action::Run)
        << "a folder named --version is still a folder";
    EXPECT_NE(AnsiString(CommandLine::HelpText()).find("--config-dir DIR"), AnsiString::npos);
}

TEST(CommandLine, UnknownOptionsAndAMissingFolderFailWithTheFirstMistakeNamed) {
    const std::pair<std::vector<AnsiString>, AnsiString> cases[] = {
        {{"--fullscreen"}, "unknown option --fullscreen"},
        {{"/SRVNO=2", "--Check"}, "unknown option --Check"},  // options are exact
        {{"--hide-cursor", "--x", "--y"}, "unknown option --x"},
        {{"--config-dir"}, "option --config-dir needs a folder"},
        {{"--config-dir", ""}, "option --config-dir needs a folder"},
        {{"--config-dir="}, "option --config-dir needs a folder"},
    };
    for (const auto& [arguments, error] : cases) {
        const CommandLine line = CommandLine::Parse(arguments);
        EXPECT_EQ(line.action, Action::Fail) << error;
        EXPECT_EQ(line.error, error);
    }
    // One dash is not ours: the toolkit's own options ("-platform") pass by.
    EXPECT_EQ(CommandLine::Parse({"-x", "-", "-check"}).action, Action::Run);
}

}  // namespace
}  // namespace tuvako
