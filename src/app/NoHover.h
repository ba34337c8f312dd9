// NoHover: nothing in the program reacts to a pointer resting over it.
#pragma once

#include <QObject>

namespace tuvako {

// With the pointer hidden (a touch screen), the pointer still rests somewhere, and a button
// that appears under it would be drawn as hovered although nobody points at it. Installed on
// the application, this filter keeps every widget from knowing that the pointer is over it:
// no widget counts as under the mouse, and no hover event reaches one. Clicks and touches are
// untouched. Removing the filter (destroying it) gives hovering back.
class NoHover : public QObject {
    Q_OBJECT

public:
    explicit NoHover(QObject* parent = nullptr);
    ~NoHover() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tuvako
