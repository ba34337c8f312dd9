// Texts made from the fields of card and button messages.
#include "app/MessageTexts.h"

#include "app/Texts.h"

namespace tuvako {

namespace {

constexpr std::size_t CardInfoFieldsMin = 10;
constexpr std::size_t DiscountClassWidth = 5;
inline constexpr char ChoiceTypeSeat[] = "Paikka";

}  // namespace

AnsiString ValidityText(const FieldList& card) {
    if (card.size() < CardInfoFieldsMin) return {};
    const AnsiString& kind = FieldOrEmpty(card, 12);
    const AnsiString& validUntil = FieldOrEmpty(card, 13);
    AnsiString text = FieldOrEmpty(card, 11);
    if (kind == "1") return text + texts::kValidUntilAfterKind1 + validUntil;
    if (kind == "2")
        text += texts::kVisitsLeft + FieldOrEmpty(card, 14);
    else if (kind == "3")
        text += texts::kBalance + FieldOrEmpty(card, 15);
    else
        return text;
    if (!validUntil.empty()) text += texts::kValidUntilAfterAmount + validUntil;
    return text;
}

AnsiString PendingCustomerOf(const FieldList& card) {
    AnsiString record = FieldOrEmpty(card, 2);
    for (std::size_t field : {5, 8, 9, 16}) record += '^' + FieldOrEmpty(card, field);
    return CutTo(record, ShortTextMax);
}

AnsiString RefusedCardHeadline(const FieldList& card) {
    const AnsiString& text = FieldOrEmpty(card, 7);
    const AnsiString& result = FieldOrEmpty(card, 8);
    if (result == "0" || result == "16") return texts::kGreetingOpen + text + texts::kGreetingClose;
    return text;
}

AnsiString ChoiceCaption(const FieldList& button) {
    AnsiString caption = FieldOrEmpty(button, 9);
    if (FieldOrEmpty(button, 6) == ChoiceTypeSeat) return caption;
    for (std::size_t line = 10; line <= 13 && line < button.size(); ++line)
        caption += '\r' + button[line];
    return caption;
}

bool IsDiscounted(const FieldList& button) {
    return CutTo(FieldOrEmpty(button, 8), DiscountClassWidth) == "A";
}

}  // namespace tuvako
