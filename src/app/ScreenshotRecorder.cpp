#include "app/ScreenshotRecorder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace tuvako {

ScreenshotRecorder::ScreenshotRecorder(QWidget* window, const QString& directory, int delayMs,
                                       QObject* parent)
    : QObject(parent), window_(window), directory_(directory) {
    directory_.mkpath(QStringLiteral("."));
    delay_.setSingleShot(true);
    delay_.setInterval(delayMs);
    connect(&delay_, &QTimer::timeout, this, &ScreenshotRecorder::Save);
    QCoreApplication::instance()->installEventFilter(this);
}

bool ScreenshotRecorder::eventFilter(QObject* watched, QEvent* event) {
    // The grab itself paints every widget once more; those paints are not a change.
    if (event->type() == QEvent::Paint && !grabbing_ && !delay_.isActive() && window_ &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window_)
        delay_.start();
    return false;
}

void ScreenshotRecorder::Save() {
    if (!window_ || !window_->isVisible()) return;
    grabbing_ = true;
    const QPixmap picture = window_->grab();
    grabbing_ = false;
    ++saved_;
    const QString numbered =
        directory_.filePath(QStringLiteral("window-%1.png").arg(saved_, 4, 10, QLatin1Char('0')));
    const QString latest = directory_.filePath(QStringLiteral("latest.png"));
    const QString partial = latest + QStringLiteral(".part.png");
    // latest.png is replaced in one step, so a viewer never reads half a picture.
    if (!picture.save(numbered) || !picture.save(partial) ||
        std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(latest).constData()) != 0)
        std::fprintf(stderr, "Cannot save a screenshot in %s\n",
                     qPrintable(directory_.absolutePath()));
}

}  // namespace tuvako
