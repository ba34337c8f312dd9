// The geometry of the selection grid.
#include "app/ButtonGrid.h"

namespace tuvako {

namespace {

constexpr int LeftMargin = 20;
constexpr int TopMargin = 15;
constexpr int ColumnGap = 20;
constexpr int RowPitch = ButtonGrid::ButtonHeight + 10;

// How many whole pitches fit into `space`, truncated toward zero and never below 0. Worked in
// double so that a huge configured width cannot overflow; a pitch of zero or less fits nothing
// (a width of -20 would otherwise divide by zero, and a more negative one would count columns
// of negative width).
int Fit(double space, double pitch) {
    if (pitch <= 0) return 0;
    const double count = space / pitch;
    return count < 1 ? 0 : static_cast<int>(count);
}

}  // namespace

ButtonGrid::ButtonGrid(int panelWidth, int panelHeight, int buttonWidth)
    : buttonWidth_(buttonWidth) {
    columns_ = Fit(double(panelWidth) - 2 * LeftMargin, double(buttonWidth) + ColumnGap);
    rows_ = Fit(double(panelHeight) - TopMargin, RowPitch);
    if (columns_ == 0 || rows_ == 0) columns_ = rows_ = 0;
}

int ButtonGrid::SlotLeft(int slot) const {
    return (buttonWidth_ + ColumnGap) * (slot % columns_) + LeftMargin;
}

int ButtonGrid::SlotTop(int slot) const {
    return RowPitch * (slot / columns_) + TopMargin;
}

}  // namespace tuvako
