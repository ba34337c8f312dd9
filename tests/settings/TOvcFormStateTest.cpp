#include "StateTestWidgets.h"
#include "platform/ExecutableFile.h"
#include "platform/WindowPlacement.h"
#include "settings/EOvcException.h"
#include "settings/TOvcFormState.h"
#include "settings/TOvcIniFileStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace tuvako {
namespace {

// The terminal's window keeper: position only, on "Selwi.ini" beside the executable.
class TOvcFormStateTest : public ::testing::Test {
protected:
    TOvcFormStateTest() {
        SetExecutableFileForTesting(exeDir.Path().string() + "/tuvako");
        store.SetIniFileName("Selwi.ini");
    }
    ~TOvcFormStateTest() override { SetExecutableFileForTesting({}); }

    std::unique_ptr<TOvcFormState> KeeperFor(QWidget& form,
                                             TOvcFormStateOptions options = fsPosition | fsNoSize) {
        auto keeper = std::make_unique<TOvcFormState>(&form);
        keeper->SetSection("TfrmTuvakoMain");
        keeper->SetStorage(&store);
        keeper->SetOptions(options);
        return keeper;
    }
    void WriteSelwi(const std::string& placement) {
        exeDir.Write("Selwi.ini", "[TfrmTuvakoMain]\r\n" + placement);
    }
    std::string Selwi() const { return test::TempDir::Read(exeDir.File("Selwi.ini")); }
    QPoint RestoredAt(const std::string& placement) {
        WriteSelwi(placement);
        test::StateForm form;
        KeeperFor(form)->RestoreState();
        EXPECT_EQ(form.size(), QSize(704, 528));
        return form.geometry().topLeft();
    }

    test::TempDir exeDir;
    TOvcIniFileStore store;
};

TEST_F(TOvcFormStateTest, SavingWritesEveryPlacementKeyInItsFormatAndOrder) {
    test::StateForm form;
    auto keeper = KeeperFor(form);
    keeper->SaveState();  // never restored: must not overwrite what it never read
    EXPECT_EQ(Selwi(), "");
    keeper->RestoreState();
    keeper->SaveState();
    EXPECT_EQ(Selwi(),
              "[TfrmTuvakoMain]\r\nFlags=0\r\nShowCmd=1\r\nNormalPos=332,113,1036,641\r\n"
              "PixelsPerInch=96\r\nColor=-2147483633\r\n");
    EXPECT_TRUE(keeper->Saved());
    EXPECT_EQ(store.OpenCount(), 0);
}

TEST_F(TOvcFormStateTest, NormalPosIsReadLenientlyAndOnlyTheCornerMoves) {
    EXPECT_EQ(RestoredAt("NormalPos=100,50,900,700\r\n"), QPoint(100, 50));
    EXPECT_EQ(RestoredAt("NormalPos=100, 50, 900, 700\r\n"), QPoint(100, 50));
    EXPECT_EQ(RestoredAt("NormalPos=100 ,, 50\r\n"), QPoint(100, 50));
    EXPECT_EQ(RestoredAt("NormalPos=abc,50,900,700\r\n"), QPoint(332, 50));
    EXPECT_EQ(RestoredAt("NormalPos=-20,7x\r\n"), QPoint(-20, 113));
}

TEST_F(TOvcFormStateTest, TheDesignedPositionStaysWithoutNormalPosOrAtAnotherResolution) {
    EXPECT_EQ(RestoredAt(""), QPoint(332, 113));
    EXPECT_EQ(RestoredAt("NormalPos=\r\n"), QPoint(332, 113));
    EXPECT_EQ(RestoredAt("PixelsPerInch=120\r\nNormalPos=100,50,900,700\r\n"), QPoint(332, 113));
    EXPECT_EQ(RestoredAt("PixelsPerInch=96\r\nNormalPos=100,50,900,700\r\n"), QPoint(100, 50));
}

TEST_F(TOvcFormStateTest, ColourIsWrittenButNotReadBackWithoutFsColor) {
    WriteSelwi("NormalPos=100,50,900,700\r\nColor=255\r\n");
    test::StateForm form;
    KeeperFor(form)->RestoreState();
    EXPECT_EQ(form.color, -2147483633);
    KeeperFor(form, fsPosition | fsColor)->RestoreState();
    EXPECT_EQ(form.color, 255);
}

TEST_F(TOvcFormStateTest, AMaximisedWindowKeepsItsRestoredPositionAcrossRestarts) {
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

TEST_F(TOvcFormStateTest, WithoutFsNoSizeTheRectangleAndTheStateComeBack) {
    WriteSelwi("ShowCmd=3\r\nNormalPos=10,20,410,320\r\n");
    test::StateForm form;
    KeeperFor(form, fsState | fsPosition)->RestoreState();
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(GetWindowPlacement(form).normalPosition, (PlacementRect{10, 20, 410, 320}));

    test::StateForm fixed;
    fixed.setFixedSize(704, 528);
    KeeperFor(fixed, fsPosition)->RestoreState();
    EXPECT_EQ(fixed.geometry(), QRect(10, 20, 704, 528));
}

TEST_F(TOvcFormStateTest, AKeeperNeedsAnOwnerAndLetsGoOfADestroyedStore) {
    try {
        TOvcFormState orphan(nullptr);
        FAIL() << "a keeper without a form must be refused";
    } catch (const EOvcException& error) {
        EXPECT_EQ(error.Message(), "This component can only be used on forms");
    }
    test::StateForm form;
    QWidget child(&form);
    TOvcFormState keeper(&child);
    EXPECT_EQ(&keeper.Form(), &form);
    EXPECT_EQ(keeper.EffectiveSection(), "StateForm");
    {
        TOvcIniFileStore shortLived;
        keeper.SetStorage(&shortLived);
    }
    EXPECT_EQ(keeper.Storage(), nullptr);
    EXPECT_FALSE(keeper.Active());
    keeper.RestoreState();  // nothing to restore from, nothing breaks
    keeper.SaveState();
}

}  // namespace
}  // namespace tuvako
