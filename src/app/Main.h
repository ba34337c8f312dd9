// TfrmTuvakoMain: the terminal's main window, which holds all of its state and operations.
#pragma once

#include "app/Colors.h"
#include "app/ConfigFolder.h"
#include "app/FieldSplitter.h"
#include "app/HiddenPointer.h"
#include "app/MessageFields.h"
#include "cipher/TTwofish.h"
#include "platform/AnsiString.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QColorDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tuvako {

class LogPane;
class StateWriteThrough;
class TCustomSocket;
class TComponentState;
class TFormState;
class TIniFileStore;
class TTimerPool;
class TClientSocket;
class TSunkenLabel;
class TPanel;

// How the program was started, beyond the terminal's own arguments.
struct StartOptions {
    // The folder of both ini files; none keeps them beside the executable.
    std::optional<ConfigFolder> configFolder;
    bool hideCursor = false;  // no mouse pointer over the program (touch screens)
};

// The operations live in several source files, one per concern; each section of this class
// names its file. Developers add their own section rather than editing another's.
class TfrmTuvakoMain : public QWidget {
    Q_OBJECT
    // The form's own colour, which the window state stores beside the position.
    Q_PROPERTY(int Color READ Color)

public:
    // `arguments` are the command-line arguments after the program name. Creating the window
    // creates every component of the layout, then runs FormCreate.
    explicit TfrmTuvakoMain(std::vector<AnsiString> arguments, QWidget* parent = nullptr);
    TfrmTuvakoMain(std::vector<AnsiString> arguments, StartOptions options,
                   QWidget* parent = nullptr);
    ~TfrmTuvakoMain() override;

    TColor Color() const { return clBtnFace; }

    // Shows the window maximised. Without a window manager nobody maximises it, so it is also
    // given the screen's available area; its designed position stays its normal placement.
    void ShowMaximisedOnScreen();

