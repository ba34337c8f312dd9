#include "sim/ScenarioRunner.h"

#include "sim/SimConnection.h"
#include "sim/SimServer.h"
#include "sim/StepActions.h"
#include "sim/TrafficLog.h"

namespace tuvako::sim {

struct ScenarioRunner::Tracked {
    QPointer<SimConnection> connection;
    std::size_t index = 0;
    int id = 0;
    std::deque<AnsiString> inbox;
    bool closed = false;
};

namespace {

std::string Seconds(std::int64_t milliseconds) {
    return std::to_string(milliseconds / 1000) + "." + std::to_string(milliseconds % 1000 / 100) +
           " s";
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::vector<ScenarioStep> steps, SimServer& server, TrafficLog& log,
                               QObject* parent)
    : QObject(parent), steps_(std::move(steps)), server_(server), log_(log) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ScenarioRunner::OnTimer);
    connect(&server_, &SimServer::connectionAccepted, this, &ScenarioRunner::Track);
}

ScenarioRunner::~ScenarioRunner() = default;

void ScenarioRunner::Start() {
    for (SimConnection* connection : server_.Connections()) Track(connection);
    Continue();
}

ScenarioRunner::Tracked* ScenarioRunner::Current() const {
    return current_ >= 0 ? tracked_[std::size_t(current_)].get() : nullptr;
}

void ScenarioRunner::Track(SimConnection* connection) {
    auto tracked = std::make_unique<Tracked>();
    tracked->connection = connection;
    tracked->index = tracked_.size();
    tracked->id = connection->Id();
    Tracked* raw = tracked.get();
    tracked_.push_back(std::move(tracked));
    connect(connection, &SimConnection::recordReceived, this,
            [this, raw](SimConnection*, const AnsiString& record) {
                // Connections left behind by the scenario keep nothing.
                if (std::ptrdiff_t(raw->index) < current_) return;
                raw->inbox.push_back(record);
                OnRecord(raw);
            });
    connect(connection, &SimConnection::closed, this, [this, raw](SimConnection*) {
        raw->closed = true;
        OnClosed(raw);
    });
    if (waiting_ == Waiting::Connection) {
        waiting_ = Waiting::Nothing;
        timer_.stop();
        Continue();
    } else if (waiting_ == Waiting::Quiet && !Current()) {
        TakeNextConnection();  // a quiet time covers the terminal that connects during it
    }
}

void ScenarioRunner::OnRecord(Tracked* tracked) {
    if (done_ || tracked != Current()) return;
    if (waiting_ == Waiting::Record && CheckExpectation(steps_[next_]))
        StepDone();
    else if (waiting_ == Waiting::Quiet)
        CheckQuiet();
}

void ScenarioRunner::OnClosed(Tracked* tracked) {
    if (!done_ && tracked == Current() && waiting_ == Waiting::Record &&
        CheckExpectation(steps_[next_]))
        StepDone();
}

void ScenarioRunner::OnTimer() {
    if (done_) return;
    const ScenarioStep& step = steps_[next_];
    switch (waiting_) {
        case Waiting::Pause:
        case Waiting::Quiet:
            StepDone();
            break;
        case Waiting::Record:
            Fail("nothing matching \"" + TrafficLog::Printable(step.text) + "\" came within " +
                 Seconds(timeoutMs_));
            break;
        case Waiting::Connection:
            Fail("no terminal connected within " + Seconds(timeoutMs_));
            break;
        case Waiting::Nothing:
            break;
    }
}

void ScenarioRunner::Continue() {
    if (running_ || done_) return;
    running_ = true;
    while (next_ < steps_.size()) {
        const bool complete = StartStep(steps_[next_]);
        if (!complete || done_) {
            running_ = false;
            return;
        }
        ++next_;
    }
    running_ = false;
    Finish(true);
}

bool ScenarioRunner::TakeNextConnection() {
    if (std::size_t(current_ + 1) >= tracked_.size()) return false;
    ++current_;
    log_.Line("scenario: working with #" + std::to_string(Current()->id));
    return true;
}

