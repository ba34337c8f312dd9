#include "platform/TerminationSignals.h"

#include "platform/ExceptionReporter.h"

namespace tuvako {

void TerminationSignals::Deliver() {
    if (onSignal_) ExceptionReporter::Guard("Termination signal", onSignal_);
}

}  // namespace tuvako
