// Incoming message handling: card messages fill the top panel, button messages drive the grid.
#include "app/Main.h"

#include "app/MessageTexts.h"
#include "app/TSunkenLabel.h"
#include "app/Texts.h"
#include "app/Wdef.h"
#include "platform/Cp1252.h"

#include <QLineEdit>

namespace tuvako {

// Every field is read through FieldOrEmpty: a message shorter than the fields a step reads
// treats the missing ones as empty instead of reading past its list.
void TfrmTuvakoMain::HandleMessage(const FieldList& fields) {
    const AnsiString& kind = FieldOrEmpty(fields, 0);
    if (kind == texts::kRecordKindCard) {
        if (FieldOrEmpty(fields, 6) == texts::kCardAccepted)
            HandleAcceptedCard(fields);
        else
            HandleRefusedCard(fields);
    } else if (kind == texts::kMessageKindButtons) {
        const AnsiString& step = FieldOrEmpty(fields, 5);
        if (step == texts::kButtonsStart)
            HandleButtonsStart();
        else if (step == texts::kButtonsButton)
            HandleButton(fields);
        else if (step == texts::kButtonsStop)
            HandleButtonsStop();
    }
}

void TfrmTuvakoMain::HandleAcceptedCard(const FieldList& card) {
    // The customer before this one left without choosing; the server hears of it first.
    if (ButtonCount > 0) ReportNoChoice(texts::kReasonNextCustomer);
    SetBoxText(EdtKortti, FieldOrEmpty(card, 7));
    SetBoxText(EdtNimi, FieldOrEmpty(card, 10));
    LblHuom->SetCaption(texts::kHeadlineChoose);
    SetBoxText(EdtKoTiedot, ValidityText(card));
    PendingCustomer = PendingCustomerOf(card);
}

void TfrmTuvakoMain::HandleRefusedCard(const FieldList& card) {
    const AnsiString headline = RefusedCardHeadline(card);
    LblHuom->SetCaption(headline);
    if (ButtonCount <= 0) return;
    // A selection on screen ends without a report: the server itself sent this card.
    ResetButtons();
    ClearCustomerBoxes();
    PendingCustomer.clear();
    LblHuom->SetCaption(headline + texts::kHeadlineWaiting);
}

void TfrmTuvakoMain::HandleButtonsStart() {
    if (!ButtonsBuilt) BuildButtons();
    ResetButtons();
    // No time-out runs while the list is coming.
    SetSelectionTimerEnabled(false);
    NextButton = 0;
    PlaceClearButton();
}

void TfrmTuvakoMain::HandleButton(const FieldList& button) {
    if (NextButton >= ButtonCount) return;
    AddChoiceButton(FieldOrEmpty(button, 7), ChoiceCaption(button), IsDiscounted(button));
}

void TfrmTuvakoMain::HandleButtonsStop() {
    // Enabling a timer that already runs keeps its period: a second "STOP" gives no more time.
    SetSelectionTimerEnabled(true);
}

void TfrmTuvakoMain::SetBoxText(QLineEdit* box, const AnsiString& text) {
    // A box that already shows the text is left as it is: setting the text lays it out anew
    // and tells every listener, most of what a repeated card would cost.
    if (const QString shown = ToQString(text); box->text() != shown) box->setText(shown);
    // Long texts show from their start, as a freshly filled box does.
    box->setCursorPosition(0);
}

void TfrmTuvakoMain::ClearCustomerBoxes() {
    EdtKortti->clear();
    EdtNimi->clear();
    EdtKoTiedot->clear();
}

}  // namespace tuvako
