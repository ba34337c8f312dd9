// The log pane and the operator's pop-up menu.
#include "app/Main.h"

#include "app/TPanel.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTime>

#include <cstdio>

namespace tuvako {
namespace {

constexpr int kLogTrimAbove = 400;
constexpr int kLogTrimCount = 50;

}  // namespace

AnsiString TfrmTuvakoMain::ShowControlChars(const AnsiString& text) {
    AnsiString shown;
    shown.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 32) {
            shown += ch;
        } else {
            shown += '[';
            shown += std::to_string(byte);
            shown += ']';
        }
    }
    return shown;
}

int TfrmTuvakoMain::LogLineCount() const {
    // Every logged line holds at least its time stamp, so an empty document has no lines.
    return Memo->document()->isEmpty() ? 0 : Memo->document()->blockCount();
}

void TfrmTuvakoMain::AddLog(const AnsiString& text) {
    const AnsiString line =
        QTime::currentTime().toString(QStringLiteral("hh:mm:ss")).toStdString() + "> " +
        ShowControlChars(text);

    // Dropping the oldest lines as one block keeps an append to a full pane cheap.
    if (LogLineCount() > kLogTrimAbove) {
        QTextCursor cursor(Memo->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, kLogTrimCount);
        cursor.removeSelectedText();
    }
    Memo->appendPlainText(ToQString(line));

    if (consoleLog_) {
        const QByteArray utf8 = ToQString(line).toUtf8();
        std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void TfrmTuvakoMain::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu->popup(event->globalPos());
    event->accept();
}

void TfrmTuvakoMain::mnuLogiClick() {
    // isHidden, not isVisible: the pane's own flag, whether or not the window is shown yet.
    Memo->setVisible(Memo->isHidden());
    mnuLogi->setChecked(!Memo->isHidden());
}

void TfrmTuvakoMain::mnuClearClick() {
    Memo->clear();
}

void TfrmTuvakoMain::mnuBackColorClick() {
    ColorDialog->setCurrentColor(ToQColor(PanelTausta->Color()));
    if (ColorDialog->exec() == QDialog::Accepted)
        SetPanelColors(FromQColor(ColorDialog->selectedColor()));
}

void TfrmTuvakoMain::SetPanelColors(TColor color) {
    PanelTausta->SetColor(color);
    PanelTop->SetColor(color);
    PanelValinta->SetColor(color);
}

void TfrmTuvakoMain::mnuExitClick() {
    close();
}

}  // namespace tuvako
