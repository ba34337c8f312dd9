#include "StateTestWidgets.h"
#include "platform/ExecutableFile.h"
#include "settings/TOvcComponentState.h"
#include "settings/TOvcIniFileStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace tuvako {
namespace {

using test::StatePanel;

// The terminal's colour keeper: three panels on a form, on "Selwi.ini" beside the executable.
class TOvcComponentStateTest : public ::testing::Test {
protected:
    TOvcComponentStateTest() {
        SetExecutableFileForTesting(exeDir.Path().string() + "/tuvako");
        store.SetIniFileName("Selwi.ini");
    }
    ~TOvcComponentStateTest() override { SetExecutableFileForTesting({}); }

    // A fresh form as at a start of the terminal, and its keeper.
    struct Form {
        test::StateForm window;
        StatePanel* tausta = new StatePanel("PanelTausta", &window);
        StatePanel* top = new StatePanel("PanelTop", tausta);
        StatePanel* valinta = new StatePanel("PanelValinta", tausta);
        std::unique_ptr<TOvcComponentState> keeper;
    };
    std::unique_ptr<Form> Start(const std::vector<AnsiString>& stored = {
                                    "PanelTausta.Color", "PanelTop.Color", "PanelValinta.Color"}) {
        auto form = std::make_unique<Form>();
        form->keeper = std::make_unique<TOvcComponentState>(&form->window);
        form->keeper->SetSection("TfrmDEvevorMain");
        form->keeper->SetStorage(&store);
        form->keeper->SetStoredProperties(stored);
        return form;
    }
    std::string Selwi() const { return test::TempDir::Read(exeDir.File("Selwi.ini")); }

