#include "app/TuvakoApplication.h"

#include "app/ClassicLook.h"
#include "app/QtTranslations.h"
#include "platform/ExceptionReporter.h"

#include <QLocale>

namespace tuvako {

TuvakoApplication::TuvakoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    UseClassicLook(*this);
    InstallQtTranslations(*this, QLocale::system());
}

bool TuvakoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ExceptionReporter::ReportCurrent("Event handler");
        return false;
    }
}

}  // namespace tuvako
