#include "app/ClassicLook.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace tuvako {

void UseClassicLook(QApplication& application) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Windows"));
    if (!style) return;  // every Qt Widgets build has it; without it the default look stays
    application.setStyle(style);
    // Set explicitly: a desktop theme's palette would otherwise win over the style's.
    application.setPalette(style->standardPalette());
}

}  // namespace tuvako
