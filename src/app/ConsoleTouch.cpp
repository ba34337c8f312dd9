#include "app/ConsoleTouch.h"

#include "platform/ExceptionReporter.h"

#include <QPushButton>
#include <QSocketNotifier>
#include <QWidget>

#include <unistd.h>
#include <cstdio>

namespace tuvako {

ConsoleTouch::ConsoleTouch(QWidget& window) : QObject(&window), window_(window) {
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this,
            [this] { ExceptionReporter::Guard("Console", [this] { ReadInput(); }); });
}

void ConsoleTouch::ReadInput() {
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        notifier_->setEnabled(false);
        return;
    }
    pending_.append(buffer, qsizetype(got));
    for (qsizetype newline; (newline = pending_.indexOf('\n')) >= 0;) {
        const QString line = QString::fromUtf8(pending_.left(newline)).trimmed();
        pending_.remove(0, newline + 1);
        if (!line.isEmpty()) Execute(line);
    }
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
