// The log pane and the operator's pop-up menu.
#include "app/Main.h"

#include "app/LogPane.h"
#include "app/TPanel.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QMenu>

#include <cstdio>

namespace tuvako {

AnsiString TfrmTuvakoMain::ShowControlChars(const AnsiString& text) {
    AnsiString shown;
    shown.reserve(text.size());
    LogLines::AppendShown(shown, text);
    return shown;
}

int TfrmTuvakoMain::LogLineCount() const {
    return int(Memo->Lines().Count());
}

void TfrmTuvakoMain::AddLog(const AnsiString& text) {
    const AnsiString& line = Memo->AddLine(text);
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
    Memo->ClearLines();
}

void TfrmTuvakoMain::mnuBackColorClick() {
    ColorDialog->setCurrentColor(ToQColor(PanelTausta->Color()));
    if (ColorDialog->exec() != QDialog::Accepted) return;
    SetPanelColors(FromQColor(ColorDialog->selectedColor()));
    // Written at once: the door PC may be switched off before anyone closes the terminal.
    SaveWindowState();
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
