#include "sim/MessageComposer.h"

namespace tuvako::sim {

AnsiString MessageComposer::JoinFields(const std::vector<AnsiString>& fields) {
    AnsiString record;
    for (const AnsiString& field : fields) {
        record += field;
        record += '^';
    }
    return record;
}

std::vector<AnsiString> MessageComposer::SplitFields(const AnsiString& record) {
    std::vector<AnsiString> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = record.find('^', start);
        if (separator == AnsiString::npos) {
            fields.push_back(record.substr(start));
            return fields;
        }
        fields.push_back(record.substr(start, separator - start));
        start = separator + 1;
    }
}

AnsiString MessageComposer::CardMessage(const SampleMember& member, const AnsiString& terminalId) {
    return JoinFields({"Crd", terminalId, member.customerNumber, "-", "0", member.choiceHead, "OK",
                       member.card, member.visitCode, member.ticket, member.name, member.product,
                       member.validityKind, member.validUntil, member.visitsLeft, member.balance,
                       member.logData});
}

AnsiString MessageComposer::NoticeMessage(const AnsiString& text, const AnsiString& resultCode,
                                          const AnsiString& terminalId) {
    return JoinFields({"Crd", terminalId, "-", "-", "0", "-", "EI", text, resultCode});
}

AnsiString MessageComposer::ButtonsStart(const AnsiString& terminalId) {
    return JoinFields({"Buttons", terminalId, "-", "-", "0", "START"});
}

AnsiString MessageComposer::ButtonsChoice(const SampleChoice& choice,
                                          const AnsiString& terminalId) {
    std::vector<AnsiString> fields = {"Buttons",   terminalId,  "-",
                                      "-",         "0",         "BUTTON",
                                      choice.type, choice.code, choice.discountClass};
    for (std::size_t i = 0; i < choice.captionLines.size() && i < 5; ++i)
        fields.push_back(choice.captionLines[i]);
    return JoinFields(fields);
}

AnsiString MessageComposer::ButtonsStop(const AnsiString& terminalId) {
    return JoinFields({"Buttons", terminalId, "-", "-", "0", "STOP"});
}

std::vector<AnsiString> MessageComposer::ChoiceList(const std::vector<SampleChoice>& choices,
                                                    const AnsiString& terminalId) {
    std::vector<AnsiString> records{ButtonsStart(terminalId)};
    for (const SampleChoice& choice : choices) records.push_back(ButtonsChoice(choice, terminalId));
    records.push_back(ButtonsStop(terminalId));
    return records;
}

}  // namespace tuvako::sim
