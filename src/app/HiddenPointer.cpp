#include "app/HiddenPointer.h"

#include <QApplication>
#include <QPixmap>

namespace tuvako {

HiddenPointer::HiddenPointer() {
    QApplication::setOverrideCursor(Cursor());
}

HiddenPointer::~HiddenPointer() {
    QApplication::restoreOverrideCursor();
}

QCursor HiddenPointer::Cursor() {
    // The size of a small standard cursor, so that no platform scales or rejects it.
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    return QCursor(picture, 0, 0);
}

}  // namespace tuvako
