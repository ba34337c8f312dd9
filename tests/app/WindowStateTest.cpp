// Selwi.ini: the window's position and the three panel colours, saved when they change and at
// close, restored at start.
#include "MainWindowProbe.h"
#include "platform/PrivateProfile.h"

namespace tuvako {
namespace {

class WindowState : public WindowTest {
protected:
    void StartShowAndClose() {
        Start().show();
        ASSERT_TRUE(window->close());
    }
    AnsiString StateFile() const { return dir.File("Selwi.ini").string(); }
    AnsiString Stored(const char* section, const char* key) const {
        return PrivateProfile::GetString(section, key, "(none)", StateFile());
    }
    void Store(const char* section, const char* key, const char* value) const {
        ASSERT_TRUE(PrivateProfile::WriteString(section, key, value, StateFile()));
    }
    // Waits until the stored value of `key` passes `check`.
    template <class Check>
    bool StoredBecomes(const char* key, Check&& check) const {
        return test::WaitUntil([&] { return check(Stored("TfrmTuvakoMain", key)); });
    }
};

TEST_F(WindowState, ClosingWritesBothSectionsAndARestartRestoresThemWithoutMoving) {
    Start().show();
    ChooseBackground(QColor(0x12, 0x34, 0x56));
    Find<QAction>("mnuLogi")->trigger();
    ASSERT_TRUE(window->close());
    EXPECT_EQ(Stored("TfrmTuvakoMain", "ShowCmd"), "1");
    for (const char* key : {"Flags", "PixelsPerInch"})
        EXPECT_NE(Stored("TfrmTuvakoMain", key), "(none)") << key;
    EXPECT_EQ(Stored("TfrmTuvakoMain", "Color"), "-2147483633");
    for (const char* panel : {"PanelTausta.Color", "PanelTop.Color", "PanelValinta.Color"})
        EXPECT_EQ(Stored("TfrmDEvevorMain", panel), "5649426") << panel;
    const AnsiString first = Stored("TfrmTuvakoMain", "NormalPos");
    EXPECT_EQ(std::count(first.begin(), first.end(), ','), 3) << first;
    StartShowAndClose();
    StartShowAndClose();
    EXPECT_EQ(Stored("TfrmTuvakoMain", "NormalPos"), first);

    Store("TfrmTuvakoMain", "NormalPos", "100, 50");  // two words, blanks after the comma
    Start();
    for (const char* panel : {"PanelTausta", "PanelTop", "PanelValinta"})
        EXPECT_EQ(ColorOf(panel), 0x563412) << panel;
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(696, 494));
    EXPECT_TRUE(Find<QPlainTextEdit>("Memo")->isHidden());  // the log pane is not kept
}

// A file that the terminal wrote before its classes got names that say what each class is: the
// sections, keys and formats stay, so it restores the same position and colours, and the next
// close writes it back byte for byte.
TEST_F(WindowState, AFileWrittenByAnEarlierBuildRestoresAndIsWrittenBackUnchanged) {
    const std::string earlier = test::TempDir::Read(TUVAKO_TEST_DATA_DIR "/Selwi.ini");
    ASSERT_NE(earlier.find("NormalPos=120,80,816,574"), std::string::npos);
    dir.Write("Selwi.ini", earlier);
    Start();
    EXPECT_EQ(window->pos(), QPoint(120, 80));
    EXPECT_EQ(ColorOf("PanelTausta"), 0x563412);
    EXPECT_EQ(ColorOf("PanelTop"), 0x00FF00);
    EXPECT_EQ(ColorOf("PanelValinta"), static_cast<TColor>(0x8000000F));
    window->ShowMaximisedOnScreen();  // as the program shows it
    ASSERT_TRUE(window->close());
    EXPECT_EQ(test::TempDir::Read(StateFile()), earlier);
}

// Nothing the operator set waits for a close: a shutdown that ends the terminal hard, or a power
// cut, finds it in the file already.
TEST_F(WindowState, AColourConfirmedInTheDialogIsInTheFileAtOnceWithTheWholeState) {
    Start().show();
    ChooseBackground(QColor(0x12, 0x34, 0x56));
    for (const char* panel : {"PanelTausta.Color", "PanelTop.Color", "PanelValinta.Color"})
        EXPECT_EQ(Stored("TfrmDEvevorMain", panel), "5649426") << panel;
    EXPECT_EQ(Stored("TfrmTuvakoMain", "ShowCmd"), "1");
    EXPECT_FALSE(probe->FormClosed());
}

TEST_F(WindowState, AWindowMovedOrMaximisedIsSavedOnceItHasSettledNotAtEveryStep) {
    Start().show();
    StateWriteThrough& saving = probe->StateSaving();
    EXPECT_EQ(saving.SettleTime(), 1000);
    saving.SetSettleTime(3600 * 1000);  // settles only when the test says so
    for (int step = 1; step <= 5; ++step) window->move(100 + step * 20, 50 + step * 10);
    ASSERT_TRUE(test::WaitUntil([&] { return window->pos() == QPoint(200, 100); }));
    EXPECT_TRUE(saving.IsPending());
    EXPECT_EQ(Stored("TfrmTuvakoMain", "NormalPos"), "(none)") << "saved before it settled";
    // Where the window's inside now begins, within the window manager's frame.
    const AnsiString moved = std::to_string(window->geometry().left()) + "," +
                             std::to_string(window->geometry().top()) + ",";
    saving.SetSettleTime(0);  // the settle time passes
    EXPECT_TRUE(StoredBecomes("NormalPos", [&](const AnsiString& v) {
        return v.starts_with(moved);
    })) << Stored("TfrmTuvakoMain", "NormalPos");

    window->showMaximized();
    EXPECT_TRUE(StoredBecomes("ShowCmd", [](const AnsiString& v) { return v == "3"; }));
    window->showNormal();
    EXPECT_TRUE(StoredBecomes("ShowCmd", [](const AnsiString& v) { return v == "1"; }));
    EXPECT_TRUE(Stored("TfrmTuvakoMain", "NormalPos").starts_with(moved));
    EXPECT_FALSE(probe->FormClosed());
}

TEST_F(WindowState, AFolderThatCannotBeWrittenIsReportedAtTheFirstFailingChangeOnly) {
    const std::string report = "EIniFileException: Unable to write to " + StateFile();
    // How often the report comes while `change` runs.
    const auto reportsDuring = [&](auto&& change) {
        testing::internal::CaptureStderr();
        change();
        const std::string standardError = testing::internal::GetCapturedStderr();
        std::size_t count = 0;
        for (auto at = standardError.find(report); at != std::string::npos;
             at = standardError.find(report, at + 1))
            ++count;
        return count;
    };
    std::filesystem::create_directory(StateFile());  // cannot be replaced, whoever runs this
    Start().show();
    EXPECT_EQ(reportsDuring([&] { ChooseBackground(QColor(0x12, 0x34, 0x56)); }), 1u);
    EXPECT_EQ(reportsDuring([&] {
                  ChooseBackground(QColor(0x65, 0x43, 0x21));
                  window->move(120, 80);
                  probe->StateSaving().SaveNow();  // the move settles
              }),
              0u);

    // Once a save has gone through, the next failure is news again; the close adds nothing.
    std::filesystem::remove(StateFile());
    ChooseBackground(QColor(0x12, 0x34, 0x56));
    ASSERT_EQ(Stored("TfrmDEvevorMain", "PanelTop.Color"), "5649426");
    std::filesystem::remove(StateFile());
    std::filesystem::create_directory(StateFile());
    EXPECT_EQ(reportsDuring([&] {
                  ChooseBackground(QColor(0x65, 0x43, 0x21));
                  EXPECT_TRUE(window->close());
              }),
              1u);
}

TEST_F(WindowState, UnwritableStateFileDoesNotStopTheCloseAndStandardErrorSaysWhy) {
    std::filesystem::create_directory(StateFile());  // cannot be replaced, whoever runs this
    Start().show();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(window->close());
    const std::string standardError = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(probe->FormClosed());
    EXPECT_EQ(probe->TimerPeriod(), 0u);  // the close handler removed every trigger
    EXPECT_NE(standardError.find("EIniFileException: Unable to write to " + StateFile()),
              std::string::npos)
        << standardError;
}

}  // namespace
}  // namespace tuvako
