// Plays a scenario against the terminals that connect: sends, pauses and checks what comes back.
#pragma once

#include "sim/RecordPattern.h"
#include "sim/ScenarioStep.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace tuvako::sim {

class SimConnection;
class SimServer;
class TrafficLog;

// Steps that act on a terminal work on the current connection; the first of them, or an
// "accept", waits for the next terminal that connects and makes it current. Records that a
// connection receives queue up from the moment it is accepted, and "expect" takes them in
// order. The runner ends at the last step or at the first one that fails.
class ScenarioRunner : public QObject {
    Q_OBJECT

public:
    static constexpr std::int64_t DefaultTimeoutMs = 5000;

    ScenarioRunner(std::vector<ScenarioStep> steps, SimServer& server, TrafficLog& log,
                   QObject* parent = nullptr);
    ~ScenarioRunner() override;

    // Runs the steps from the event loop; `finished` tells the outcome.
    void Start();
    bool Done() const { return done_; }
    bool Passed() const { return passed_; }
    const std::string& Failure() const { return failure_; }

signals:
    void finished(bool passed);

private:
    struct Tracked;
    enum class Waiting { Nothing, Pause, Quiet, Record, Connection };

    void Track(SimConnection* connection);
    void OnRecord(Tracked* tracked);
    void OnClosed(Tracked* tracked);
    void OnTimer();
    void Continue();
    bool StartStep(const ScenarioStep& step);  // false: the step waits for an event
    bool TakeNextConnection();
    bool CheckExpectation(const ScenarioStep& step);  // false: nothing to judge yet
    bool CheckQuiet();
    bool IsIgnored(const AnsiString& record) const;
    void WaitFor(Waiting what, std::int64_t milliseconds);
    void StepDone();
    void Fail(const std::string& reason);
    void Finish(bool passed);
    Tracked* Current() const;

    std::vector<ScenarioStep> steps_;
    SimServer& server_;
    TrafficLog& log_;
    std::size_t next_ = 0;
    std::deque<std::unique_ptr<Tracked>> tracked_;
    std::ptrdiff_t current_ = -1;  // index into tracked_
    std::vector<RecordPattern> ignored_;
    std::int64_t timeoutMs_ = DefaultTimeoutMs;
    Waiting waiting_ = Waiting::Nothing;
    QTimer timer_;
    bool running_ = false;  // inside Continue: events only mark, Continue goes on
    bool done_ = false;
    bool passed_ = false;
    std::string failure_;
};

}  // namespace tuvako::sim
