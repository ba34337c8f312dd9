// CaptionButton: a selection button that draws its caption as the home platform's text drawing
// lays out lines.
#pragma once

#include <QPushButton>

namespace tuvako {

// A caption that ends in one line break ("Kuntosali" and an empty last line, as a choice with
// an empty fifth field arrives) is drawn and centred as one line: a line break at the very end
// starts no new line ("A\n" is one line, "A\n\n" two). The caption itself, text(), stays as it
// was set; only its drawing differs from a plain push button's.
class CaptionButton : public QPushButton {
    Q_OBJECT

public:
    explicit CaptionButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tuvako
