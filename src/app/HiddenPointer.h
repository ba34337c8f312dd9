// HiddenPointer: no mouse pointer over the program while it lives (--hide-cursor, for touch
// screens).
#pragma once

#include <QCursor>

namespace tuvako {

// Sets a fully transparent picture as the override cursor of the whole program, dialogs and
// menus included, and takes it back when destroyed. A picture, not Qt::BlankCursor: on
// Wayland a blank cursor asks the compositor to remove the pointer, and a compositor may keep
// drawing its own arrow instead (cage does); a transparent picture is drawn as nothing by
// every compositor and under X11 alike.
class HiddenPointer {
public:
    HiddenPointer();
    ~HiddenPointer();

    HiddenPointer(const HiddenPointer&) = delete;
    HiddenPointer& operator=(const HiddenPointer&) = delete;

    // The transparent cursor.
    static QCursor Cursor();
};

}  // namespace tuvako
