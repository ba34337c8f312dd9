// The application object: the program's look and Qt's texts in the system's language, and the
// one place that catches exceptions escaping an event handler.
#pragma once

#include <QApplication>

namespace tuvako {

// Made, it gives the whole program the classic look and Qt's own texts (dialogs) in the
// language of the system's locale. Every event goes through notify(); an exception that an
// event handler lets escape is reported through ExceptionReporter there and the event counts
// as not handled, so the event loop goes on.
class TuvakoApplication : public QApplication {
    Q_OBJECT

public:
    TuvakoApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tuvako
