// A child process of an end-to-end test whose standard output is kept for searching.
#pragma once

#include <QProcess>
#include <QStringList>

#include <string>

namespace tuvako::test {

class ProcessOutput {
public:
    ProcessOutput();
    ~ProcessOutput();

    ProcessOutput(const ProcessOutput&) = delete;
    ProcessOutput& operator=(const ProcessOutput&) = delete;

    QProcess& Process() { return process_; }

    // Everything written to standard output (and standard error) so far.
    const std::string& Output() const { return output_; }
    // Waits until the output holds `text` at or after `from`; returns the position after it, or
    // std::string::npos on time-out.
    std::size_t WaitFor(const std::string& text, std::size_t from = 0, int timeoutMs = 20000);
    // How often `text` occurs in the output.
    std::size_t Count(const std::string& text) const;
    // Writes a line to the process's standard input.
    void WriteLine(const std::string& line);
    // Waits for the process to end on its own; its exit code, or -1 on time-out or crash.
    int WaitForExit(int timeoutMs = 30000);
    // Asks the process to end (SIGTERM), then waits; kills it if it does not. Returns its exit
    // code, -1 when it crashed or had to be killed; the code of an earlier end if it ended.
    int Terminate();

private:
    QProcess process_;
    std::string output_;
};

}  // namespace tuvako::test
