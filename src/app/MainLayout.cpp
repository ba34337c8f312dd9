// The components of the main window at their designed places, sizes, fonts and colours.
#include "app/Main.h"

#include "app/Fonts.h"
#include "app/LogPane.h"
#include "app/TPanel.h"
#include "app/TSunkenLabel.h"
#include "app/Texts.h"
#include "platform/Cp1252.h"
#include "settings/TComponentState.h"
#include "settings/TFormState.h"
#include "settings/TIniFileStore.h"
#include "settings/TTimerPool.h"

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace tuvako {
namespace {

// The designed window: 704 x 528 with its frame (4 pixels on each side, a 26-pixel caption
// bar), so a client area of 696 x 494, at (332, 113).
constexpr QPoint kDesignedPosition(332, 113);
constexpr QSize kDesignedClientSize(696, 494);
constexpr int kTopPanelHeight = 116;
constexpr int kLogPaneHeight = 100;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QPoint at) {
    auto* label = new QLabel(ToQString(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(SansFont(13));
    label->adjustSize();
    label->move(at);
    return label;
}

QLineEdit* MakeReadOnlyBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFont(SansFont(13));
    box->setGeometry(geometry);
    // The operator menu belongs to the whole window, the boxes included.
    box->setContextMenuPolicy(Qt::NoContextMenu);
    // A box only shows: a touch or a click gives it no focus frame and no caret.
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

TfrmTuvakoMain::TfrmTuvakoMain(std::vector<AnsiString> arguments, QWidget* parent)
    : TfrmTuvakoMain(std::move(arguments), StartOptions{}, parent) {}

TfrmTuvakoMain::TfrmTuvakoMain(std::vector<AnsiString> arguments, StartOptions options,
                               QWidget* parent)
    : QWidget(parent), arguments_(std::move(arguments)), options_(std::move(options)) {
    CreateComponents();
    FormCreate();
}

void TfrmTuvakoMain::CreateComponents() {
    setObjectName(QStringLiteral("frmTuvakoMain"));
    setWindowTitle(ToQString(texts::kDesignedCaption));
    setFont(SansFont(11));
    QPalette colors = palette();
    colors.setColor(QPalette::Window, ToQColor(clBtnFace));
    colors.setColor(QPalette::WindowText, ToQColor(clWindowText));
    setPalette(colors);
    move(kDesignedPosition);
    resize(kDesignedClientSize);

    CreatePanels();
    CreateTopPanelContents();
    CreatePopupMenu();

    IniFileStore = new TIniFileStore(this);
    IniFileStore->setObjectName(QStringLiteral("IniFileStore"));
    IniFileStore->SetIniFileName(texts::kConfigFile);
    IniFileStore->SetUseExeDir(true);
    IniFileStoreForm = new TIniFileStore(this);
    IniFileStoreForm->setObjectName(QStringLiteral("IniFileStoreForm"));
    IniFileStoreForm->SetIniFileName(texts::kStateFile);
    IniFileStoreForm->SetUseExeDir(true);
    UseConfigFolder();

    TimerPool = new TTimerPool(this);
    TimerPool->setObjectName(QStringLiteral("TimerPool"));
    CreateStateKeepers();
    CreateStateSaving();

    BreakApart.SetBreakString("^");
    BreakApart.SetAllowEmptyString(true);
    BreakApartTmp.SetAllowEmptyString(true);
    consoleLog_ = qEnvironmentVariableIsSet("TUVAKO_CONSOLE_LOG");
}

void TfrmTuvakoMain::CreatePanels() {
    PanelTausta = new TPanel(this);
    PanelTausta->setObjectName(QStringLiteral("PanelTausta"));
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(PanelTausta);

    PanelTop = new TPanel(PanelTausta);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->SetBevels(TPanel::TBevelCut::bvRaised, TPanel::TBevelCut::bvLowered, 2);
    PanelTop->setFixedHeight(kTopPanelHeight);

    PanelValinta = new TPanel(PanelTausta);
    PanelValinta->setObjectName(QStringLiteral("PanelValinta"));
    PanelValinta->SetBevels(TPanel::TBevelCut::bvRaised, TPanel::TBevelCut::bvLowered, 2);

    Memo = new LogPane(PanelTausta);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setContextMenuPolicy(Qt::NoContextMenu);
    Memo->setFocusPolicy(Qt::NoFocus);  // read, scrolled, never typed in
    Memo->setFixedHeight(kLogPaneHeight);
    Memo->hide();

    // Top panel at the top, log pane at the bottom, the selection panel fills what is left.
    // The layout keeps no margins of its own: the panels sit flush inside PanelTausta's bevel.
    auto* inner = new QVBoxLayout(PanelTausta);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(0);
    inner->addWidget(PanelTop);
    inner->addWidget(PanelValinta, 1);
    inner->addWidget(Memo);
}

void TfrmTuvakoMain::CreateTopPanelContents() {
    LblHuom = new TSunkenLabel(PanelTop);
    LblHuom->setObjectName(QStringLiteral("LblHuom"));
    LblHuom->setGeometry(22, 8, 663, 35);
    LblHuom->setFont(SerifFont(27));
    LblHuom->SetTextColor(ToQColor(clGray));
    LblHuom->SetCaption(texts::kHeadlineWaiting);

    Label1 = MakeLabel(PanelTop, "Label1", texts::kCardLabel, QPoint(22, 56));
    EdtKortti = MakeReadOnlyBox(PanelTop, "EdtKortti", QRect(64, 54, 163, 24));
    EdtKoTiedot = MakeReadOnlyBox(PanelTop, "EdtKoTiedot", QRect(236, 54, 433, 24));
    Label2 = MakeLabel(PanelTop, "Label2", texts::kNameLabel, QPoint(22, 84));
    EdtNimi = MakeReadOnlyBox(PanelTop, "EdtNimi", QRect(64, 82, 297, 24));
    CreateOfflineNotice();
}

void TfrmTuvakoMain::CreateStateKeepers() {
    FormState = new TFormState(this);
    FormState->setObjectName(QStringLiteral("FormState"));
    FormState->SetOptions(fsPosition | fsNoSize);
    FormState->SetSection(texts::kFormStateSection);
    FormState->SetStorage(IniFileStoreForm);

    ComponentState = new TComponentState(this);
    ComponentState->setObjectName(QStringLiteral("ComponentState"));
    ComponentState->SetSection(texts::kComponentStateSection);
    ComponentState->SetStorage(IniFileStoreForm);
    ComponentState->SetStoredProperties(
        {"PanelTausta.Color", "PanelTop.Color", "PanelValinta.Color"});
}

void TfrmTuvakoMain::CreatePopupMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    const auto addItem = [this](const char* name, const char* caption,
                                void (TfrmTuvakoMain::*handler)()) {
        QAction* item = PopupMenu->addAction(ToQString(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuLogi = addItem("mnuLogi", texts::kMenuLog, &TfrmTuvakoMain::mnuLogiClick);
    mnuLogi->setCheckable(true);
    mnuClear = addItem("mnuClear", texts::kMenuClearLog, &TfrmTuvakoMain::mnuClearClick);
    mnuBackColor =
        addItem("mnuBackColor", texts::kMenuBackColor, &TfrmTuvakoMain::mnuBackColorClick);
    mnuExit = addItem("mnuExit", texts::kMenuExit, &TfrmTuvakoMain::mnuExitClick);

    ColorDialog = new QColorDialog(this);
    ColorDialog->setObjectName(QStringLiteral("ColorDialog"));
    ColorDialog->setOption(QColorDialog::DontUseNativeDialog);
}

}  // namespace tuvako
