#include "app/ConsoleTouch.h"

#include "platform/ConsoleLines.h"

#include <QPushButton>
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
    QPushButton* button = command == QLatin1String("press") ? FindShownButton(which) : nullptr;
    if (!button) {
        std::fprintf(stderr, "console: no shown button for \"%s\" (press N or press CAPTION)\n",
                     line.toLocal8Bit().constData());
        return false;
    }
    button->click();
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
