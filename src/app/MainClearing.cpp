// Selection time-out and clearing: the no-choice report and the return to the waiting screen.
#include "app/Main.h"

#include "app/RecordData.h"
#include "app/TSunkenLabel.h"
#include "app/Texts.h"
#include "app/Wdef.h"
#include "settings/TTimerPool.h"

namespace tuvako {

void TfrmTuvakoMain::ReportNoChoice(const AnsiString& reason) {
    const FieldList customer = SplitPendingCustomer();
    if (customer.size() < 2) return;  // no customer pending
    // A pending customer cut at 255 characters may have lost field 4; it reads as empty.
    const AnsiString& note = FieldOrEmpty(customer, 4);
    if (note.empty()) return;
    SendRecord(BuildRecord(texts::kRecordKindLog, CutTo(customer[0], ShortTextMax), TerminalId,
                           texts::kRecordField4, texts::kRecordField5, NoChoiceText(note, reason)));
}

void TfrmTuvakoMain::ClearScreen() {
    ResetButtons();
    ClearCustomerBoxes();
    PendingCustomer.clear();
    LblHuom->SetCaption(texts::kHeadlineWaiting);
}

void TfrmTuvakoMain::ClearButtonClick() {
    // The selection timer keeps running: its tick then finds a clear screen and sends nothing.
    ReportNoChoice(texts::kReasonCleared);
    ClearScreen();
}

void TfrmTuvakoMain::SelectionTimeout(int handle) {
    // Disabled first, so that the trigger fires once per "STOP".
    TimerPool->SetTriggerEnabled(handle, false);
    if (ButtonCount <= 0) return;
    ReportNoChoice(texts::kReasonTimeout);
    ClearScreen();
}

void TfrmTuvakoMain::SetSelectionTimerEnabled(bool enabled) {
    if (SelectionTrigger >= 0) TimerPool->SetTriggerEnabled(SelectionTrigger, enabled);
}

}  // namespace tuvako
