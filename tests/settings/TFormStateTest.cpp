#include "platform/WindowPlacement.h"
#include "settings/EComponentError.h"
#include "settings/TComponentState.h"
#include "settings/TFormState.h"
#include "settings/TIniFileStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <stdexcept>

namespace tuvako::test {

// A part of a panel held in an object-valued property; it points back at its panel.
class StatePart : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Shade MEMBER shade)
    Q_PROPERTY(QObject* Owner READ parent)

public:
    explicit StatePart(QObject* owner) : QObject(owner) {}
    int shade = 0;
};

// Stands in for the terminal's panels: Color holds a colour word 0x00BBGGRR (system colours
// negative) and can be made to refuse a new value; a set, a string list and an object stand for
// other kinds.
class StatePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(Anchors Anchored READ Anchored WRITE SetAnchored)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QObject* Part READ Part)

public:
    enum Anchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
    Q_DECLARE_FLAGS(Anchors, Anchor)
    Q_FLAG(Anchors)

    StatePanel(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }
    int Color() const { return color_; }
    void SetColor(int color) {
        if (refuseColors) throw std::runtime_error("colour refused");
        color_ = color;
    }
    Anchors Anchored() const { return anchors; }
    void SetAnchored(Anchors value) { anchors = value; }
    QObject* Part() const { return part; }

    bool refuseColors = false;
    Anchors anchors = {akLeft, akTop};
    QStringList lines;
    StatePart* part = new StatePart(this);

private:
    int color_ = -2147483633;  // button face
};

// A top-level window with the colour of a form, at its designed place and size.
class StateForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color MEMBER color)

public:
    StateForm() { setGeometry(332, 113, 704, 528); }
    int color = -2147483633;
};

}  // namespace tuvako::test

namespace tuvako {
namespace {

using test::StatePanel;
constexpr int kButtonFace = -2147483633;

// The terminal's keepers on a "Selwi.ini" in a temporary directory: the window's position
// ("TfrmTuvakoMain") and the colours of three panels on a form ("TfrmDEvevorMain").
class TFormStateTest : public ::testing::Test {
protected:
    TFormStateTest() {
        store.SetUseExeDir(false);
        store.SetIniFileName(dir.File("Selwi.ini").string());
    }

    std::unique_ptr<TFormState> KeeperFor(QWidget& form,
                                          TFormStateOptions options = fsPosition | fsNoSize) {
        auto keeper = std::make_unique<TFormState>(&form);
        keeper->SetSection("TfrmTuvakoMain");
        keeper->SetStorage(&store);
        keeper->SetOptions(options);
        return keeper;
    }
    struct Panels {
        test::StateForm window;
        StatePanel* tausta = new StatePanel("PanelTausta", &window);
        StatePanel* top = new StatePanel("PanelTop", tausta);
        StatePanel* valinta = new StatePanel("PanelValinta", tausta);
        std::unique_ptr<TComponentState> keeper;
    };
    // A fresh form with its panels as at a start of the terminal, and its keeper.
    std::unique_ptr<Panels> Start(const std::vector<AnsiString>& stored = {"PanelTausta.Color",
                                                                           "PanelTop.Color",
                                                                           "PanelValinta.Color"}) {
        auto form = std::make_unique<Panels>();
        form->keeper = std::make_unique<TComponentState>(&form->window);
        form->keeper->SetSection("TfrmDEvevorMain");
        form->keeper->SetStorage(&store);
        form->keeper->SetStoredProperties(stored);
        return form;
    }
    void WriteSelwi(const std::string& content) { dir.Write("Selwi.ini", content); }
    std::string Selwi() const { return test::TempDir::Read(dir.File("Selwi.ini")); }