    test::TempDir exeDir;
    TOvcIniFileStore store;
};

TEST_F(TOvcComponentStateTest, ColoursAreStoredAsSignedDecimalsAndComeBack) {
    {
        auto form = Start();
        form->keeper->RestoreState();
        form->tausta->SetColor(0xFF0000);
        form->valinta->SetColor(0);
        form->keeper->SaveState();
    }
    EXPECT_EQ(Selwi(),
              "[TfrmDEvevorMain]\r\nPanelTausta.Color=16711680\r\n"
              "PanelTop.Color=-2147483633\r\nPanelValinta.Color=0\r\n");
    auto form = Start();
    form->tausta->SetColor(0x123456);
    form->keeper->RestoreState();
    EXPECT_EQ(form->tausta->Color(), 0xFF0000);
    EXPECT_EQ(form->top->Color(), -2147483633);
    EXPECT_EQ(form->valinta->Color(), 0);
}

TEST_F(TOvcComponentStateTest, ANonNumericColourTurnsBlackAndAMissingOneStaysAsItIs) {
    exeDir.Write("Selwi.ini",
                 "[TfrmDEvevorMain]\r\nPanelTop.Color=red\r\nPanelValinta.Color=  255 \r\n");
    auto form = Start();
    form->tausta->SetColor(0xFF0000);
    form->keeper->RestoreState();
    EXPECT_EQ(form->top->Color(), 0);
    EXPECT_EQ(form->valinta->Color(), 255);
    EXPECT_EQ(form->tausta->Color(), 0xFF0000);
}

TEST_F(TOvcComponentStateTest, EntriesWithoutAComponentAreDroppedAndNamesIgnoreCase) {
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

TEST_F(TOvcComponentStateTest, APropertyThatFailsToRestoreIsSkippedAndTheOthersStillComeBack) {
    exeDir.Write("Selwi.ini",
                 "[TfrmDEvevorMain]\r\nPanelTausta.Color=1\r\nPanelTop.Color=2\r\n"
                 "PanelValinta.Color=3\r\n");
    auto form = Start();
    form->top->refuseColors = true;
    EXPECT_NO_THROW(form->keeper->RestoreState());
    EXPECT_EQ(form->tausta->Color(), 1);
    EXPECT_EQ(form->top->Color(), -2147483633);
    EXPECT_EQ(form->valinta->Color(), 3);
}

TEST_F(TOvcComponentStateTest, ASaveThatCannotBeWrittenRaisesUnableToWriteAndClosesTheStore) {
    SetExecutableFileForTesting(exeDir.Path().string() + "/missing/tuvako");
    auto form = Start();
    form->keeper->RestoreState();
    EXPECT_THROW(form->keeper->SaveState(), EIniFileException);
    EXPECT_FALSE(form->keeper->Saved());
    EXPECT_EQ(store.OpenCount(), 0);
}

TEST_F(TOvcComponentStateTest, PropertiesOfEveryKindRoundTripThroughTheirText) {
    const std::vector<AnsiString> stored = {
        "PanelTop.Align",   "PanelTop.Anchored",    "PanelTop.Flat",  "PanelTop.Ratio",
        "PanelTop.Caption", "PanelTop.Accelerator", "PanelTop.Lines", "PanelTop.Font"};
    {
        auto form = Start(stored);
        form->keeper->RestoreState();
        StatePanel& top = *form->top;
        top.align = StatePanel::alClient;
        top.anchors = StatePanel::Anchors(StatePanel::akTop) | StatePanel::akBottom;
        top.flat = true;
        top.ratio = 0.1;
        top.caption = "Valitse listasta!";
        top.accelerator = QChar(0xE4);
        top.lines = {"yksi", "", "kolme"};
        top.font_.size = 27;
        top.font_.name = "Serif";
        form->keeper->SaveState();
    }
    const std::string selwi = Selwi();
    for (const char* line :
         {"PanelTop.Align=alClient\r\n", "PanelTop.Anchored=[akTop,akBottom]\r\n",
          "PanelTop.Flat=True\r\n", "PanelTop.Ratio=0.1\r\n", "PanelTop.Accelerator=\xE4\r\n",
          "PanelTop.Font.Size=27\r\n",
          "[TfrmDEvevorMain.PanelTop.Lines]\r\nCount=3\r\nItem0=yksi\r\n"})
        EXPECT_NE(selwi.find(line), std::string::npos) << line;

    auto form = Start(stored);
    form->keeper->RestoreState();
    const StatePanel& top = *form->top;
    EXPECT_EQ(top.align, StatePanel::alClient);
    EXPECT_EQ(top.anchors, StatePanel::Anchors(StatePanel::akTop) | StatePanel::akBottom);
    EXPECT_TRUE(top.flat);
    EXPECT_DOUBLE_EQ(top.ratio, 0.1);
    EXPECT_EQ(top.caption, "Valitse listasta!");
    EXPECT_EQ(top.accelerator, QChar(0xE4));
    EXPECT_EQ(top.lines, (QStringList{"yksi", "", "kolme"}));
    EXPECT_EQ(top.font_.size, 27);
    EXPECT_EQ(top.font_.name, "Serif");
}

TEST_F(TOvcComponentStateTest, UnknownNamesInEnumerationsAndSetsAreIgnored) {
    exeDir.Write("Selwi.ini",
                 "[TfrmDEvevorMain]\r\nPanelTop.Align=alnowhere\r\nPanelTop.Flat=TRUE\r\n"
                 "PanelTop.Anchored=[ AKRIGHT , akSideways]\r\nPanelTop.Ratio=half\r\n");
    auto form = Start({"PanelTop.Align", "PanelTop.Flat", "PanelTop.Anchored", "PanelTop.Ratio"});
    form->keeper->RestoreState();
    EXPECT_EQ(form->top->align, StatePanel::alNone);
    EXPECT_TRUE(form->top->flat);
    EXPECT_EQ(form->top->anchors, StatePanel::Anchors(StatePanel::akRight));
    EXPECT_DOUBLE_EQ(form->top->ratio, 0.5);
}

}  // namespace
}  // namespace tuvako
