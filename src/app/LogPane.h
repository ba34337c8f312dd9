// LogPane: the log pane, a read-only text box that shows the lines of its own store.
#pragma once

#include "app/LogLines.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <string_view>

namespace tuvako {

// Every line goes to the store at once, whether or not the pane is on screen. The text box is
// brought up to date only while it is visible: lines added during one turn of the event loop
// reach it together in the next turn, and a pane that opens takes the store's lines at once
// and shows the newest. So a hidden pane costs a line in the store and no more, and a burst of
// lines costs the visible pane one update, not one layout per line.
class LogPane : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LogPane(QWidget* parent = nullptr);

    // Adds the line "hh:mm:ss> " and the text with its control bytes shown, and returns it.
    const AnsiString& AddLine(std::string_view text);
    // Deletes every line, from the store and from the text box.
    void ClearLines();
    const LogLines& Lines() const { return lines_; }
    // The lines joined by line feeds: what the text box holds while it is open.
    QString Text() const { return JoinedLines(0); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void QueueViewUpdate();
    // Makes the text box hold the store's lines: drops those the store dropped, appends those
    // it lacks. Does nothing while the pane is not visible.
    void UpdateView();
    void DropOldestShown(std::size_t count);
    QString JoinedLines(std::size_t from) const;
    void ScrollToEnd();
    // The local time of day as "hh:mm:ss", formatted once a second.
    const AnsiString& TimeStamp();

    LogLines lines_;
    std::uint64_t shownAdded_ = 0;  // lines_.Added() at the text box's last update
    std::size_t shownCount_ = 0;    // lines the text box holds
    bool updateQueued_ = false;
    std::int64_t stampSecond_ = -1;
    AnsiString stamp_;
};

}  // namespace tuvako
