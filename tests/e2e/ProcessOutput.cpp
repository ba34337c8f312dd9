#include "ProcessOutput.h"

#include "WaitUntil.h"

namespace tuvako::test {

ProcessOutput::ProcessOutput() {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { output_ += process_.readAllStandardOutput().toStdString(); });
}

ProcessOutput::~ProcessOutput() {
    Terminate();
}

std::size_t ProcessOutput::WaitFor(const std::string& text, std::size_t from, int timeoutMs) {
    std::size_t found = std::string::npos;
    WaitUntil(
        [&] {
            found = output_.find(text, std::min(from, output_.size()));
            return found != std::string::npos;
        },
        timeoutMs);
    return found == std::string::npos ? found : found + text.size();
}

std::size_t ProcessOutput::Count(const std::string& text) const {
    std::size_t count = 0;
    for (std::size_t at = output_.find(text); at != std::string::npos;
         at = output_.find(text, at + text.size()))
        ++count;
    return count;
}

void ProcessOutput::WriteLine(const std::string& line) {
    process_.write(QByteArray::fromStdString(line + "\n"));
}

int ProcessOutput::WaitForExit(int timeoutMs) {
    if (!WaitUntil([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs)) return -1;
    output_ += process_.readAllStandardOutput().toStdString();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

int ProcessOutput::Terminate() {
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    process_.terminate();
    const int status = WaitForExit(10000);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    return status;
}

}  // namespace tuvako::test
