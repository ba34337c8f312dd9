#include "EndToEndFixture.h"

#include <QProcessEnvironment>

#include <filesystem>

namespace tuvako::test {

quint16 EndToEndFixture::StartSimulator(const std::string& scenario) {
    const auto file = dir.Write("scenario.txt", scenario);
    simulator.Process().start(
        QString::fromUtf8(TUVAKO_SIM_BINARY),
        {"--listen", "127.0.0.1:0", "--scenario", QString::fromStdString(file.string())});
    const std::string marker = "listening on 127.0.0.1:";
    const std::size_t at = simulator.WaitFor(marker);
    if (at == std::string::npos || simulator.WaitFor("\n", at) == std::string::npos) {
        ADD_FAILURE() << "the simulator did not start:\n" << simulator.Output();
        return 0;
    }
    return quint16(std::stoi(simulator.Output().substr(at)));
}

void EndToEndFixture::StartTerminal(quint16 port, const std::string& extraTerminalSettings) {
    const auto binary = dir.File("tuvako");
    std::filesystem::copy_file(TUVAKO_BINARY, binary,
                               std::filesystem::copy_options::overwrite_existing);
    dir.Write("Selvaro.ini",
              "[MessageSrv]\n"
              "ServerAddress=127.0.0.1\n"
              "Port=" +
                  std::to_string(port) +
                  "\n"
                  "Use=Yes\n"
                  "PingTime=1\n"
                  "[Tuvako01]\n"
                  "Number=01\n"
                  "ButtonShowTime=1\n" +
                  extraTerminalSettings);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("TUVAKO_CONSOLE_LOG", "1");
    environment.insert("TUVAKO_CONSOLE_INPUT", "1");
    environment.remove("TUVAKO_SCREENSHOT_DIR");
    terminal.Process().setProcessEnvironment(environment);
    terminal.Process().setWorkingDirectory(QString::fromStdString(dir.Path().string()));
    terminal.Process().start(QString::fromStdString(binary.string()), {});
    ASSERT_TRUE(terminal.Process().waitForStarted(10000)) << "tuvako did not start";
    terminalStarted_ = true;
}

void EndToEndFixture::ExpectScenarioPasses(int timeoutMs) {
    const int status = simulator.WaitForExit(timeoutMs);
    EXPECT_EQ(status, 0) << "simulator:\n"
                         << simulator.Output() << "\nterminal:\n"
                         << terminal.Output();
}

void EndToEndFixture::TearDown() {
    if (!terminalStarted_) return;
    const int status = terminal.Terminate();
    const std::string& output = terminal.Output();
    const std::string tail =
        output.substr(output.size() - std::min<std::size_t>(output.size(), 4000));
    EXPECT_EQ(status, 0) << tail;
    EXPECT_EQ(output.find("Sanitizer"), std::string::npos) << tail;
    EXPECT_EQ(output.find("runtime error:"), std::string::npos) << tail;
}

}  // namespace tuvako::test
