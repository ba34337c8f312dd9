// A panel with a colour word and raised or lowered bevels, the container of the main window.
#pragma once

#include "app/Colors.h"

#include <QWidget>

namespace tuvako {

// Paints its background in `Color` and its bevels inside its edge: the outer bevel first, then
// the inner one, each `BevelWidth` pixels wide. Children placed by a layout stay inside the
// bevels; children placed by hand keep their coordinates from the panel's corner.
// `Color` is a Qt property so that the component state can store it by name
// ("PanelTausta.Color").
class TPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Color READ Color WRITE SetColor)

public:
    enum class TBevelCut { bvNone, bvLowered, bvRaised };

    explicit TPanel(QWidget* parent = nullptr);

    int Color() const { return color_; }
    void SetColor(int color);

    void SetBevels(TBevelCut outer, TBevelCut inner, int width);

    // Pixels taken by the bevels on each side.
    int BorderSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateContentsMargins();

    TColor color_ = clBtnFace;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
};

}  // namespace tuvako
