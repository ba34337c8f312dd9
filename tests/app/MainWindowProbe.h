// Read access to the main window's state for tests, and the fixture of the window tests.
#pragma once

#include "app/LogPane.h"
#include "app/Main.h"
#include "app/StateWriteThrough.h"
#include "app/TPanel.h"
#include "settings/TTimerPool.h"
#include "support/TempDir.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace tuvako {

// The window names this class its friend.
class MainWindowProbe {
public:
    explicit MainWindowProbe(TfrmTuvakoMain& window) : w_(window) {}

    // The configuration the window read, in one line.
    std::string Settings() const {
        return w_.TerminalId + " " + w_.ServerAddress + ":" + w_.ServerPort + " ping " +
               std::to_string(w_.PingTime) + (w_.UseServer ? " on" : " off") + " width " +
               std::to_string(w_.ButtonWidth) + " show " + std::to_string(w_.ButtonShowTime) +
               " font " + std::to_string(w_.FontSize) + (w_.ShowClearButton ? " clear" : "");
    }
    int LogLineCount() const { return w_.LogLineCount(); }
    bool FormClosed() const { return w_.formClosed_; }
    std::uint32_t TimerPeriod() const { return w_.TimerPool->TimerPeriod(); }
    // What writes "Selwi.ini" when the window's state changes.
    StateWriteThrough& StateSaving() const { return *w_.StateSaving; }

private:
    TfrmTuvakoMain& w_;
};

// Windows of a test keep Selvaro.ini and Selwi.ini in a fresh temporary directory, which stands
// for the folder of a program run from a folder of its own; starting again in the same test is
// a restart.
class WindowTest : public ::testing::Test {
protected:
    ~WindowTest() override { window.reset(); }

    // The folder the program chooses when neither --config-dir nor the environment names one.
    ConfigFolder ProgramFolder() const {
        ConfigFolderFacts facts;
        facts.executableFolder = dir.Path().string();
        return ConfigFolder::Choose(facts);
    }
    TfrmTuvakoMain& Start(std::vector<AnsiString> arguments = {}) {
        window =
            std::make_unique<TfrmTuvakoMain>(std::move(arguments), StartOptions{ProgramFolder()});
        probe = std::make_unique<MainWindowProbe>(*window);
        return *window;
    }
    template <class Widget>
    Widget* Find(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    TColor ColorOf(const char* panel) const { return Find<TPanel>(panel)->Color(); }
    void WriteConfig(const std::string& content) const { dir.Write("Selvaro.ini", content); }

    // "Taustaväri", with the operator confirming `colour` (or cancelling) in the dialog.
    // Returns the colour the dialog offered.
    QColor ChooseBackground(QColor colour, bool confirm = true) {
        auto* dialog = Find<QColorDialog>("ColorDialog");
        QColor offered;
        QTimer::singleShot(0, dialog, [&, dialog] {
            offered = dialog->currentColor();
            dialog->setCurrentColor(colour);
            confirm ? dialog->accept() : dialog->reject();
        });
        Find<QAction>("mnuBackColor")->trigger();
        return offered;
    }
    // The README shows these pictures: saved when TUVAKO_SCREENSHOT_DIR names a directory.
    void SavePicture(const char* name) const {
        if (QString folder = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR"); !folder.isEmpty()) {
            EXPECT_TRUE(window->grab().save(QDir(folder).filePath(name)));
        }
    }

    test::TempDir dir;
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<MainWindowProbe> probe;
};

}  // namespace tuvako
