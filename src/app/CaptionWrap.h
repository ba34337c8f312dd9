// Breaking a button caption into lines that fit the button's width.
#pragma once

#include <QString>

class QFontMetrics;

namespace tuvako {

// Each line of `text` ("\n"-separated) that is wider than `width` pixels is broken at blanks,
// as many words on a line as fit, the way a multi-line push button wraps its caption. A word
// wider than the button stays whole on a line of its own. Lines that fit are left as they are.
QString WrapCaption(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace tuvako
