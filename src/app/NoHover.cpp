#include "app/NoHover.h"

#include <QApplication>
#include <QEvent>

namespace tuvako {

NoHover::NoHover(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

NoHover::~NoHover() {
    qApp->removeEventFilter(this);
}

bool NoHover::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        // Held back before the application marks the widget as under the mouse, which the
        // style would draw as hovered; leave events pass and clear that mark.
        case QEvent::Enter:
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
        case QEvent::HoverLeave:
            return watched->isWidgetType();
        default:
            return false;
    }
}

}  // namespace tuvako
