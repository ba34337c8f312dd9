#include "app/TOvcLabel.h"

#include "platform/Cp1252.h"

#include <QPainter>

namespace tuvako {

TOvcLabel::TOvcLabel(QWidget* parent) : QWidget(parent) {
    // Transparent: the panel behind shows through around the letters.
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void TOvcLabel::SetCaption(const AnsiString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    update();
}

QString TOvcLabel::text() const {
    return ToQString(caption_);
}

void TOvcLabel::SetTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void TOvcLabel::paintEvent(QPaintEvent*) {
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
