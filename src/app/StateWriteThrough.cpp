#include "app/StateWriteThrough.h"

#include "platform/ExceptionReporter.h"

namespace tuvako {

StateWriteThrough::StateWriteThrough(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kDefaultSettleMs);
    connect(&settle_, &QTimer::timeout, this, &StateWriteThrough::SaveNow);
}

void StateWriteThrough::AddPart(const char* context, SavePart save) {
    parts_.push_back(Part{context, std::move(save)});
}

void StateWriteThrough::SaveNow() noexcept {
    settle_.stop();
    // Every part is tried, whatever the one before it met: the colours are worth keeping even
    // when the position cannot be written. One report says that the file cannot be written.
    bool failed = false;
    for (const Part& part : parts_) {
        try {
            part.save();
        } catch (...) {
            if (!failing_ && !failed) ExceptionReporter::ReportCurrent(part.context);
            failed = true;
        }
    }
    failing_ = failed;
}

}  // namespace tuvako