    // Appends one time-stamped line to the log pane (and to standard output when the
    // environment variable TUVAKO_CONSOLE_LOG is set).
    void AddLog(const AnsiString& text);
    // The text as the log shows it: bytes below 32 as "[" decimal "]".
    static AnsiString ShowControlChars(const AnsiString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Tests read the window's state through this class (tests/app/MainWindowProbe.h).
    friend class MainWindowProbe;

    // ==== Components of the layout (MainLayout.cpp) =========================================
    void CreateComponents();
    void CreatePanels();
    void CreateTopPanelContents();
    void CreatePopupMenu();
    void CreateStateKeepers();

    TPanel* PanelTausta = nullptr;
    LogPane* Memo = nullptr;
    TPanel* PanelTop = nullptr;
    TSunkenLabel* LblHuom = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* EdtKortti = nullptr;
    QLineEdit* EdtKoTiedot = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdtNimi = nullptr;
    TPanel* PanelValinta = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* mnuLogi = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuBackColor = nullptr;
    QAction* mnuExit = nullptr;
    QColorDialog* ColorDialog = nullptr;
    TFieldSplitter BreakApart;
    TFieldSplitter BreakApartTmp;
    TIniFileStore* IniFileStore = nullptr;      // "Selvaro.ini": the configuration
    TIniFileStore* IniFileStoreForm = nullptr;  // "Selwi.ini": window and panel state
    TTimerPool* TimerPool = nullptr;            // the keep-alive and the selection trigger
    TFormState* FormState = nullptr;            // the window's position, in "Selwi.ini"
    TComponentState* ComponentState = nullptr;  // the three panel colours, in "Selwi.ini"

    // ==== Start-up, configuration and close (MainStartup.cpp) ================================
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void ReadCommandLine();
    void ReadConfiguration();
    void CreateTriggers();
    void UseConfigFolder();
    void LogConfigFolder();
    // False when the ini files live in a system folder, which is never written to.
    bool StateWritable() const;

    std::vector<AnsiString> arguments_;
    StartOptions options_;
    std::unique_ptr<HiddenPointer> hiddenPointer_;  // with --hide-cursor
    bool formClosed_ = false;  // FormClose has run; late events must leave ButtonCodes alone

    AnsiString SrvNo;
    AnsiString TerminalSection;
    AnsiString ServerAddress;
    AnsiString ServerPort;
    std::int32_t PingTime = 0;  // seconds
    bool UseServer = false;
    AnsiString TerminalId;
    std::int32_t ButtonWidth = 0;     // pixels
    std::int32_t ButtonShowTime = 0;  // seconds
    std::int32_t FontSize = 0;        // points
    bool ShowClearButton = false;
    bool ButtonsBuilt = false;
    std::int32_t ButtonCount = 0;
    std::vector<AnsiString> ButtonCodes;
    AnsiString PendingCustomer;
    int KeepAliveTrigger = -1;  // timer pool handle; -1 while there is none
    int SelectionTrigger = -1;  // timer pool handle; -1 while there is none

    // ==== Log pane and operator menu (MainLogPane.cpp) =======================================
    void mnuLogiClick();
    void mnuClearClick();
    void mnuBackColorClick();
    void mnuExitClick();
    void SetPanelColors(TColor color);
    int LogLineCount() const;

    bool consoleLog_ = false;

    // ==== Writing the window state through (MainStateSaving.cpp) ===============================
    // "Selwi.ini" is written when what it keeps changes, not only at close, so that a shutdown
    // that ends the terminal hard, or a power cut, loses nothing the operator set.
    void CreateStateSaving();
    // The window was moved, resized, maximised or restored: saved once it has settled.
    void WindowGeometryChanged();
    // Saves the window's position and the panel colours now; nothing in a system folder.
    void SaveWindowState();

    StateWriteThrough* StateSaving = nullptr;

    // ==== The offline notice (MainOfflineNotice.cpp) ============================================
    // While the link is on and no session is connected, a small red notice in the top panel
    // tells staff so, once the session has been down for a while.
    void CreateOfflineNotice();
    void CreateOfflineTrigger();
    void SessionWentDown();
    void SessionCameUp();
    void OfflineTimeout(int handle);

    QLabel* LblOffline = nullptr;
    int OfflineTrigger = -1;  // timer pool handle; -1 while there is none
    bool offlineTimerRunning_ = false;

    // ==== Server session (MainSession.cpp) ===================================================
    // Tests of the session read its state through this class (tests/e2e).
    friend class SessionProbe;

    // Releases the socket there is (DestroyLater) and connects a new one; logs an immediate
    // failure to start. Does nothing while the server link is off.
    void OpenSession();
    // Handlers of the current socket's events. An event whose sender is not the current socket
    // comes from one already released and changes nothing: the attempt it reports is over and
    // must not close or log over the connection that replaced it.
    void SessionConnected(TCustomSocket* sender, std::uint16_t error);
    void SessionClosed(TCustomSocket* sender, std::uint16_t error);
    void LineReceived(TCustomSocket* sender);
    void SendLogin();
    void SendPing();
    // Starts the keep-alive interval anew: the next "Ping" goes out PingTime seconds from now.
    void RestartKeepAlive();
    void KeepAliveTick(TTimerPool* sender, int handle, std::uint32_t interval,
                       std::int32_t elapsedTime);
    // Hands the current socket to DestroyLater and forgets it.
    void ReleaseSocket();
    bool IsSessionConnected() const;

    TClientSocket* Socket = nullptr;  // the current session socket, owned by the window

    // ==== Wire records, incoming messages, selection panel, time-out and clearing ===========
    // (MainRecords.cpp, MainMessages.cpp, MainSelectionPanel.cpp, MainClearing.cpp)
    // Tests of the road of one customer read and set the state below (tests/app).
    friend class CustomerRoadProbe;

    // Wire records and line framing (MainRecords.cpp).
    // Sends one record; true when the connected session took it. A record that cannot go out is
    // logged as not sent, with the reason, and dropped (never queued: a late choice could be
    // charged to a member who has gone); without a session a new one is opened.
    bool SendRecord(const AnsiString& record);
    bool SendOnSession(const AnsiString& record);
    // Everything that happens to one received text: line end, login prompt, decipher, log,
    // split, HandleMessage, keep-alive.
    void ReceiveLine(const AnsiString& received);
    AnsiString EncipherRecord(const AnsiString& plain);
    AnsiString DecipherReceived(const AnsiString& cipherText);

    TTwofish Chipper;  // keyed for one line at a time, wiped between lines

    // Incoming message handling (MainMessages.cpp).
    void HandleMessage(const FieldList& fields);
    void HandleAcceptedCard(const FieldList& card);
    void HandleRefusedCard(const FieldList& card);
    void HandleButtonsStart();
    void HandleButton(const FieldList& button);
    void HandleButtonsStop();
    void SetBoxText(QLineEdit* box, const AnsiString& text);
    void ClearCustomerBoxes();

    // Selection panel (MainSelectionPanel.cpp).
    void BuildButtons();
    void ResetButtons();
    void PlaceClearButton();
    void AddChoiceButton(const AnsiString& code, const AnsiString& caption, bool discounted);
    void ButtonClick(QObject* sender);
    FieldList SplitPendingCustomer();

    std::vector<QPushButton*> Buttons;  // one per slot, children of PanelValinta
    std::int32_t NextButton = 0;

    // Selection time-out and clearing (MainClearing.cpp).
    void ReportNoChoice(const AnsiString& reason);
    void ClearScreen();
    void ClearButtonClick();
    void SelectionTimeout(int handle);
    void SetSelectionTimerEnabled(bool enabled);
};

}  // namespace tuvako
