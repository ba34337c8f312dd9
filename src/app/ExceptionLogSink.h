// Sends exception reports to the log pane of the main window as well as to standard error.
#pragma once

#include "platform/ExceptionReporter.h"

namespace tuvako {

class TfrmTuvakoMain;

// While an instance lives, every report of ExceptionReporter goes to standard error and to
// the window's log pane; the destructor puts the previous sink back (before the window goes).
class ExceptionLogSink {
public:
    explicit ExceptionLogSink(TfrmTuvakoMain& window);
    ~ExceptionLogSink();

    ExceptionLogSink(const ExceptionLogSink&) = delete;
    ExceptionLogSink& operator=(const ExceptionLogSink&) = delete;

private:
    ExceptionReporter::Sink previous_;
};

}  // namespace tuvako
