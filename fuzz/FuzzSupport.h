// What the fuzz targets on Qt share: one application on the offscreen platform, and handling
// of posted messages.
#pragma once

#include "FuzzCheck.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>

// The system's font library keeps what it allocates the first time a font is looked up; that
// is not ours to find. (Each fuzz target is one source file, so this is defined once.)
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// The targets that build the main window for every input leave leak checking to the sanitizer
// test suite, which builds and destroys the same window: Qt fills its caches (fonts, styles,
// glyphs) as inputs go by, and each such input would cost a scan of the whole heap here.
#define TUVAKO_FUZZ_NO_LEAK_CHECK                                           \
    extern "C" __attribute__((used)) const char* __asan_default_options() { \
        return "detect_leaks=0";                                            \
    }

namespace tuvako::fuzz {

// One application for the whole run, made before the first input. Widgets need a QApplication;
// the platform is offscreen unless QT_QPA_PLATFORM says otherwise.
inline void StartApplication(bool widgets) {
    // Never destroyed: Qt's global state goes before static destructors would run.
    static QCoreApplication* application = nullptr;
    if (application) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "tuvako-fuzz";
    static char* argv[] = {name, nullptr};
    if (widgets)
        application = new QApplication(argc, argv);
    else
        application = new QCoreApplication(argc, argv);
}

// Handles every posted message, and those they post in turn.
inline void HandlePostedMessages() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace tuvako::fuzz
