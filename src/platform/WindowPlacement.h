// The platform's window placement (restored rectangle, show command, flags) on a QWidget window.
#pragma once

#include <QPoint>

#include <cstdint>

class QWidget;

namespace tuvako {

// A rectangle as the window placement holds it: right and bottom lie one past the last pixel,
// so the width is right - left.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

// What the platform's window placement records about a top-level window. The rectangle is the
// window's restored (normal) rectangle in workspace coordinates: screen coordinates less the room
// that panels and task bars take at the top and left of the window's screen. It is the client
// area, the toolkit's normal geometry, without the window manager's frame: frames are known only
// once a window is shown, so a rectangle that included them would creep by the frame's size at
// every save and restore.
struct WindowPlacement {
    static constexpr std::uint32_t ShowHide = 0;
    static constexpr std::uint32_t ShowNormal = 1;
    static constexpr std::uint32_t ShowMinimized = 2;
    static constexpr std::uint32_t ShowMaximized = 3;
    // In `flags`: a minimised window returns to the maximised state.
    static constexpr std::uint32_t RestoreToMaximized = 0x2;

    std::uint32_t flags = 0;
    std::uint32_t showCmd = ShowNormal;
    // Where the window sits when minimised or maximised. The toolkit leaves both to the window
    // system, so they are reported as (-1, -1) and ignored when applied.
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    PlacementRect normalPosition;
};

// The placement of a top-level window: minimised gives ShowMinimized (with RestoreToMaximized
// when it was maximised before), maximised or full screen ShowMaximized, anything else
// ShowNormal. Works for a window that has not been shown yet.
WindowPlacement GetWindowPlacement(const QWidget& window);

// Gives the window the placement's restored rectangle and the state of its show command.
// ShowHide hides the window; the other commands leave showing it to the caller.
void SetWindowPlacement(QWidget& window, const WindowPlacement& placement);

// Moves the window's restored position to (left, top) in workspace coordinates, keeping its size
// and its state: a window that is (or will open) maximised returns to this position.
void SetRestoredPosition(QWidget& window, int left, int top);

}  // namespace tuvako
