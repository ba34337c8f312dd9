// Start-up and close of the main window: command line, configuration, triggers, window state.
#include "app/Main.h"

#include "app/ConfigValues.h"
#include "app/TPanel.h"
#include "app/Texts.h"
#include "platform/Cp1252.h"
#include "platform/ExceptionReporter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

namespace tuvako {

TfrmTuvakoMain::~TfrmTuvakoMain() {
    FormDestroy();
}

void TfrmTuvakoMain::FormCreate() {
    PanelTausta->SetColor(clBlue);
    // SEAM (window state): restore OvcFormState, then OvcComponentState, from "Selwi.ini".
    ButtonCodes.clear();
    ReadCommandLine();
    ReadConfiguration();
    setWindowTitle(ToQString(TerminalId));
    QApplication::setApplicationDisplayName(ToQString(TerminalId));
    PendingCustomer.clear();
    if (UseServer) OpenSession();
    CreateTriggers();
}

void TfrmTuvakoMain::ReadCommandLine() {
    SrvNo = SrvNoFromArguments(arguments_, texts::kDefaultSrvNo);
    TerminalSection = texts::kTerminalPrefix + SrvNo;
}

void TfrmTuvakoMain::ReadConfiguration() {
    // SEAM (settings store): read through OvcIniFileStore once it exists; defaults until then.
    const auto readString = [](const char*, const char*, const AnsiString& fallback) {
        return fallback;
    };
    const auto readInteger = [](const char*, const char*, std::int32_t fallback) {
        return fallback;
    };
    const AnsiString& section = TerminalSection;
    ServerPort = CutTo(readString(texts::kServerSection, texts::kKeyPort, texts::kDefaultPort),
                       ShortTextMax);
    PingTime = readInteger(texts::kServerSection, texts::kKeyPingTime, texts::kDefaultPingTime);
    UseServer = IsYes(readString(texts::kServerSection, texts::kKeyUse, texts::kDefaultUse));
    ServerAddress = CutTo(
        readString(texts::kServerSection, texts::kKeyServerAddress, texts::kDefaultServerAddress),
        ShortTextMax);
    TerminalId = CutTo(texts::kTerminalPrefix +
                           readString(section.c_str(), texts::kKeyNumber, texts::kDefaultNumber),
                       ShortTextMax);
    ButtonWidth = readInteger(section.c_str(), texts::kKeyButtonWidth, texts::kDefaultButtonWidth);
    ButtonsBuilt = false;
    ButtonCount = 0;
    ButtonShowTime =
        readInteger(section.c_str(), texts::kKeyButtonShowTime, texts::kDefaultButtonShowTime);
    FontSize = readInteger(section.c_str(), texts::kKeyFontSize, texts::kDefaultFontSize);
    ShowClearButton = IsYes(
        readString(section.c_str(), texts::kKeyShowClearButton, texts::kDefaultShowClearButton));
}

void TfrmTuvakoMain::CreateTriggers() {
    // SEAM (timer pool): the keep-alive trigger (with UseServer) and the selection trigger.
}

void TfrmTuvakoMain::closeEvent(QCloseEvent* event) {
    // The close goes on whatever FormClose meets: a kiosk that cannot be closed is worse than
    // a window position that was not saved.
    ExceptionReporter::Guard("FormClose", [this] { FormClose(); });
    event->accept();
}

void TfrmTuvakoMain::FormClose() {
    // SEAM (timer pool): RemoveAllTriggers.
    // SEAM (window state): save OvcFormState, then OvcComponentState, to "Selwi.ini".
    ButtonCodes.clear();
    formClosed_ = true;
}

void TfrmTuvakoMain::FormDestroy() {
    // The selection buttons are the push buttons on the selection panel.
    qDeleteAll(PanelValinta->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly));
}

void TfrmTuvakoMain::ShowMaximisedOnScreen() {
    showMaximized();
    if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
}

}  // namespace tuvako
