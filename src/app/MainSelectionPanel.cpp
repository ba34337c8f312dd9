// The selection panel: the grid of choice buttons, their codes, and a press on a choice.
#include "app/Main.h"

#include "app/ButtonGrid.h"
#include "app/CaptionButton.h"
#include "app/CaptionWrap.h"
#include "app/Colors.h"
#include "app/RecordData.h"
#include "app/TPanel.h"
#include "app/Texts.h"
#include "app/Wdef.h"
#include "platform/Cp1252.h"
#include "platform/ExceptionReporter.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <string>

namespace tuvako {

namespace {

constexpr TColor clDiscount = 0x008000;  // green
constexpr TColor clBtnText = TColor(0x80000012u);
constexpr char kTagProperty[] = "Tag";

// Shows `caption` on `button`: each CR starts a new line (the button centres every line, and a
// CR at the very end starts none), a line too wide for the button is wrapped at its blanks, and
// an "&" stands for itself rather than marking a keyboard shortcut.
void ShowCaption(QPushButton* button, const AnsiString& caption) {
    QStyleOptionButton option;
    option.initFrom(button);
    const int width =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    QString text = ToQString(caption);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text = WrapCaption(text, QFontMetrics(button->font()), width);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    button->setText(text);
}

AnsiString FreeSlotCaption(int slot) {
    return texts::kFreeSlotCaptionPrefix + std::to_string(slot);
}

}  // namespace

void TfrmTuvakoMain::BuildButtons() {
    const ButtonGrid grid(PanelValinta->width(), PanelValinta->height(), ButtonWidth);
    ButtonCount = grid.SlotCount();
    Buttons.reserve(std::size_t(ButtonCount));
    ButtonCodes.clear();
    QFont font = this->font();
    // A size of 0 or less is no size at all; the window's own size stands then.
    if (FontSize > 0) font.setPointSize(FontSize);
    font.setBold(true);
    for (int slot = 0; slot < ButtonCount; ++slot) {
        auto* button = new CaptionButton(PanelValinta);
        connect(button, &QPushButton::clicked, this, [this, button] {
            ExceptionReporter::Guard("Click", [this, button] { ButtonClick(button); });
        });
        button->setObjectName(QStringLiteral("Button%1").arg(slot));
        button->setGeometry(grid.SlotLeft(slot), grid.SlotTop(slot), ButtonWidth,
                            ButtonGrid::ButtonHeight);
        button->hide();
        button->setProperty(kTagProperty, slot);
        button->setFont(font);
        // A touch takes no focus: no focus frame on a pressed button, none left behind on the
        // next customer's choices. A keyboard still reaches the buttons with Tab.
        button->setFocusPolicy(Qt::TabFocus);
        ShowCaption(button, FreeSlotCaption(slot));  // wrapped for its size and font
        Buttons.push_back(button);
        ButtonCodes.emplace_back();
    }
    ButtonsBuilt = true;
}

void TfrmTuvakoMain::ResetButtons() {
    for (std::size_t slot = 0; slot < Buttons.size(); ++slot) {
        ShowCaption(Buttons[slot], FreeSlotCaption(int(slot)));
        Buttons[slot]->hide();
        if (slot < ButtonCodes.size()) ButtonCodes[slot].clear();
    }
    NextButton = 0;
}

void TfrmTuvakoMain::PlaceClearButton() {
    if (!ShowClearButton || NextButton >= ButtonCount) return;
    ShowCaption(Buttons[0], texts::kClearButtonCaption);
    Buttons[0]->show();
    NextButton = 1;
}

void TfrmTuvakoMain::AddChoiceButton(const AnsiString& code, const AnsiString& caption,
                                     bool discounted) {
    if (NextButton < 0 || NextButton >= ButtonCount) return;
    const auto slot = std::size_t(NextButton);
    if (slot < ButtonCodes.size()) ButtonCodes[slot] = code;
    QPushButton* button = Buttons[slot];
    ShowCaption(button, discounted ? caption + texts::kDiscountSuffix : caption);
    button->show();
    QPalette colors = button->palette();
    colors.setColor(QPalette::ButtonText, ToQColor(discounted ? clDiscount : clBtnText));
    button->setPalette(colors);
    ++NextButton;
}

void TfrmTuvakoMain::ButtonClick(QObject* sender) {
    const auto found = std::find(Buttons.begin(), Buttons.end(), sender);
    if (found == Buttons.end()) return;
    const int tag = (*found)->property(kTagProperty).toInt();
    if (tag == 0 && ShowClearButton) {
        ClearButtonClick();
        return;
    }
    const FieldList customer = SplitPendingCustomer();
    if (customer.size() < 2) return;  // no customer pending
    const AnsiString code =
        tag >= 0 && std::size_t(tag) < ButtonCodes.size() ? ButtonCodes[std::size_t(tag)] : "";
    // A choice that did not go out leaves the choices on screen: the member presses again once
    // the new session is up (the selection time-out still clears them).
    if (!SendRecord(BuildRecord(texts::kRecordKindCard, CutTo(customer[0], ShortTextMax),
                                TerminalId, texts::kRecordField4, texts::kRecordField5,
                                ChoiceText(customer, code))))
        return;
    // Only the clear button stays; the boxes, the pending customer and the timer stay as well.
    ResetButtons();
    PlaceClearButton();
}

FieldList TfrmTuvakoMain::SplitPendingCustomer() {
    BreakApartTmp.SetBreakString("^");
    BreakApartTmp.SetBaseString(PendingCustomer);
    BreakApartTmp.Split();
    return BreakApartTmp.StringList();
}

}  // namespace tuvako
