#include "app/ConsoleTouch.h"

#include "platform/ConsoleLines.h"

#include <QAction>
#include <QColorDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace tuvako {

ConsoleTouch::ConsoleTouch(QWidget& window) : QObject(&window), window_(window) {
    new ConsoleLines(
        [this](const QByteArray& bytes) {
            const QString line = QString::fromUtf8(bytes).trimmed();
            if (!line.isEmpty()) Execute(line);
        },
        this);
}

bool ConsoleTouch::Execute(const QString& line) {
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString which = line.section(QLatin1Char(' '), 1).trimmed();
    if (command == QLatin1String("colour")) {
        if (ChooseColour(which)) return true;
        std::fprintf(stderr, "console: \"%s\" is no colour (colour RRGGBB)\n",
                     line.toLocal8Bit().constData());
        return false;
    }
    QPushButton* button = command == QLatin1String("press") ? FindShownButton(which) : nullptr;
    if (!button) {
        std::fprintf(stderr, "console: no shown button for \"%s\" (press N or press CAPTION)\n",
                     line.toLocal8Bit().constData());
        return false;
    }
    button->click();
    return true;
}

bool ConsoleTouch::ChooseColour(const QString& digits) {
    static const QRegularExpression kHex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    auto* item = window_.findChild<QAction*>(QStringLiteral("mnuBackColor"));
    auto* dialog = window_.findChild<QColorDialog*>(QStringLiteral("ColorDialog"));
    if (!kHex.match(digits).hasMatch() || !item || !dialog) return false;
    const QColor colour = QColor::fromString(QLatin1Char('#') + digits);
    // The dialog runs modal once the menu item is chosen; the operator's choice comes from
    // inside it, as a click on its OK button would.
    QTimer::singleShot(0, dialog, [dialog, colour] {
        dialog->setCurrentColor(colour);
        dialog->accept();
    });
    item->trigger();
    return true;
}

QPushButton* ConsoleTouch::FindShownButton(const QString& which) const {
    if (which.isEmpty()) return nullptr;
    bool isNumber = false;
    const int slot = which.toInt(&isNumber);
    for (QPushButton* button : window_.findChildren<QPushButton*>()) {
        if (!button->isVisible() || !button->objectName().startsWith(QLatin1String("Button")))
            continue;
        if (isNumber
                ? button->objectName() == QStringLiteral("Button%1").arg(slot)
                : button->text().replace(QLatin1String("&&"), QLatin1String("&")).startsWith(which))
            return button;
    }
    return nullptr;
}

}  // namespace tuvako
