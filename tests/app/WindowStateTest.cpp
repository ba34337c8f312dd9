#include "MainWindowProbe.h"
#include "ScratchExecutableDir.h"
#include "app/TPanel.h"
#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QColorDialog>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace tuvako {
namespace {

// Runs the terminal more than once in the same "executable directory", as restarts would.
class WindowState : public ::testing::Test {
protected:
    TfrmTuvakoMain& Start() {
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{});
        probe = std::make_unique<MainWindowProbe>(*window);
        return *window;
    }

    void StartShowAndClose() {
        Start().show();
        ASSERT_TRUE(window->close());
    }

    AnsiString StateFile() const { return scratch.Dir().File("Selwi.ini").string(); }
    AnsiString Stored(const char* section, const char* key) const {
        return PrivateProfile::GetString(section, key, "(none)", StateFile());
    }
    void Store(const char* section, const char* key, const char* value) const {
        ASSERT_TRUE(PrivateProfile::WriteString(section, key, value, StateFile()));
    }
    TColor ColorOf(const char* panel) const { return probe->Find<TPanel>(panel)->Color(); }

    ScratchExecutableDir scratch;
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<MainWindowProbe> probe;
};

TEST_F(WindowState, ClosingWritesThePlacementAndThePanelColoursAsSignedNumbers) {
    StartShowAndClose();
    EXPECT_EQ(Stored("TfrmTuvakoMain", "ShowCmd"), "1");
    const AnsiString first = Stored("TfrmTuvakoMain", "NormalPos");
    EXPECT_TRUE(QRegularExpression("^-?\\d+,-?\\d+,-?\\d+,-?\\d+$")
                    .match(QString::fromStdString(first))
                    .hasMatch())
        << first;
    StartShowAndClose();
    StartShowAndClose();
    EXPECT_EQ(Stored("TfrmTuvakoMain", "NormalPos"), first) << "the window creeps at each restart";
    EXPECT_NE(Stored("TfrmTuvakoMain", "Flags"), "(none)");
    EXPECT_NE(Stored("TfrmTuvakoMain", "PixelsPerInch"), "(none)");
    EXPECT_EQ(Stored("TfrmTuvakoMain", "Color"), "-2147483633");
    EXPECT_EQ(Stored("TfrmDEvevorMain", "PanelTausta.Color"), "16711680");
    EXPECT_EQ(Stored("TfrmDEvevorMain", "PanelTop.Color"), "-2147483633");
    EXPECT_EQ(Stored("TfrmDEvevorMain", "PanelValinta.Color"), "-2147483633");
}

TEST_F(WindowState, ChosenColourAndMovedPositionComeBackAtTheNextStart) {
    Start().show();
    auto* dialog = probe->Find<QColorDialog>("ColorDialog");
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    probe->Find<QAction>("mnuBackColor")->trigger();
    probe->Find<QAction>("mnuLogi")->trigger();
    ASSERT_TRUE(window->close());
    Store("TfrmTuvakoMain", "NormalPos", "100, 50");  // only two words, blanks after the comma

    Start();
    for (const char* panel : {"PanelTausta", "PanelTop", "PanelValinta"})
        EXPECT_EQ(ColorOf(panel), 0x563412) << panel;
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(696, 494));
    EXPECT_TRUE(probe->Find<QPlainTextEdit>("Memo")->isHidden());
}

TEST_F(WindowState, PositionMeasuredAtAnotherPixelsPerInchIsNotRestored) {
    StartShowAndClose();
    Store("TfrmTuvakoMain", "NormalPos", "100,50,800,600");
    Store("TfrmTuvakoMain", "PixelsPerInch", "12345");
    Store("TfrmDEvevorMain", "PanelTop.Color", "255");
    Start();
    EXPECT_EQ(window->pos(), QPoint(332, 113));
    EXPECT_EQ(ColorOf("PanelTop"), 255);  // the colours do not depend on the screen
}

TEST_F(WindowState, NonNumericColourTurnsThePanelBlackAndAMissingOneKeepsItsColour) {
    Store("TfrmDEvevorMain", "PanelTop.Color", "blue");
    Start();
    EXPECT_EQ(ColorOf("PanelTop"), 0);
    EXPECT_EQ(ColorOf("PanelTausta"), 0xFF0000);
    EXPECT_EQ(ColorOf("PanelValinta"), clBtnFace);
}

TEST_F(WindowState, UnwritableStateFileDoesNotStopTheCloseAndStandardErrorSaysWhy) {
    // A directory in its place cannot be replaced by a file, whoever runs the test.
    std::filesystem::create_directory(StateFile());
    Start().show();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(window->close());
    const std::string standardError = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(probe->FormClosed());
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 0u);
    EXPECT_NE(standardError.find("EIniFileException: Unable to write to " + StateFile()),
              std::string::npos)
        << standardError;
}

}  // namespace
}  // namespace tuvako
