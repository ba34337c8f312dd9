// A program of this project run as a child process, its merged output kept for searching.
#pragma once

#include "support/Wait.h"

#include <QProcess>
#include <QStringList>

#include <string>

namespace tuvako::test {

// A program's whole text output as the tests read it: on Windows the programs end their lines
// in CR LF, which is read as LF.
inline std::string AsText(QByteArray bytes) {
#ifdef _WIN32
    bytes.replace("\r\n", "\n");
#endif
    return bytes.toStdString();
}

// Waits are generous for a loaded machine under sanitizers, yet below CTest's 60 s per test.
constexpr int kWaitMs = 30000;

class ChildProcess {
public:
    ChildProcess() {
        process.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [this] { Take(process.readAllStandardOutput()); });
    }
    ~ChildProcess() { Terminate(); }

    // tuvako-sim listening on a free port of 127.0.0.1, with `arguments`: its port, or 0 when it
    // never said where it listens.
    int StartSimulator(const QStringList& arguments) {
        process.start(TUVAKO_SIM_BINARY, QStringList{"--listen", "127.0.0.1:0"} + arguments);
        const std::size_t at = WaitFor("listening on 127.0.0.1:");
        if (at == std::string::npos || WaitFor("\n", at) == std::string::npos) return 0;
        return std::stoi(output.substr(at));
    }

    // The position just after `text` at or after `from`, npos when it does not come in time.
    std::size_t WaitFor(const std::string& text, std::size_t from = 0) {
        std::size_t at = std::string::npos;
        const auto found = [&] { return (at = output.find(text, from)) != std::string::npos; };
        return WaitUntil(found, kWaitMs) ? at + text.size() : at;
    }
    std::size_t Count(const std::string& text) const {
        std::size_t count = 0;
        for (auto at = output.find(text); at != std::string::npos; at = output.find(text, at + 1))
            ++count;
        return count;
    }
    void WriteLine(const std::string& line) {
        process.write(QByteArray::fromStdString(line + "\n"));
    }
    // The exit code once it ends on its own; -1 on a crash or when it runs on.
    int WaitForExit(int timeoutMs) {
        if (!WaitUntil([&] { return process.state() == QProcess::NotRunning; }, timeoutMs))
            return -1;
        Take(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    // Asks it to end (SIGTERM) and waits; kills it when it will not. Its exit code as above.
    int Terminate() {
        if (process.state() != QProcess::NotRunning) process.terminate();
        const int status = WaitForExit(20000);
        if (process.state() != QProcess::NotRunning) process.kill(), process.waitForFinished(5000);
        return status;
    }

    QProcess process;
    std::string output;

private:
    // On Windows the programs' text output ends its lines in CR LF; the tests read LF.
    void Take(const QByteArray& bytes) {
        [[maybe_unused]] const std::size_t from = output.empty() ? 0 : output.size() - 1;
        output += bytes.toStdString();
#ifdef _WIN32
        for (auto at = output.find("\r\n", from); at != std::string::npos;
             at = output.find("\r\n", at))
            output.erase(at, 1);
#endif
    }
};

}  // namespace tuvako::test
