#include "MainWindowProbe.h"
#include "app/TPanel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>

namespace tuvako {
namespace {

class LogPane : public WindowTest {
protected:
    LogPane() { Start(); }
    QPlainTextEdit* Memo() const { return Find<QPlainTextEdit>("Memo"); }
    QString Line(int index) const { return Memo()->document()->findBlockByNumber(index).text(); }
    // The line without its "hh:nn:ss> " time stamp.
    QString Text(int index) const { return Line(index).mid(10); }
};

TEST_F(LogPane, LinesGetTheTimeOfDayAndControlCharactersTheirCodes) {
    window->AddLog("a\tb\r\n\x1F\x01 \xE4\x80\xFF");
    window->AddLog("");
    EXPECT_TRUE(QRegularExpression("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d> a\\[9\\]b")
                    .match(Line(0))
                    .hasMatch())
        << Line(0).toStdString();
    EXPECT_EQ(Text(0), QString::fromUtf8("a[9]b[13][10][31][1] \u00e4\u20ac\u00ff"));
    EXPECT_TRUE(Line(1).endsWith("> "));
    EXPECT_EQ(Line(1).size(), 10);
    EXPECT_EQ(TfrmTuvakoMain::ShowControlChars(AnsiString("x\0\x7F", 3)), "x[0]\x7F");
}

TEST_F(LogPane, HoldsUpTo401LinesThenDropsTheOldest50) {
    for (int i = 1; i <= 400; ++i) window->AddLog(std::to_string(i));
    window->AddLog("401");
    EXPECT_EQ(probe->LogLineCount(), 401);
    window->AddLog("402");
    EXPECT_EQ(probe->LogLineCount(), 352);
    EXPECT_EQ(Text(0), "51");
    EXPECT_EQ(Text(351), "402");
    Find<QAction>("mnuClear")->trigger();
    EXPECT_EQ(probe->LogLineCount(), 0);
    window->AddLog("again");
    EXPECT_EQ(Text(0), "again");
}

TEST_F(LogPane, LogiShowsThePaneInPlaceOfTheSelectionPanelsLowerPart) {
    window->resize(1024, 768);
    window->show();
    auto* selection = Find<TPanel>("PanelValinta");
    const int before = selection->height();
    QAction* logi = Find<QAction>("mnuLogi");
    EXPECT_TRUE(Memo()->isHidden());
    EXPECT_FALSE(logi->isChecked());
    logi->trigger();
    EXPECT_TRUE(logi->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return selection->height() == before - 100; }));
    EXPECT_EQ(Memo()->geometry(), QRect(1, selection->geometry().bottom() + 1, 1022, 100));
    logi->trigger();
    EXPECT_TRUE(Memo()->isHidden());
    EXPECT_FALSE(logi->isChecked());
}

TEST_F(LogPane, MenuOfFourItemsOpensAnywhereOnTheWindow) {
    QStringList captions;
    for (QAction* item : Find<QMenu>("PopupMenu")->actions()) captions << item->text();
    EXPECT_EQ(captions, QStringList({"Logi", QString::fromUtf8("Tyhjenn\u00e4 logi"),
                                     QString::fromUtf8("Taustav\u00e4ri"), "Sulje"}));
    window->show();
    for (const char* name : {"EdtKortti", "Memo", "PanelValinta"}) {
        auto* target = Find<QWidget>(name);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        EXPECT_TRUE(Find<QMenu>("PopupMenu")->isVisible()) << name;
        Find<QMenu>("PopupMenu")->hide();
    }
}

TEST_F(LogPane, BackgroundColourGoesToAllThreePanelsUnlessCancelled) {
    EXPECT_EQ(ChooseBackground(Qt::green, false), QColor(Qt::blue));
    EXPECT_EQ(Find<TPanel>("PanelTausta")->Color(), 0xFF0000);
    EXPECT_EQ(Find<TPanel>("PanelTop")->Color(), clBtnFace);
    ChooseBackground(QColor(0x12, 0x34, 0x56));
    for (const char* name : {"PanelTausta", "PanelTop", "PanelValinta"})
        EXPECT_EQ(Find<TPanel>(name)->Color(), 0x563412) << name;
}

TEST_F(LogPane, SuljeClosesTheWindowAndSoDoesAStopWhileTheColourDialogIsOpen) {
    window->show();
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    Find<QAction>("mnuBackColor")->trigger();  // returns once the dialog is gone
    EXPECT_FALSE(Find<QColorDialog>("ColorDialog")->isVisible());
    EXPECT_FALSE(window->isVisible());
    Start().show();
    Find<QAction>("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(probe->FormClosed());
}

}  // namespace
}  // namespace tuvako
