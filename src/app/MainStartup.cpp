// Start-up and close of the main window: command line, configuration, triggers, window state.
#include "app/Main.h"

#include "app/ConfigValues.h"
#include "app/HiddenPointer.h"
#include "app/NoHover.h"
#include "app/TPanel.h"
#include "app/Texts.h"
#include "platform/Cp1252.h"
#include "platform/ExceptionReporter.h"
#include "platform/ExecutableFile.h"
#include "platform/Folders.h"
#include "settings/TComponentState.h"
#include "settings/TFormState.h"
#include "settings/TIniFileStore.h"
#include "settings/TTimerPool.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace tuvako {

TfrmTuvakoMain::~TfrmTuvakoMain() {
    FormDestroy();
}

void TfrmTuvakoMain::FormCreate() {
    PanelTausta->SetColor(clBlue);
    // A colour saved earlier replaces the blue; a failure to read leaves the designed state.
    ExceptionReporter::Guard("Restoring the window state", [this] { FormState->RestoreState(); });
    ExceptionReporter::Guard("Restoring the panel colours",
                             [this] { ComponentState->RestoreState(); });
    ButtonCodes.clear();
    ReadCommandLine();
    LogConfigFolder();
    ReadConfiguration();
    setWindowTitle(ToQString(TerminalId));
    QApplication::setApplicationDisplayName(ToQString(TerminalId));
    PendingCustomer.clear();
    if (UseServer) OpenSession();
    CreateTriggers();
    if (options_.hideCursor) {
        // Over the whole program, dialogs and menus included: the read-only boxes and the
        // buttons would otherwise show their own pointers.
        hiddenPointer_ = std::make_unique<HiddenPointer>();
        // Nothing reacts to the hidden pointer where it rests, either (the window owns the filter).
        new NoHover(this);
    }
}

void TfrmTuvakoMain::UseConfigFolder() {
    if (!options_.configFolder) return;
    for (auto [store, file] : {std::pair{IniFileStore, texts::kConfigFile},
                               std::pair{IniFileStoreForm, texts::kStateFile}}) {
        store->SetUseExeDir(false);
        store->SetIniFileName(options_.configFolder->File(file));
    }
}

void TfrmTuvakoMain::LogConfigFolder() {
    const AnsiString configFile = IniFileStore->ResolveFileName();
    const std::size_t separator = configFile.rfind(PathDelimiter);
    const AnsiString folder =
        separator == AnsiString::npos ? AnsiString(".") : configFile.substr(0, separator);
    const char* how =
        options_.configFolder ? options_.configFolder->Describe() : "beside the program";
    AddLog("Configuration folder: " + folder + " (" + how + ")");
    AddLog(FileExists(configFile)
               ? AnsiString(texts::kConfigFile) + " found."
               : AnsiString(texts::kConfigFile) + " not found: every setting has its default.");
    if (!StateWritable())
        AddLog(AnsiString(texts::kStateFile) + " is not written in a system folder.");
}

bool TfrmTuvakoMain::StateWritable() const {
    return !options_.configFolder || options_.configFolder->writable;
}

void TfrmTuvakoMain::ReadCommandLine() {
    SrvNo = SrvNoFromArguments(arguments_, texts::kDefaultSrvNo);
    TerminalSection = texts::kTerminalPrefix + SrvNo;
}

void TfrmTuvakoMain::ReadConfiguration() {
    TIniFileStore& store = *IniFileStore;
    const TAbstractStore::OpenScope open(store);
    const AnsiString server = texts::kServerSection;
    const AnsiString& terminal = TerminalSection;
    ServerPort =
        CutTo(store.ReadString(server, texts::kKeyPort, texts::kDefaultPort), ShortTextMax);
    PingTime = store.ReadInteger(server, texts::kKeyPingTime, texts::kDefaultPingTime);
    UseServer = IsYes(store.ReadString(server, texts::kKeyUse, texts::kDefaultUse));
    ServerAddress =
        CutTo(store.ReadString(server, texts::kKeyServerAddress, texts::kDefaultServerAddress),
              ShortTextMax);
    TerminalId = CutTo(texts::kTerminalPrefix +
                           store.ReadString(terminal, texts::kKeyNumber, texts::kDefaultNumber),
                       ShortTextMax);
    ButtonWidth = store.ReadInteger(terminal, texts::kKeyButtonWidth, texts::kDefaultButtonWidth);
    ButtonsBuilt = false;
    ButtonCount = 0;
    ButtonShowTime =
        store.ReadInteger(terminal, texts::kKeyButtonShowTime, texts::kDefaultButtonShowTime);
    FontSize = store.ReadInteger(terminal, texts::kKeyFontSize, texts::kDefaultFontSize);
    ShowClearButton = IsYes(
        store.ReadString(terminal, texts::kKeyShowClearButton, texts::kDefaultShowClearButton));
}

void TfrmTuvakoMain::CreateTriggers() {
    // Both triggers start enabled: the selection trigger also fires once, ButtonShowTime after
    // start-up, when its handler finds no grid and only disables it.
    if (UseServer) {
        KeepAliveTrigger =
            TimerPool->AddTrigger(TimerIntervalMs(PingTime, texts::kDefaultPingTime));
        TimerPool->SetTriggerHandler(
            KeepAliveTrigger,
            [this](TTimerPool* sender, int handle, std::uint32_t interval, std::int32_t elapsed) {
                KeepAliveTick(sender, handle, interval, elapsed);
            });
    }
    if (UseServer) CreateOfflineTrigger();
    SelectionTrigger =
        TimerPool->AddTrigger(TimerIntervalMs(ButtonShowTime, texts::kDefaultButtonShowTime));
    TimerPool->SetTriggerHandler(
        SelectionTrigger,
        [this](TTimerPool*, int handle, std::uint32_t, std::int32_t) { SelectionTimeout(handle); });
}

void TfrmTuvakoMain::closeEvent(QCloseEvent* event) {
    // The close goes on whatever FormClose meets: a kiosk that cannot be closed is worse than
    // a window position that was not saved.
    ExceptionReporter::Guard("FormClose", [this] { FormClose(); });
    event->accept();
    // A colour dialog still open (a stop signal while the operator chooses) would keep the
    // program running without its window; it goes as cancelled.
    if (ColorDialog->isVisible()) ColorDialog->reject();
}

void TfrmTuvakoMain::FormClose() {
    TimerPool->RemoveAllTriggers();
    // A state file that cannot be written must not keep the terminal from closing; the report
    // says why on standard error, unless a save before the close has already said it.
    SaveWindowState();
    ButtonCodes.clear();
    formClosed_ = true;
}

void TfrmTuvakoMain::FormDestroy() {
    for (QPushButton* button : Buttons) delete button;
    Buttons.clear();
}

void TfrmTuvakoMain::ShowMaximisedOnScreen() {
    showMaximized();
    // Without a window manager nobody acts on the maximised state. Sizing the platform window
    // directly fills the screen there, while the widget keeps its maximised state and its
    // designed normal placement (QWidget::setGeometry would drop both).
    QWindow* handle = windowHandle();
    const QScreen* screen = this->screen();
    if (handle && screen)
        handle->setGeometry(screen->availableGeometry().marginsRemoved(handle->frameMargins()));
}

}  // namespace tuvako
