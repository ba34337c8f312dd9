// What `tuvako --check` shows of the configuration: each of the nine settings as the terminal
// takes it, and whether the file or the default gave it.
#include "app/ConsoleText.h"
#include "app/SettingsReport.h"
#include "settings/TIniFileStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

TEST(SettingsReport, EachSettingSaysWhereItsValueCameFrom) {
    const test::TempDir dir;
    const auto file = dir.Write("Selvaro.ini",
                                "[MessageSrv]\nPort=4000\nUse=yes\nPingTime=abc\n"
                                "[Tuvako02]\nNumber=12\nFontSize=14\nShowClearButton=\n");
    TIniFileStore store;
    store.SetUseExeDir(false);
    store.SetIniFileName(file.string());
    const SettingsReport report = SettingsReport::Read(store, "Tuvako02");
    EXPECT_EQ(report.terminalId, "Tuvako12");
    EXPECT_EQ(report.serverAddress, "127.0.0.1");
    EXPECT_EQ(report.port, "4000");
    EXPECT_TRUE(report.useServer);
    EXPECT_EQ(report.Format(),
              "  [MessageSrv] Port = 4000 (file)\n"
              "  [MessageSrv] PingTime = 180 (default: the file's \"abc\" is not a number)\n"
              "  [MessageSrv] Use = yes (on) (file)\n"
              "  [MessageSrv] ServerAddress = 127.0.0.1 (default)\n"
              "  [Tuvako02] Number = 12 (file)\n"
              "  [Tuvako02] ButtonWidth = 100 (default)\n"
              "  [Tuvako02] ButtonShowTime = 60 (default)\n"
              "  [Tuvako02] FontSize = 14 (file)\n"
              "  [Tuvako02] ShowClearButton =  (off) (file)\n");

    const SettingsReport none = SettingsReport::Read(store, "Tuvako01");
    EXPECT_EQ(none.terminalId, "Tuvako01");
    EXPECT_NE(none.Format().find("[Tuvako01] ShowClearButton = Yes (on) (default)"),
              std::string::npos);
    // A section the file lacks leaves every terminal setting at its default, which the check
    // warns about; a server setting from the file does not count for the terminal's section.
    EXPECT_TRUE(report.TerminalSectionUsed());
    EXPECT_FALSE(none.TerminalSectionUsed());
}

TEST(ConsoleText, ShowsTextAsTheLogPaneDoesInUtf8) {
    EXPECT_EQ(ConsoleText("Ryhm\xE4liikunta"), "Ryhm\xC3\xA4liikunta");
    EXPECT_EQ(ConsoleText(std::string("a\x01\x0D\x0A\x00"
                                      "b",
                                      6)),
              "a[1][13][10][0]b");
    // Code page 1252, not Latin-1: 0x80 is the euro sign, 0x9A an s with caron.
    EXPECT_EQ(ConsoleText("\x80\x9A"), "\xE2\x82\xAC\xC5\xA1");
    EXPECT_EQ(ConsoleText(""), "");
    // The settings report keeps its line ends.
    EXPECT_EQ(Utf8Text("  [Tuvako01] Number = \xC4\n"), "  [Tuvako01] Number = \xC3\x84\n");
}

}  // namespace
}  // namespace tuvako
