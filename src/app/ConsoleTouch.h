// Presses the terminal's selection buttons, and picks its colour, from commands on standard input.
#pragma once

#include <QObject>
#include <QString>

class QPushButton;
class QWidget;

namespace tuvako {

// For a terminal without a display (the demo on a server, the end-to-end tests): each line
// "press N" presses selection slot N, and "press TEXT" the first shown button whose caption
// starts with TEXT, exactly as a customer's touch would; "colour RRGGBB" (hex digits) chooses
// that background colour through the operator's menu, confirmed in its colour dialog. Anything
// else is reported on standard error. Reading stops at the end of standard input; the terminal
// goes on.
class ConsoleTouch : public QObject {
public:
    // The environment variable that switches the console on in the program entry.
    static constexpr char kEnvironmentVariable[] = "TUVAKO_CONSOLE_INPUT";

    explicit ConsoleTouch(QWidget& window);

    // Carries out one command; false when nothing was pressed or chosen.
    bool Execute(const QString& line);

private:
    QPushButton* FindShownButton(const QString& which) const;
    bool ChooseColour(const QString& digits);

    QWidget& window_;
};

}  // namespace tuvako