    test::TempDir dir;
    TIniFileStore store;
};

TEST_F(TFormStateTest, SavingWritesEveryKeyInItsFormatAndARestartRestoresTheColours) {
    {
        test::StateForm window;
        auto formKeeper = KeeperFor(window);
        formKeeper->SaveState();  // never restored: must not overwrite what it never read
        EXPECT_EQ(Selwi(), "");
        auto form = Start();
        formKeeper->RestoreState();
        form->keeper->RestoreState();
        form->tausta->SetColor(0xFF0000);
        form->valinta->SetColor(0);
        formKeeper->SaveState();
        form->keeper->SaveState();
        EXPECT_TRUE(formKeeper->Saved());
        EXPECT_EQ(store.OpenCount(), 0);
    }
    EXPECT_EQ(Selwi(),
              "[TfrmTuvakoMain]\r\nFlags=0\r\nShowCmd=1\r\nNormalPos=332,113,1036,641\r\n"
              "PixelsPerInch=96\r\nColor=-2147483633\r\n"
              "[TfrmDEvevorMain]\r\nPanelTausta.Color=16711680\r\n"
              "PanelTop.Color=-2147483633\r\nPanelValinta.Color=0\r\n");
    auto form = Start();
    form->tausta->SetColor(0x123456);
    form->keeper->RestoreState();
    EXPECT_EQ(form->tausta->Color(), 0xFF0000);
    EXPECT_EQ(form->top->Color(), kButtonFace);
    EXPECT_EQ(form->valinta->Color(), 0);
}

TEST_F(TFormStateTest, NormalPosIsReadLenientlyOnlyTheCornerMovesAndPixelsPerInchGuards) {
    const std::pair<std::string, QPoint> cases[] = {
        {"NormalPos=100,50,900,700\r\n", {100, 50}},
        {"NormalPos=100, 50, 900, 700\r\n", {100, 50}},
        {"NormalPos=100 ,, 50\r\n", {100, 50}},
        {"NormalPos=abc,50,900,700\r\n", {332, 50}},
        {"NormalPos=-20,7x\r\n", {-20, 113}},
        {"", {332, 113}},
        {"NormalPos=\r\n", {332, 113}},
        {"PixelsPerInch=120\r\nNormalPos=100,50,900,700\r\n", {332, 113}},
        {"PixelsPerInch=96\r\nNormalPos=100,50,900,700\r\n", {100, 50}},
        // Beyond any screen: held where adding the width cannot overflow.
        {"NormalPos=2147483633,-2147483648\r\n", {1 << 20, -(1 << 20)}},
    };
    for (const auto& [placement, corner] : cases) {
        WriteSelwi("[TfrmTuvakoMain]\r\n" + placement);
        test::StateForm form;
        KeeperFor(form)->RestoreState();
        EXPECT_EQ(form.geometry(), QRect(corner, QSize(704, 528))) << placement;
    }
}

TEST_F(TFormStateTest, TheFormOptionsDecideWhatComesBack) {
    WriteSelwi("[TfrmTuvakoMain]\r\nShowCmd=3\r\nNormalPos=10,20,410,320\r\nColor=255\r\n");
    test::StateForm positioned, full;
    KeeperFor(positioned)->RestoreState();
    EXPECT_EQ(positioned.color, kButtonFace);  // written but not read back without fsColor
    EXPECT_FALSE(positioned.windowState() & Qt::WindowMaximized);
    KeeperFor(full, fsState | fsPosition | fsColor)->RestoreState();
    EXPECT_TRUE(full.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(GetWindowPlacement(full).normalPosition, (PlacementRect{10, 20, 410, 320}));
    EXPECT_EQ(full.color, 255);
}

TEST_F(TFormStateTest, AMaximisedWindowKeepsItsRestoredPositionAcrossRestarts) {
    {
        test::StateForm form;
        auto keeper = KeeperFor(form);
        keeper->RestoreState();
        form.move(200, 100);
        form.showMaximized();
        keeper->SaveState();
    }
    const std::string saved = Selwi();
    EXPECT_NE(saved.find("ShowCmd=3\r\nNormalPos=200,100,904,628\r\n"), std::string::npos);

    // Restored before or after the window is made maximised, shown, saved again: no creeping.
    for (const bool maximiseFirst : {true, false}) {
        test::StateForm form;
        auto keeper = KeeperFor(form);
        if (maximiseFirst) form.setWindowState(Qt::WindowMaximized);
        keeper->RestoreState();
        form.showMaximized();
        EXPECT_TRUE(form.isMaximized());
        EXPECT_EQ(form.normalGeometry().topLeft(), QPoint(200, 100));
        keeper->SaveState();
        EXPECT_EQ(Selwi(), saved);
    }
}

TEST_F(TFormStateTest, AFormKeeperNeedsAnOwnerAndLetsGoOfADestroyedStore) {
    EXPECT_THROW(TFormState(nullptr), EComponentError);
    test::StateForm form;
    QWidget child(&form);
    TFormState keeper(&child);  // the keeper of the form the widget is on
    EXPECT_EQ(&keeper.Form(), &form);
    {
        TIniFileStore shortLived;
        keeper.SetStorage(&shortLived);
    }
    EXPECT_EQ(keeper.Storage(), nullptr);
    keeper.RestoreState();  // nothing to restore from, nothing breaks
    keeper.SaveState();
}

TEST_F(TFormStateTest, RestoreTurnsANonNumericColourBlackAndSkipsMissingAndFailingOnes) {
    WriteSelwi("[TfrmDEvevorMain]\r\nPanelTop.Color=2\r\nPanelValinta.Color=red\r\n");
    auto form = Start();
    form->tausta->SetColor(0xFF0000);
    form->top->refuseColors = true;
    EXPECT_NO_THROW(form->keeper->RestoreState());
    EXPECT_EQ(form->tausta->Color(), 0xFF0000);
    EXPECT_EQ(form->top->Color(), kButtonFace);
    EXPECT_EQ(form->valinta->Color(), 0);
}

TEST_F(TFormStateTest, EntriesWithoutAComponentAreDroppedAndNamesIgnoreCase) {
    auto form = Start({"PanelGone.Color", "paneltop.COLOR", "PanelTop", ".Color", "PanelTop.",
                       " PanelValinta . Color ", "PanelTausta.NoSuchProperty"});
    EXPECT_EQ(form->keeper->StoredProperties(),
              (std::vector<AnsiString>{"paneltop.COLOR", " PanelValinta . Color ",
                                       "PanelTausta.NoSuchProperty"}));
    form->keeper->RestoreState();
    delete form->valinta;  // a component removed later takes its entry along
    form->keeper->SaveState();
    EXPECT_EQ(Selwi(), "[TfrmDEvevorMain]\r\nPanelTop.Color=-2147483633\r\n");
    EXPECT_EQ(form->keeper->StoredProperties(),
              (std::vector<AnsiString>{"paneltop.COLOR", "PanelTausta.NoSuchProperty"}));
}

TEST_F(TFormStateTest, ASaveThatCannotBeWrittenRaisesUnableToWriteAndClosesTheStore) {
    store.SetIniFileName(dir.File("missing/Selwi.ini").string());
    auto form = Start();
    form->keeper->RestoreState();
    EXPECT_THROW(form->keeper->SaveState(), EIniFileException);
    EXPECT_FALSE(form->keeper->Saved());
    EXPECT_EQ(store.OpenCount(), 0);
}

TEST_F(TFormStateTest, SetsAndStringListsRoundTripAndUnknownNamesInASetAreIgnored) {
    const auto topAndBottom = StatePanel::Anchors(StatePanel::akTop) | StatePanel::akBottom;
    const QStringList lines = {"yksi", "", "k\u00E4rki"};
    {
        auto form = Start({"PanelTop.Anchored", "PanelTop.Lines"});
        form->keeper->RestoreState();
        form->top->anchors = topAndBottom;
        form->top->lines = lines;
        form->keeper->SaveState();
    }
    EXPECT_EQ(Selwi(),
              "[TfrmDEvevorMain]\r\nPanelTop.Anchored=[akTop,akBottom]\r\n"
              "[TfrmDEvevorMain.PanelTop.Lines]\r\nCount=3\r\nItem0=yksi\r\nItem1=\r\n"
              "Item2=k\xE4rki\r\n");
    auto form = Start({"PanelTop.Anchored", "PanelTop.Lines"});
    form->keeper->RestoreState();
    EXPECT_EQ(form->top->anchors, topAndBottom);
    EXPECT_EQ(form->top->lines, lines);

    WriteSelwi("[TfrmDEvevorMain]\r\nPanelTop.Anchored=[ AKRIGHT , akSideways]\r\n");
    form->keeper->RestoreState();
    EXPECT_EQ(form->top->anchors, StatePanel::Anchors(StatePanel::akRight));
}

TEST_F(TFormStateTest, AnObjectInAPropertyKeepsEachOfItsOwnPropertiesAndIsWalkedOnce) {
    {
        auto form = Start({"PanelTop.Part"});
        form->keeper->RestoreState();
        form->top->part->shade = 7;
        form->keeper->SaveState();  // the part's way back to its panel is not followed
    }
    EXPECT_EQ(Selwi(), "[TfrmDEvevorMain]\r\nPanelTop.Part.Shade=7\r\n");
    auto form = Start({"PanelTop.Part"});
    form->keeper->RestoreState();
    EXPECT_EQ(form->top->part->shade, 7);
}

}  // namespace
}  // namespace tuvako

#include "TFormStateTest.moc"
