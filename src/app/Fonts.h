// The fonts of the screen.
#pragma once

#include <QFont>
#include <QStringList>

namespace tuvako {

// The old screen's fonts were Windows' own: a sans-serif with Arial's metrics and Times New
// Roman. Linux has them as the Liberation fonts, made with the same metrics. Each font names
// both, so each system takes the one it has and the captions wrap alike on both.
QFont SansFont(int pixelSize);
QFont SerifFont(int pixelSize);

}  // namespace tuvako
