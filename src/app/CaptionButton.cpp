#include "app/CaptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tuvako {

namespace {

// The lines the button draws: its text without one final line break.
QString DrawnText(const QString& text) {
    return text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text;
}

}  // namespace

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

// What QPushButton draws, with the caption's lines counted as above.
void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = DrawnText(option.text);
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace tuvako
