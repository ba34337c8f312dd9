#include "MainWindowProbe.h"
#include "ScratchExecutableDir.h"
#include "app/TPanel.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

namespace tuvako {
namespace {

class LogPane : public ::testing::Test {
protected:
    QPlainTextEdit* Memo() const { return probe.Find<QPlainTextEdit>("Memo"); }
    QString Line(int index) const { return Memo()->document()->findBlockByNumber(index).text(); }
    // The line without its "hh:nn:ss> " time stamp.
    QString Text(int index) const { return Line(index).mid(10); }
    QAction* Item(const char* name) const { return probe.Find<QAction>(name); }

    ScratchExecutableDir scratch;
    TfrmTuvakoMain window{std::vector<AnsiString>{}};
    MainWindowProbe probe{window};
};

TEST_F(LogPane, LinesStartWithTheTimeOfDay) {
    window.AddLog("Session connected.");
    window.AddLog("");
    EXPECT_TRUE(QRegularExpression("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d> Session connected\\.$")
                    .match(Line(0))
                    .hasMatch())
        << Line(0).toStdString();
    EXPECT_EQ(Line(1).size(), 10);
    EXPECT_TRUE(Line(1).endsWith("> "));
}

TEST_F(LogPane, ControlCharactersShowAsDecimalCodesAndCp1252BytesAsTheirLetters) {
    window.AddLog("a\tb\r\n\x1F\x01 \xE4\x80\xFF");
    EXPECT_EQ(probe.LogLineCount(), 1);
    EXPECT_EQ(Text(0), QString::fromUtf8("a[9]b[13][10][31][1] \u00e4\u20ac\u00ff"));
    EXPECT_EQ(TfrmTuvakoMain::ShowControlChars(AnsiString("x\0y", 3)), "x[0]y");
    EXPECT_EQ(TfrmTuvakoMain::ShowControlChars("\x7F"), "\x7F");
}

TEST_F(LogPane, HoldsUpTo401LinesThenDropsTheOldest50) {
    for (int i = 1; i <= 400; ++i) window.AddLog(std::to_string(i));
    EXPECT_EQ(probe.LogLineCount(), 400);
    window.AddLog("401");
    EXPECT_EQ(probe.LogLineCount(), 401);
    window.AddLog("402");
    EXPECT_EQ(probe.LogLineCount(), 352);
    EXPECT_EQ(Text(0), "51");
    EXPECT_EQ(Text(351), "402");
}

TEST_F(LogPane, StartsHiddenAndLogiTogglesItWithItsCheckMark) {
    EXPECT_TRUE(Memo()->isHidden());
    EXPECT_FALSE(Item("mnuLogi")->isChecked());
    Item("mnuLogi")->trigger();
    EXPECT_FALSE(Memo()->isHidden());
    EXPECT_TRUE(Item("mnuLogi")->isChecked());
    Item("mnuLogi")->trigger();
    EXPECT_TRUE(Memo()->isHidden());
    EXPECT_FALSE(Item("mnuLogi")->isChecked());
}

TEST_F(LogPane, ShowingThePaneTakesItsHeightFromTheSelectionPanel) {
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* selection = probe.Find<TPanel>("PanelValinta");
    const int before = selection->height();
    Item("mnuLogi")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return selection->height() == before - 100; }));
    EXPECT_EQ(selection->height(), before - 100);
    EXPECT_EQ(Memo()->geometry().top(), selection->geometry().bottom() + 1);
}

TEST_F(LogPane, ClearEmptiesThePaneAndLoggingGoesOnAfterwards) {
    window.AddLog("one");
    window.AddLog("two");
    Item("mnuClear")->trigger();
    EXPECT_EQ(probe.LogLineCount(), 0);
    window.AddLog("three");
    EXPECT_EQ(probe.LogLineCount(), 1);
    EXPECT_EQ(Text(0), "three");
}

TEST_F(LogPane, MenuHasItsFourItemsInOrder) {
    QStringList captions;
    for (QAction* item : probe.Find<QMenu>("PopupMenu")->actions()) captions << item->text();
    EXPECT_EQ(captions, QStringList({"Logi", QString::fromUtf8("Tyhjenn\u00e4 logi"),
                                     QString::fromUtf8("Taustav\u00e4ri"), "Sulje"}));
}

TEST_F(LogPane, MenuOpensAnywhereOnTheWindowTheBoxesAndThePaneIncluded) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* menu = probe.Find<QMenu>("PopupMenu");
    for (const char* name : {"EdtKortti", "Memo", "PanelValinta"}) {
        auto* target = probe.Find<QWidget>(name);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
}

TEST_F(LogPane, ChosenBackgroundColourGoesToAllThreePanels) {
    auto* dialog = probe.Find<QColorDialog>("ColorDialog");
    QColor offered;
    QTimer::singleShot(0, dialog, [&] {
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    Item("mnuBackColor")->trigger();
    EXPECT_EQ(offered, QColor(0, 0, 255));
    for (const char* name : {"PanelTausta", "PanelTop", "PanelValinta"})
        EXPECT_EQ(probe.Find<TPanel>(name)->Color(), 0x563412) << name;
}

TEST_F(LogPane, CancelledColourDialogChangesNothing) {
    auto* dialog = probe.Find<QColorDialog>("ColorDialog");
    QTimer::singleShot(0, dialog, [&] {
        dialog->setCurrentColor(Qt::green);
        dialog->reject();
    });
    Item("mnuBackColor")->trigger();
    EXPECT_EQ(probe.Find<TPanel>("PanelTausta")->Color(), 0xFF0000);
    EXPECT_EQ(probe.Find<TPanel>("PanelTop")->Color(), clBtnFace);
}

TEST_F(LogPane, ClosingWhileTheColourDialogIsOpenCancelsTheDialog) {
    window.show();
    auto* dialog = probe.Find<QColorDialog>("ColorDialog");
    QTimer::singleShot(0, &window, [this] { window.close(); });
    Item("mnuBackColor")->trigger();  // returns once the dialog is gone
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(probe.Find<TPanel>("PanelTausta")->Color(), 0xFF0000);
}

TEST_F(LogPane, SuljeClosesTheWindowThroughItsCloseHandler) {
    window.show();
    Item("mnuExit")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(probe.FormClosed());
}

}  // namespace
}  // namespace tuvako
