// The data fields of the choice record and of the no-choice report.
#include "app/RecordData.h"

#include "app/CheckCode.h"
#include "app/Wdef.h"

namespace tuvako {

AnsiString MarkPiece(const AnsiString& head) {
    const auto at = head.find('@');
    const auto hash = head.find('#');
    if (at == AnsiString::npos || hash == AnsiString::npos || hash < at) return {};
    return head.substr(at, hash - at);
}

AnsiString CutAfterQuestionMark(const AnsiString& head) {
    const auto question = head.find('?');
    return question == AnsiString::npos ? head : head.substr(0, question + 2);
}

AnsiString ChoiceText(const FieldList& pendingCustomer, const AnsiString& code) {
    const AnsiString head = CutTo(FieldOrEmpty(pendingCustomer, 1), ShortTextMax);
    const AnsiString ticket = CutTo(FieldOrEmpty(pendingCustomer, 3), ShortTextMax);

    // The mark piece is taken from the head before it is cut at its "?".
    AnsiString text = CutAfterQuestionMark(head);
    text += code.starts_with('P') ? "@" : "@V";
    text += code;
    text += MarkPiece(head);
    text += "<#";
    text += CheckCode(text);
    text += "&^";
    text += texts::kCardAccepted;
    text += '^';
    text += CutTo(FieldOrEmpty(pendingCustomer, 2), ShortTextMax);
    text += '^';
    if (!ticket.empty()) text += "Lippu=" + ticket;
    return CutTo(text, ShortTextMax);
}

AnsiString NoChoiceText(const AnsiString& field4, const AnsiString& reason) {
    return CutTo(field4 + ";" + reason + texts::kSaveLogTail, ShortTextMax);
}

}  // namespace tuvako
