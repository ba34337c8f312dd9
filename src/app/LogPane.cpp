#include "app/LogPane.h"

#include "platform/Cp1252.h"

#include <QDateTime>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace tuvako {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
    // Every appended and every dropped line would otherwise stay in the document's undo
    // history: a terminal that runs for days would grow by megabytes per thousand customers.
    setUndoRedoEnabled(false);
}

const AnsiString& LogPane::AddLine(std::string_view text) {
    lines_.Add(TimeStamp(), text);
    if (isVisible()) QueueViewUpdate();
    return lines_.Last();
}

void LogPane::ClearLines() {
    lines_.Clear();
    clear();
    shownAdded_ = lines_.Added();
    shownCount_ = 0;
}

void LogPane::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    UpdateView();
    ScrollToEnd();
}

void LogPane::QueueViewUpdate() {
    if (updateQueued_) return;
    updateQueued_ = true;
    // Queued: the lines of this turn of the event loop go to the text box together.
    QMetaObject::invokeMethod(
        this,
        [this] {
            updateQueued_ = false;
            UpdateView();
        },
        Qt::QueuedConnection);
}

void LogPane::UpdateView() {
    if (!isVisible() || shownAdded_ == lines_.Added()) return;
    // The newest `missing` lines are not on show. The store dropped only its oldest lines, so
    // the lines it holds besides those are the text box's last ones.
    const std::size_t missing = std::size_t(
        std::min<std::uint64_t>(lines_.Added() - shownAdded_, std::uint64_t(lines_.Count())));
    const std::size_t kept = lines_.Count() - missing;
    if (kept == 0)
        clear();
    else
        DropOldestShown(shownCount_ - kept);
    appendPlainText(JoinedLines(kept));
    shownAdded_ = lines_.Added();
    shownCount_ = lines_.Count();
}

void LogPane::DropOldestShown(std::size_t count) {
    if (count == 0) return;
    // As one block: the text box lays out what follows once, not once per line.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, int(count));
    cursor.removeSelectedText();
}

QString LogPane::JoinedLines(std::size_t from) const {
    QString joined;
    for (std::size_t i = from; i < lines_.Count(); ++i) {
        if (i > from) joined += QLatin1Char('\n');
        joined += ToQString(lines_.Line(i));
    }
    return joined;
}

void LogPane::ScrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

const AnsiString& LogPane::TimeStamp() {
    const std::int64_t second = QDateTime::currentSecsSinceEpoch();
    if (second != stampSecond_) {
        stampSecond_ = second;
        stamp_ = QDateTime::fromSecsSinceEpoch(second)
                     .toString(QStringLiteral("hh:mm:ss"))
                     .toStdString();
    }
    return stamp_;
}

}  // namespace tuvako
