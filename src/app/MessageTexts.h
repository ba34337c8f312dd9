// What the terminal makes of the fields of a card or button message, before it touches a widget.
#pragma once

#include "app/MessageFields.h"
#include "platform/AnsiString.h"

namespace tuvako {

// The customer information line of an accepted card: field 11, then by validity kind (field 12)
// the valid-until date ("1"), the visits left ("2") or the balance ("3"), the last two followed
// by the date only when there is one. Empty for a message of fewer than 10 fields.
AnsiString ValidityText(const FieldList& card);

// The pending customer of an accepted card: fields 2, 5, 8, 9 and 16 joined by "^", cut at 255
// characters. Fields the message lacks are empty.
AnsiString PendingCustomerOf(const FieldList& card);

// The headline text of a card that was not accepted: field 7, wrapped in the greeting when the
// result code (field 8) is "0" or "16".
AnsiString RefusedCardHeadline(const FieldList& card);

// The caption of an offered choice: field 9 alone for a seat ("Paikka" in field 6), otherwise
// fields 9 to 13, as many as the message has, one line each, joined by CR.
AnsiString ChoiceCaption(const FieldList& button);

// A choice is discounted when the first five characters of its class (field 8) are exactly "A".
bool IsDiscounted(const FieldList& button);

}  // namespace tuvako
