// The data fields of the records that end a selection: the choice text and the no-choice report.
#pragma once

#include "app/MessageFields.h"
#include "platform/AnsiString.h"

namespace tuvako {

// The piece of the pending customer's field 1 from its first "@" up to, not including, its
// first "#"; empty when it has no "@", no "#", or its first "#" stands before the first "@".
AnsiString MarkPiece(const AnsiString& head);

// The head cut after the character that follows its first "?" (a "?" at the end stays last);
// a head without "?" stays whole.
AnsiString CutAfterQuestionMark(const AnsiString& head);

// The data field of the "Crd" record for a press on a slot holding `code`, from the pending
// customer's fields C0..C3 (missing ones read as empty): C1 cut at its "?", "@" before a code
// that starts with "P" and "@V" before any other, the code, the mark piece, "<#", the check
// code, "&^OK^", C2, "^" and, when C3 is set, "Lippu=" and C3; cut at 255 characters.
AnsiString ChoiceText(const FieldList& pendingCustomer, const AnsiString& code);

// The data field of a "Log" record: the pending customer's field 4, ";", the reason and the
// tail "^SaveLogi^", cut at 255 characters.
AnsiString NoChoiceText(const AnsiString& field4, const AnsiString& reason);

}  // namespace tuvako
