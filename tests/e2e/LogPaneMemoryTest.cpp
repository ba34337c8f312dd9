// The log pane of a terminal that runs for days: what it drops must really be gone.
#include "app/Main.h"
#include "platform/ExecutableFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tuvako {
namespace {

TEST(LogPaneMemory, AppendedAndTrimmedLinesLeaveNoUndoHistoryBehind) {
    test::TempDir dir;
    SetExecutableFileForTesting((dir.Path() / "tuvako").string());
    {
        TfrmTuvakoMain window({});
        // Found by scripts/soak.sh: the history grew by 2.7 MB per thousand customers.
        for (int line = 0; line < 2000; ++line) window.AddLog("Rcv: a line of the server");
        const auto* memo = window.findChild<QPlainTextEdit*>("Memo");
        ASSERT_NE(memo, nullptr);
        EXPECT_LE(memo->document()->blockCount(), 401);
        EXPECT_EQ(memo->document()->availableUndoSteps(), 0);
    }
    SetExecutableFileForTesting({});
}

}  // namespace
}  // namespace tuvako
