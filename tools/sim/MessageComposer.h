// Builds the messages that a club's message server sends to a terminal.
#pragma once

#include "platform/AnsiString.h"

#include <vector>

namespace tuvako::sim {

// A member as the server knows one: what the card message carries.
struct SampleMember {
    AnsiString customerNumber;  // field 2: the subject of the terminal's records
    AnsiString choiceHead;      // field 5: head of the choice text, with its "@", "#", "?" marks
    AnsiString card;            // field 7: shown as the card
    AnsiString visitCode;       // field 8: written after "&^OK^" in the choice text
    AnsiString ticket;          // field 9: "Lippu=" in the choice text when not empty
    AnsiString name;            // field 10
    AnsiString product;         // field 11: first part of the validity text
    AnsiString validityKind;    // field 12: "1" date, "2" visits, "3" balance, other: nothing
    AnsiString validUntil;      // field 13
    AnsiString visitsLeft;      // field 14
    AnsiString balance;         // field 15
    AnsiString logData;         // field 16: what the terminal's no-choice report carries
    AnsiString greeting;        // the text of the greeting after a choice
};

// One choice of a "Buttons" list.
struct SampleChoice {
    AnsiString type;                       // field 6: "Paikka" gives a one-line caption
    AnsiString code;                       // field 7: the selection code
    AnsiString discountClass;              // field 8: "A" marks a sale
    std::vector<AnsiString> captionLines;  // fields 9 to 13
};

// Every message is a record of fields each followed by "^", like the terminal's own. Fields 1,
// 3 and 4 carry the addressed terminal, "-" and "0".
class MessageComposer {
public:
    // "Crd" with "OK": a member swiped a card; 17 fields.
    static AnsiString CardMessage(const SampleMember& member, const AnsiString& terminalId);
    // "Crd" without "OK": a text for the headline with a result code ("0" and "16" greet).
    static AnsiString NoticeMessage(const AnsiString& text, const AnsiString& resultCode,
                                    const AnsiString& terminalId);
    static AnsiString ButtonsStart(const AnsiString& terminalId);
    static AnsiString ButtonsChoice(const SampleChoice& choice, const AnsiString& terminalId);
    static AnsiString ButtonsStop(const AnsiString& terminalId);
    // START, one BUTTON per choice, STOP.
    static std::vector<AnsiString> ChoiceList(const std::vector<SampleChoice>& choices,
                                              const AnsiString& terminalId);

    // Each field followed by "^".
    static AnsiString JoinFields(const std::vector<AnsiString>& fields);
    // The fields between the "^" separators, empty ones included (n separators, n + 1 fields).
    static std::vector<AnsiString> SplitFields(const AnsiString& record);
};

}  // namespace tuvako::sim
