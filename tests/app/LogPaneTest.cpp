// The log's own store of lines (escapes, the 401-line rule) and the pane that shows it: the
// same text whether the lines came while it was hidden or shown, one update per turn of the
// event loop while shown, and the newest line in sight when it opens.
#include "app/LogPane.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <deque>
#include <string>

namespace tuvako {
namespace {

TEST(LogLines, ShowsBytesBelow32AsTheirNumberInBracketsAndCopiesEveryOtherByte) {
    const struct {
        std::string text, shown;
    } cases[] = {
        {"a\tb\r\n", "a[9]b[13][10]"},
        {std::string("\0\x01\x1F ", 4), "[0][1][31] "},
        {"\x7F\x80\xE4\xFF", "\x7F\x80\xE4\xFF"},
        {"[13]", "[13]"},
        {"", ""},
    };
    for (const auto& [text, shown] : cases) {
        AnsiString out = "kept";
        LogLines::AppendShown(out, text);
        EXPECT_EQ(out, "kept" + shown) << shown;
    }
    LogLines lines;
    lines.Add("14:05:09", "Rcv: Login:");
    lines.Add("14:05:10", "");
    EXPECT_EQ(lines.Line(0), "14:05:09> Rcv: Login:");
    EXPECT_EQ(lines.Last(), "14:05:10> ");
}

TEST(LogLines, GrowsTo401ThenDrops50OldestBeforeTheNextLineAllTheWayRoundTheRing) {
    LogLines lines;
    std::deque<std::string> expected;  // the rule, written out plainly
    for (int i = 1; i <= 2000; ++i) {
        if (expected.size() > 400) expected.erase(expected.begin(), expected.begin() + 50);
        expected.push_back("t> " + std::to_string(i));
        lines.Add("t", std::to_string(i));
        ASSERT_EQ(lines.Count(), expected.size()) << i;
        ASSERT_EQ(lines.Line(0), expected.front()) << i;
        ASSERT_EQ(lines.Last(), expected.back()) << i;
        if (i == 401) {
            EXPECT_EQ(lines.Count(), 401u);
        } else if (i == 402) {
            EXPECT_EQ(lines.Line(0), "t> 51");
        }
    }
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines.Line(i), expected[i]);
    EXPECT_EQ(lines.Added(), 2000u);

    lines.Clear();
    EXPECT_EQ(lines.Count(), 0u);
    lines.Add("t", "after");
    EXPECT_EQ(lines.Line(0), "t> after");
    EXPECT_EQ(lines.Added(), 2001u);
}

// Two panes side by side in a shown window: one open all along, one opened at the end.
class LogPaneView : public ::testing::Test {
protected:
    LogPaneView() {
        auto* layout = new QVBoxLayout(&host);
        for (LogPane* pane : {&open, &closed}) {
            pane->setFixedHeight(100);
            layout->addWidget(pane);
        }
        closed.hide();
        host.resize(400, 300);
        host.show();
    }

    // Lines numbered `from` on, with a tab and a letter ä, in one turn of the event loop.
    void AddTurn(int from, int count) {
        for (int i = from; i < from + count; ++i) {
            const AnsiString text = "Rcv: " + std::to_string(i) + "\t\xE4";
            open.AddLine(text);
            closed.AddLine(text);
        }
        QCoreApplication::processEvents();
    }
    // The text box's lines without their "hh:mm:ss" stamps, which two panes may see differ.
    static QStringList Unstamped(const LogPane& pane) {
        QStringList lines = pane.document()->toPlainText().split(QLatin1Char('\n'));
        for (QString& line : lines) line = line.mid(8);
        return lines;
    }
    static QStringList Expected(int first, int last) {
        QStringList lines;
        for (int i = first; i <= last; ++i) lines << QString::fromUtf8("> Rcv: %1[9]\u00E4").arg(i);
        return lines;
    }

    QWidget host;
    LogPane open;
    LogPane closed;
};

TEST_F(LogPaneView, HiddenPaneLeavesItsTextBoxAloneAndOpensOnTheSameLinesAsAShownOne) {
    AddTurn(1, 250);
    AddTurn(251, 151);  // 401 lines: full, not yet trimmed
    EXPECT_EQ(Unstamped(open), Expected(1, 401));
    EXPECT_TRUE(closed.document()->isEmpty());
    AddTurn(402, 1);
    EXPECT_EQ(Unstamped(open), Expected(51, 402));
    AddTurn(403, 777);  // trimmed again and again within one turn
    EXPECT_TRUE(closed.document()->isEmpty());

    closed.show();
    // Lines 402, 452, ... 1152 each dropped 50: 16 times, so 801 is the oldest left.
    EXPECT_EQ(Unstamped(closed), Expected(801, 1179));
    EXPECT_EQ(Unstamped(open), Expected(801, 1179));
    EXPECT_EQ(closed.document()->toPlainText(), closed.Text());
    EXPECT_EQ(closed.document()->blockCount(), 379);

    // Closed again, a few lines and a trim later, and opened once more.
    closed.hide();
    AddTurn(1180, 30);
    closed.show();
    EXPECT_EQ(Unstamped(closed), Expected(851, 1209));
    EXPECT_EQ(Unstamped(open), Unstamped(closed));
}

TEST_F(LogPaneView, ShownPaneTakesTheLinesOfOneTurnInOneUpdateAndOpensAtItsNewestLine) {
    AddTurn(1, 10);
    int changes = 0;
    QObject::connect(open.document(), &QTextDocument::contentsChange, [&] { ++changes; });
    for (int i = 11; i <= 600; ++i) open.AddLine("Rcv: " + std::to_string(i) + "\t\xE4");
    EXPECT_EQ(open.document()->blockCount(), 10);  // nothing yet within the turn
    QCoreApplication::processEvents();
    EXPECT_LT(changes, 5);  // the oldest lines out and the new ones in, not 590 edits
    // An undo history would grow by megabytes over a day of customers (found by a soak run).
    EXPECT_EQ(open.document()->availableUndoSteps(), 0);
    // Lines 402, 452, ... 552 each dropped 50: the oldest left is 201.
    EXPECT_EQ(Unstamped(open), Expected(201, 600));

    for (int i = 1; i <= 300; ++i) closed.AddLine("Rcv: " + std::to_string(i));
    closed.show();
    const QScrollBar* bar = closed.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LogPaneView, ClearingEmptiesStoreAndTextBoxShownOrNot) {
    AddTurn(1, 5);
    open.ClearLines();
    closed.ClearLines();
    EXPECT_TRUE(open.document()->isEmpty());
    EXPECT_EQ(open.Lines().Count(), 0u);
    AddTurn(6, 2);
    closed.show();
    EXPECT_EQ(Unstamped(open), Expected(6, 7));
    EXPECT_EQ(Unstamped(closed), Expected(6, 7));
}

}  // namespace
}  // namespace tuvako
