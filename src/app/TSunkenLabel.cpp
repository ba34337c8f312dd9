#include "app/TSunkenLabel.h"

#include "platform/Cp1252.h"

#include <QPainter>

namespace tuvako {

TSunkenLabel::TSunkenLabel(QWidget* parent) : QWidget(parent) {
    // Transparent: the panel behind shows through around the letters.
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void TSunkenLabel::SetCaption(const AnsiString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    update();
}

QString TSunkenLabel::text() const {
    return ToQString(caption_);
}

void TSunkenLabel::SetTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void TSunkenLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QString shown = text();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect area = rect().translated(1, 1);
    painter.setPen(Qt::black);
    painter.drawText(area.translated(-1, -1), flags, shown);
    painter.setPen(Qt::white);
    painter.drawText(area.translated(1, 1), flags, shown);
    painter.setPen(textColor_);
    painter.drawText(area, flags, shown);
}

}  // namespace tuvako
