// The headline label: word-wrapped text drawn with a sunken look on a transparent background.
#pragma once

#include "platform/AnsiString.h"

#include <QWidget>

namespace tuvako {

// Draws its caption three times, placed one pixel right of and below its corner: in black one
// pixel up and to the left, in white one pixel down and to the right, then in its own colour
// on top, which makes the letters look pressed into the panel behind it.
class TSunkenLabel : public QWidget {
    Q_OBJECT

public:
    explicit TSunkenLabel(QWidget* parent = nullptr);

    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);

    // The caption as shown on screen.
    QString text() const;

    void SetTextColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AnsiString caption_;
    QColor textColor_ = Qt::black;
};

}  // namespace tuvako
