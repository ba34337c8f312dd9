#include "app/TPanel.h"

#include <QPainter>

namespace tuvako {
namespace {

// Draws a bevel of `width` pixels just inside `rect`: light on the top and left edges for a
// raised cut, dark there for a lowered one. Returns the rectangle left inside it.
QRect DrawBevel(QPainter& painter, QRect rect, TPanel::TBevelCut cut, int width) {
    if (cut == TPanel::TBevelCut::bvNone) return rect;
    const QColor light = ToQColor(clWhite);
    const QColor dark = ToQColor(clGray);
    const QColor& topLeft = cut == TPanel::TBevelCut::bvRaised ? light : dark;
    const QColor& bottomRight = cut == TPanel::TBevelCut::bvRaised ? dark : light;
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
    return rect;
}

}  // namespace

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateContentsMargins();
}

void TPanel::SetColor(int color) {
    if (color_ == color) return;
    color_ = color;
    update();
}

void TPanel::SetBevels(TBevelCut outer, TBevelCut inner, int width) {
    bevelOuter_ = outer;
    bevelInner_ = inner;
    bevelWidth_ = width;
    UpdateContentsMargins();
    update();
}

int TPanel::BorderSize() const {
    return (bevelOuter_ != TBevelCut::bvNone ? bevelWidth_ : 0) +
           (bevelInner_ != TBevelCut::bvNone ? bevelWidth_ : 0);
}

void TPanel::UpdateContentsMargins() {
    const int border = BorderSize();
    setContentsMargins(border, border, border, border);
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    const QRect inside = DrawBevel(painter, rect(), bevelOuter_, bevelWidth_);
    DrawBevel(painter, inside, bevelInner_, bevelWidth_);
}

}  // namespace tuvako
