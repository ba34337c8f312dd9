// The geometry of the selection grid: how many buttons fit on the panel and where each stands.
#pragma once

namespace tuvako {

// Buttons are ButtonWidth x 100 pixels, 20 pixels apart side by side and 10 apart one above the
// other, with a 20-pixel left and a 15-pixel top margin. Slots are numbered in row-major order.
class ButtonGrid {
public:
    static constexpr int ButtonHeight = 100;

    // The grid that fits a panel of `panelWidth` x `panelHeight` pixels. A button width that
    // leaves no room for a column (-20 or less, or wider than the panel) gives an empty grid.
    ButtonGrid(int panelWidth, int panelHeight, int buttonWidth);

    int SlotCount() const { return columns_ * rows_; }
    int ButtonWidth() const { return buttonWidth_; }

    int SlotLeft(int slot) const;
    int SlotTop(int slot) const;

private:
    int buttonWidth_;
    int columns_ = 0;
    int rows_ = 0;
};

}  // namespace tuvako
