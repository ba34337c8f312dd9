// Saves PNG pictures of a window whenever what it shows changes: the demo's eyes with no display.
#pragma once

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace tuvako {

// Watches the paint events of `window` and its children. After a change it waits `delay`
// (so a burst of changes gives one picture, and at most one picture per delay), then grabs the
// window and saves it as "window-NNNN.png" and "latest.png" in `directory`.
class ScreenshotRecorder : public QObject {
    Q_OBJECT

public:
    ScreenshotRecorder(QWidget* window, const QString& directory, int delayMs = 500,
                       QObject* parent = nullptr);

    int SavedCount() const { return saved_; }
    // A change was seen and its picture is still to be taken.
    bool IsPending() const { return delay_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Save();

    QPointer<QWidget> window_;
    QDir directory_;
    QTimer delay_;
    int saved_ = 0;
    bool grabbing_ = false;
};

}  // namespace tuvako
