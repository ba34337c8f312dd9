// Read access to the main window's state for tests, and the fixture of the window tests.
#pragma once

#include "app/Main.h"
#include "platform/ExecutableFile.h"
#include "settings/TOvcTimerPool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QColorDialog>
#include <QTimer>

#include <memory>

namespace tuvako {

// The window names this class its friend.
class MainWindowProbe {
public:
    explicit MainWindowProbe(TfrmTuvakoMain& window) : w_(window) {}

    // The component with this object name, or nullptr.
    template <class Widget>
    Widget* Find(const char* name) const {
        return w_.findChild<Widget*>(QString::fromLatin1(name));
    }

    const AnsiString& SrvNo() const { return w_.SrvNo; }
    const AnsiString& TerminalSection() const { return w_.TerminalSection; }
    const AnsiString& TerminalId() const { return w_.TerminalId; }
    const AnsiString& ServerAddress() const { return w_.ServerAddress; }
    const AnsiString& ServerPort() const { return w_.ServerPort; }
    std::int32_t PingTime() const { return w_.PingTime; }
    bool UseServer() const { return w_.UseServer; }
    std::int32_t ButtonWidth() const { return w_.ButtonWidth; }
    std::int32_t ButtonShowTime() const { return w_.ButtonShowTime; }
    std::int32_t FontSize() const { return w_.FontSize; }
    bool ShowClearButton() const { return w_.ShowClearButton; }
    int LogLineCount() const { return w_.LogLineCount(); }
    bool FormClosed() const { return w_.formClosed_; }
    const TOvcTimerPool& TimerPool() const { return *w_.OvcTimerPool; }

private:
    TfrmTuvakoMain& w_;
};

// Windows of a test find their "executable directory", with Selvaro.ini and Selwi.ini, in a
// fresh temporary directory; starting again in the same test is a restart.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() { SetExecutableFileForTesting((dir.Path() / "tuvako").string()); }
    ~WindowTest() override {
        window.reset();
        SetExecutableFileForTesting({});
    }

    TfrmTuvakoMain& Start(std::vector<AnsiString> arguments = {}) {
        window = std::make_unique<TfrmTuvakoMain>(std::move(arguments));
        probe = std::make_unique<MainWindowProbe>(*window);
        return *window;
    }
    template <class Widget>
    Widget* Find(const char* name) const {
        return probe->Find<Widget>(name);
    }
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

    test::TempDir dir;
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<MainWindowProbe> probe;
};

}  // namespace tuvako
