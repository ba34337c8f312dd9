#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

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

// The frame around the client area: its top-left margin and its total extra size. Zero until the
// window system has framed the window.
struct FrameMargins {
    QPoint topLeft;
    QSize extra;
};

FrameMargins MarginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.topLeft() - frame.topLeft(), frame.size() - client.size()};
}

// The client rectangle the window returns to when it leaves the minimised or maximised state.
QRect RestoredClientRect(const QWidget& window) {
    const QRect normal = window.normalGeometry();
    return normal.isValid() ? normal : window.geometry();
}

// Runs `change` while the window is in the normal state, so that moving or resizing it sets the
// rectangle it is restored to; then puts its state back, which records that rectangle.
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
    const FrameMargins margins = MarginsOf(window);
    const QRect client = RestoredClientRect(window);
    const QPoint topLeft = client.topLeft() - margins.topLeft - WorkspaceOrigin(window);
    placement.normalPosition = {topLeft.x(), topLeft.y(),
                                topLeft.x() + client.width() + margins.extra.width(),
                                topLeft.y() + client.height() + margins.extra.height()};
    return placement;
}

void SetWindowPlacement(QWidget& window, const WindowPlacement& placement) {
    const PlacementRect& rect = placement.normalPosition;
    const FrameMargins margins = MarginsOf(window);
    const QPoint frameTopLeft = QPoint(rect.left, rect.top) + WorkspaceOrigin(window);
    const QSize clientSize = QSize(rect.right - rect.left, rect.bottom - rect.top) - margins.extra;
    WhileNormal(window, [&] {
        window.move(frameTopLeft);
        window.resize(clientSize.expandedTo(QSize(0, 0)));
    });
    window.setWindowState(StateFor(placement, window.windowState()));
    if (placement.showCmd == WindowPlacement::ShowHide) window.hide();
}

void SetRestoredPosition(QWidget& window, int left, int top) {
    const QPoint frameTopLeft = QPoint(left, top) + WorkspaceOrigin(window);
    WhileNormal(window, [&] { window.move(frameTopLeft); });
}

}  // namespace tuvako
