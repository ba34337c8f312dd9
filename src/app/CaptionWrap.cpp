// Breaking a button caption into lines that fit the button's width.
#include "app/CaptionWrap.h"

#include <QFontMetrics>
#include <QStringList>

namespace tuvako {

namespace {

QString WrapLine(const QString& line, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(line) <= width) return line;
    QString wrapped;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            wrapped += current + QLatin1Char('\n');
            current = word;
        } else {
            current = candidate;
        }
    }
    return wrapped + current;
}

}  // namespace

QString WrapCaption(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = WrapLine(line, metrics, width);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tuvako
