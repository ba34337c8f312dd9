// The window started with a configuration folder and with the pointer hidden; the log pane's
// first lines name the folder.
#include "MainWindowProbe.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QStyleOptionButton>

namespace tuvako {
namespace {

using StartOptionsTest = WindowTest;

ConfigFolder FolderAt(const std::filesystem::path& path, bool writable = true) {
    ConfigFolder folder;
    folder.path = path.string();
    folder.source = ConfigFolder::Source::Option;
    folder.writable = writable;
    return folder;
}

TEST_F(StartOptionsTest, BothIniFilesLiveInTheChosenFolderAndTheLogSaysWhichOne) {
    const test::TempDir config;
    config.Write("Selvaro.ini", "[Tuvako01]\nNumber=42\n");
    WriteConfig("[Tuvako01]\nNumber=7\n");  // beside the program: not read
    window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                              StartOptions{FolderAt(config.Path())});
    EXPECT_EQ(window->windowTitle(), "Tuvako42");
    const QStringList log = Find<LogPane>("Memo")->Text().split('\n');
    ASSERT_GE(log.size(), 2);
    EXPECT_TRUE(log[0].endsWith(QString::fromStdString(
        "> Configuration folder: " + config.Path().string() + " (set by --config-dir)")))
        << log[0].toStdString();
    EXPECT_TRUE(log[1].endsWith("> Selvaro.ini found.")) << log[1].toStdString();
    window->close();
    EXPECT_TRUE(std::filesystem::exists(config.File("Selwi.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("Selwi.ini")));
}

TEST_F(StartOptionsTest, AFolderWithoutSelvaroIsNamedAndASystemFolderIsNeverWritten) {
    const test::TempDir config;
    window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                              StartOptions{FolderAt(config.Path(), false)});
    const std::string log = Find<LogPane>("Memo")->Text().toStdString();
    EXPECT_NE(log.find("> Selvaro.ini not found: every setting has its default."),
              std::string::npos);
    EXPECT_NE(log.find("> Selwi.ini is not written in a system folder."), std::string::npos);
    window->close();
    EXPECT_TRUE(std::filesystem::is_empty(config.Path()));

    // Started as before, the log names the program's own folder.
    Start();
    EXPECT_NE(Find<LogPane>("Memo")->Text().toStdString().find(
                  "> Configuration folder: " + dir.Path().string() + " (beside the program)"),
              std::string::npos);
}

TEST_F(StartOptionsTest, HideCursorHidesThePointerOverTheWholeProgramWhileTheWindowLives) {
    Start();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                              StartOptions{ProgramFolder(), true});
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    // A picture with no visible pixel, not Qt::BlankCursor, which a Wayland compositor may
    // answer with an arrow of its own.
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BitmapCursor);
    const QImage picture = QApplication::overrideCursor()->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(qAlpha(picture.pixel(x, y)), 0) << x << "," << y;
    window.reset();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Counts the hover events that reach a widget.
class HoverCount : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        count += type == QEvent::HoverEnter || type == QEvent::HoverMove;
        return false;
    }
};

// A touch screen's hidden pointer rests where the last touch was; a button that appears there
// with the next customer's choices must not be drawn as hovered.
TEST_F(StartOptionsTest, WithHideCursorNothingReactsToThePointerRestingOverIt) {
    for (const bool hideCursor : {false, true}) {
        window.reset();
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                                  StartOptions{ProgramFolder(), hideCursor});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        auto* panel = Find<QWidget>("PanelValinta");
        auto* button = new QPushButton(QStringLiteral("Sali"), panel);
        button->setGeometry(20, 15, 100, 100);
        button->setAttribute(Qt::WA_Hover);  // whatever the style asks for
        HoverCount hovers;
        button->installEventFilter(&hovers);
        QTest::mouseMove(panel, QPoint(70, 65));  // where the button will appear
        button->show();
        QTest::mouseMove(button, QPoint(40, 40));
        QCoreApplication::processEvents();
        QStyleOptionButton option;
        option.initFrom(button);
        EXPECT_EQ(button->underMouse(), !hideCursor) << hideCursor;
        EXPECT_EQ((option.state & QStyle::State_MouseOver) != 0, !hideCursor) << hideCursor;
        EXPECT_EQ(hovers.count > 0, !hideCursor) << hideCursor;
    }
}

}  // namespace
}  // namespace tuvako
