#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tuvako {
namespace {

constexpr Qt::WindowStates kSpecialStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// How far workspace coordinates are shifted against screen coordinates.
QPoint WorkspaceOrigin(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return {};
    return screen->availableGeometry().topLeft() - screen->geometry().topLeft();
}

// The client rectangle the window returns to when it leaves the minimised or maximised state.
QRect RestoredClientRect(const QWidget& window) {
    const QRect normal = window.normalGeometry();
    return normal.isValid() ? normal : window.geometry();
}

// Runs `change` while the window is in the normal state, so that placing it sets the rectangle
// it is restored to; then puts its state back, which records that rectangle. Changes go through
// setGeometry, the client rectangle, which unlike move() does not depend on a frame that the
// window system may not have reported yet.
template <class Change>
void WhileNormal(QWidget& window, Change&& change) {
    const Qt::WindowStates state = window.windowState();
    if (!(state & kSpecialStates)) {
        change();
        return;
    }
    window.setWindowState(state & ~kSpecialStates);
    change();
    window.setWindowState(state);
}

Qt::WindowStates StateFor(const WindowPlacement& placement, Qt::WindowStates current) {
    const Qt::WindowStates kept = current & ~kSpecialStates;
    switch (placement.showCmd) {
        case WindowPlacement::ShowHide:
            return current;
        case WindowPlacement::ShowMinimized:
            return kept | Qt::WindowMinimized |
                   (placement.flags & WindowPlacement::RestoreToMaximized ? Qt::WindowMaximized
                                                                          : Qt::WindowNoState);
        case WindowPlacement::ShowMaximized:
            return kept | Qt::WindowMaximized;
        default:
            return kept;
    }
}

}  // namespace

WindowPlacement GetWindowPlacement(const QWidget& window) {
    WindowPlacement placement;
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        placement.showCmd = WindowPlacement::ShowMinimized;
        if (state & Qt::WindowMaximized) placement.flags |= WindowPlacement::RestoreToMaximized;
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        placement.showCmd = WindowPlacement::ShowMaximized;
    }
    const QRect restored = RestoredClientRect(window).translated(-WorkspaceOrigin(window));
    placement.normalPosition = {restored.left(), restored.top(), restored.left() + restored.width(),
                                restored.top() + restored.height()};
    return placement;
}

void SetWindowPlacement(QWidget& window, const WindowPlacement& placement) {
    const PlacementRect& rect = placement.normalPosition;
    const QRect restored = QRect(rect.left, rect.top, std::max(rect.right - rect.left, 0),
                                 std::max(rect.bottom - rect.top, 0))
                               .translated(WorkspaceOrigin(window));
    WhileNormal(window, [&] { window.setGeometry(restored); });
    window.setWindowState(StateFor(placement, window.windowState()));
    if (placement.showCmd == WindowPlacement::ShowHide) window.hide();
}

void SetRestoredPosition(QWidget& window, int left, int top) {
    const QPoint topLeft = QPoint(left, top) + WorkspaceOrigin(window);
    WhileNormal(window, [&] { window.setGeometry(QRect(topLeft, window.geometry().size())); });
}

}  // namespace tuvako
