#include "app/TuvakoApplication.h"

#include "platform/ExceptionReporter.h"

namespace tuvako {

TuvakoApplication::TuvakoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TuvakoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ExceptionReporter::ReportCurrent("Event handler");
        return false;
    }
}

}  // namespace tuvako
