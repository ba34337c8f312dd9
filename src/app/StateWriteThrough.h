// Saves the window's state soon after it changes, so that a power cut loses nothing it keeps.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace tuvako {

// The state is saved in parts (the window's placement, the panel colours), each a function that
// raises what its store raises. A deliberate change (a colour confirmed) is saved at once with
// SaveNow. Changes that come in runs (a window dragged or resized reports every step) go through
// Changed, which saves once no further change has come for the settle time.
//
// A part that cannot be saved is reported through ExceptionReporter under its context, as a
// close has always reported it, but only the first part that fails, and only in the first save
// that fails: a folder that cannot be written must not fill the log at every change. Once a
// save succeeds whole, the next failure is reported again.
class StateWriteThrough : public QObject {
public:
    using SavePart = std::function<void()>;
    static constexpr int kDefaultSettleMs = 1000;

    explicit StateWriteThrough(QObject* parent = nullptr);

    // Parts are saved in the order they were added.
    void AddPart(const char* context, SavePart save);

    int SettleTime() const { return settle_.interval(); }
    // A pending save then waits the new time, counted from now.
    void SetSettleTime(int ms) { settle_.setInterval(ms); }

    // Something changed: the save comes once the settle time has passed without a change.
    void Changed() { settle_.start(); }
    bool IsPending() const { return settle_.isActive(); }
    // Saves every part now, which also settles a pending save.
    void SaveNow() noexcept;

private:
    struct Part {
        const char* context;
        SavePart save;
    };

    std::vector<Part> parts_;
    QTimer settle_;
    bool failing_ = false;  // the last save failed, and that was reported
};

}  // namespace tuvako
