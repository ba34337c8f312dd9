#include "app/ExceptionLogSink.h"

#include "app/Main.h"

#include <cstdio>

namespace tuvako {

ExceptionLogSink::ExceptionLogSink(TfrmTuvakoMain& window) {
    previous_ = ExceptionReporter::SetSink([&window](const AnsiString& report) {
        std::fprintf(stderr, "%s\n", report.c_str());
        std::fflush(stderr);
        window.AddLog(report);
    });
}

ExceptionLogSink::~ExceptionLogSink() {
    ExceptionReporter::SetSink(std::move(previous_));
}

}  // namespace tuvako
