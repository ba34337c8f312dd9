// The classic controls of the terminal's home platform, for the whole program.
#pragma once

class QApplication;

namespace tuvako {

// Gives the application Qt's built-in classic style ("Windows", part of Qt Widgets on every
// platform) and that style's own palette: buttons raised in 3-D (light top and left edges, dark
// bottom and right ones), text boxes and the log pane sunken, a check mark in a menu only
// beside an item that is on. Neither the style nor the colours come from the desktop's theme,
// so the terminal looks the same under any desktop, or under none. Called once, at start.
void UseClassicLook(QApplication& application);

}  // namespace tuvako
