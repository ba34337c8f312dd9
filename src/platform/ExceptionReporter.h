// The one place that catches what escapes an event handler, reports it and lets the loop go on.
#pragma once

#include "platform/AnsiString.h"

#include <functional>

namespace tuvako {

class ExceptionReporter {
public:
    using Sink = std::function<void(const AnsiString& report)>;

    // Replaces where reports go (standard error by default); an empty sink restores it.
    // Returns the sink that was in place, so a test can put it back.
    static Sink SetSink(Sink sink);

    // Call from inside a catch block: reports the exception in flight with its context
    // ("Socket message", "Timer", "Click" ...).
    static void ReportCurrent(const char* context) noexcept;

    // Runs `handler`, reporting instead of propagating anything it throws.
    template <class Handler>
    static void Guard(const char* context, Handler&& handler) noexcept {
        try {
            handler();
        } catch (...) {
            ReportCurrent(context);
        }
    }
};

}  // namespace tuvako