bool ScenarioRunner::StartStep(const ScenarioStep& step) {
    const bool needsConnection = StepActions::ActsOnConnection(step.kind) ||
                                 step.kind == StepKind::Expect || step.kind == StepKind::ExpectLike;
    if ((step.kind == StepKind::Accept || (needsConnection && !Current())) &&
        !TakeNextConnection()) {
        WaitFor(Waiting::Connection, timeoutMs_);
        return false;
    }
    switch (step.kind) {
        case StepKind::Accept:
            return true;
        case StepKind::Wait:
            WaitFor(Waiting::Pause, step.milliseconds);
            return false;
        case StepKind::Timeout:
            timeoutMs_ = step.milliseconds;
            return true;
        case StepKind::Ignore:
            if (step.text.empty())
                ignored_.clear();
            else
                ignored_.emplace_back(step.text);
            return true;
        case StepKind::Print:
            log_.Line("-- " + TrafficLog::Printable(step.text));
            return true;
        case StepKind::Offline:
            server_.GoOffline();
            return true;
        case StepKind::Online: {
            QString error;
            if (!server_.GoOnline(&error)) Fail("cannot listen again: " + error.toStdString());
            return true;
        }
        case StepKind::Expect:
        case StepKind::ExpectLike:
            if (CheckExpectation(step) || done_) return true;
            WaitFor(Waiting::Record, timeoutMs_);
            return false;
        case StepKind::Quiet:
            if (!Current()) TakeNextConnection();
            if (Current() && !CheckQuiet()) return true;
            WaitFor(Waiting::Quiet, step.milliseconds);
            return false;
        default:
            break;
    }
    Tracked* tracked = Current();
    if (tracked->closed || !tracked->connection) {
        Fail("the connection #" + std::to_string(tracked->id) + " is closed (use accept)");
        return true;
    }
    StepActions::Perform(step, *tracked->connection);
    return true;
}

// Takes the received records in order, skipping ignored ones. True when the step is over:
// passed, or failed (then done_ is set).
bool ScenarioRunner::CheckExpectation(const ScenarioStep& step) {
    Tracked* tracked = Current();
    while (!tracked->inbox.empty()) {
        const AnsiString record = std::move(tracked->inbox.front());
        tracked->inbox.pop_front();
        if (IsIgnored(record)) continue;
        const bool matches = step.kind == StepKind::Expect
                                 ? record == step.text
                                 : RecordPattern(step.text).Matches(record);
        if (!matches)
            Fail("expected \"" + TrafficLog::Printable(step.text) + "\", received \"" +
                 TrafficLog::Printable(record) + "\"");
        return true;
    }
    if (tracked->closed) {
        Fail("the connection #" + std::to_string(tracked->id) + " closed before \"" +
             TrafficLog::Printable(step.text) + "\" came");
        return true;
    }
    return false;
}

// False when a record that is not ignored has come (the scenario then fails).
bool ScenarioRunner::CheckQuiet() {
    Tracked* tracked = Current();
    while (!tracked->inbox.empty()) {
        const AnsiString record = std::move(tracked->inbox.front());
        tracked->inbox.pop_front();
        if (!IsIgnored(record)) {
            Fail("expected quiet, received \"" + TrafficLog::Printable(record) + "\"");
            return false;
        }
    }
    return true;
}

bool ScenarioRunner::IsIgnored(const AnsiString& record) const {
    for (const RecordPattern& pattern : ignored_)
        if (pattern.Matches(record)) return true;
    return false;
}

void ScenarioRunner::WaitFor(Waiting what, std::int64_t milliseconds) {
    waiting_ = what;
    timer_.start(std::chrono::milliseconds(milliseconds));
}

void ScenarioRunner::StepDone() {
    waiting_ = Waiting::Nothing;
    timer_.stop();
    ++next_;
    Continue();
}

void ScenarioRunner::Fail(const std::string& reason) {
    failure_ = "line " + std::to_string(steps_[next_].line) + ": " + reason;
    log_.Line("scenario FAILED at " + failure_);
    Finish(false);
}

void ScenarioRunner::Finish(bool passed) {
    if (done_) return;
    done_ = true;
    passed_ = passed;
    waiting_ = Waiting::Nothing;
    timer_.stop();
    if (passed) log_.Line("scenario passed (" + std::to_string(steps_.size()) + " steps)");
    emit finished(passed);
}

}  // namespace tuvako::sim
