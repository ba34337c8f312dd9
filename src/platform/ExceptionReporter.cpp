#include "platform/ExceptionReporter.h"

#include "platform/Exception.h"

#include <cstdio>
#include <exception>

namespace tuvako {
namespace {

void WriteToStandardError(const AnsiString& report) {
    std::fprintf(stderr, "%s\n", report.c_str());
    std::fflush(stderr);
}

ExceptionReporter::Sink& CurrentSink() {
    static ExceptionReporter::Sink sink = WriteToStandardError;
    return sink;
}

}  // namespace

ExceptionReporter::Sink ExceptionReporter::SetSink(Sink sink) {
    Sink previous = std::move(CurrentSink());
    CurrentSink() = sink ? std::move(sink) : Sink(WriteToStandardError);
    return previous;
}

void ExceptionReporter::ReportCurrent(const char* context) noexcept {
    AnsiString report = AnsiString("Exception in ") + context + ": ";
    try {
        throw;
    } catch (const std::exception& error) {
        report += DescribeException(error);
    } catch (...) {
        report += "unknown exception";
    }
    try {
        CurrentSink()(report);
    } catch (...) {
        WriteToStandardError(report);  // A failing sink must not take the loop down either.
    }
}

}  // namespace tuvako
