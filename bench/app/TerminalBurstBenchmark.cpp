// The whole terminal on a burst of 20 000 enciphered card lines, beside the cost of deciphering
// the same lines alone, measured in the same run.
//
// The terminal runs as it does at the entrance: the real main window on the offscreen platform,
// its own socket in line mode, every line read, deciphered, logged, split and handled. The lines
// come either through the fake sockets table (only our own code is timed; reads of at most
// 64 KiB, as the system reports them) or from a peer on loopback TCP that writes from a thread
// of its own. Times are the CPU time of the GUI thread, which other programs on a busy machine
// disturb far less than the clock on the wall; the ratio is what to compare between runs.
//
// Counters: terminal_us and decipher_us are microseconds a line, ratio is terminal/decipher.
// The functions ReceiveBurst and DecipherAlone are kept out of line so that an instruction
// count (valgrind --tool=callgrind) can be read per function as well.
#include "app/Main.h"
#include "app/TSunkenLabel.h"
#include "cipher/LineCipher.h"
#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"
#include "support/FakeSocketsApi.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QApplication>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tuvako {
namespace {

constexpr int kBurstLines = 20000;

double ThreadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// Accepted cards of 78 bytes, 104 bytes enciphered: either one record over and over, as a
// server's burst of one record sends it, or with card numbers counting up, so that the screen
// changes with every line. The last line of each burst is a refused card whose headline tells
// the burst apart, so the loopback run can see when the whole burst has been handled.
struct Burst {
    std::vector<std::string> cipherLines;
    std::string wire;  // the lines with their CR LF, as one write
    AnsiString endHeadline;
};

Burst MakeBurst(int number, bool numbered) {
    Burst burst;
    burst.endHeadline = "Era " + std::to_string(100000 + number);
    for (int i = 0; i < kBurstLines; ++i) {
        char card[8];
        std::snprintf(card, sizeof card, "%05d", numbered ? i % 100000 : 4711);
        const std::string record =
            i + 1 < kBurstLines ? "Crd^1^4711^3^4^K1^OK^C-" + std::string(card) +
                                      "^0^T9^Matti Meik\xE4l\xE4inen^Kortti^2^31.12.2026^7^^V-8"
                                : "Crd^1^4711^3^4^K1^EI^" + burst.endHeadline + "^5^T9^";
        burst.cipherLines.push_back(EncipherLine(record));
        burst.wire += burst.cipherLines.back() + "\r\n";
    }
    return burst;
}

// What the terminal's own cipher does for each line, and nothing else.
[[gnu::noinline]] double DecipherAlone(const std::vector<std::string>& lines) {
    const double start = ThreadCpuMicroseconds();
    TTwofish cipher;
    for (const std::string& line : lines) {
        cipher.SetKeyFromPhrase(LinePassPhrase());
        std::string record = cipher.DecipherText(line);
        cipher.Wipe();
        benchmark::DoNotOptimize(record);
    }
    return ThreadCpuMicroseconds() - start;
}

// A peer on 127.0.0.1 that accepts one connection and writes each burst from its own thread,
// so that its work is not counted on the GUI thread.
class LoopbackPeer {
public:
    LoopbackPeer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackPeer() {
        if (writer_.joinable()) writer_.join();
        if (connection_ >= 0) ::close(connection_);
        ::close(listener_);
    }
    int Port() const { return port_; }
    void Accept() { connection_ = ::accept(listener_, nullptr, nullptr); }
    void Write(const std::string& bytes) {
        if (writer_.joinable()) writer_.join();
        writer_ = std::thread([this, &bytes] {
            for (std::size_t sent = 0; sent < bytes.size();) {
                const ssize_t n = ::send(connection_, bytes.data() + sent, bytes.size() - sent, 0);
                if (n <= 0) return;
                sent += std::size_t(n);
            }
        });
    }

private:
    int listener_ = -1;
    int connection_ = -1;
    int port_ = 0;
    std::thread writer_;
};

// The terminal with its server link on, connected, at the size of the entrance screen.
class Terminal {
public:
    Terminal(bool logShown, bool loopback) {
        if (loopback)
            peer_ = std::make_unique<LoopbackPeer>();
        else
            fake_ = std::make_unique<test::FakeSocketsApi>();
        const int port = peer_ ? peer_->Port() : 40201;
        dir_.Write("Selvaro.ini",
                   "[MessageSrv]\nServerAddress=127.0.0.1\nUse=Yes\nPingTime=600\n"
                   "Port=" +
                       std::to_string(port) + "\n");
        ConfigFolderFacts facts;  // a program run from the benchmark's directory
        facts.executableFolder = dir_.Path().string();
        window_ = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                                   StartOptions{ConfigFolder::Choose(facts)});
        window_->resize(1024, 768);
        window_->show();
        if (logShown) window_->findChild<QAction*>(QStringLiteral("mnuLogi"))->trigger();
        if (fake_) {
            fake_->readableCap = 65536;
            fake_->CompleteConnect(0);
        } else {
            peer_->Accept();
        }
        for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
    }
    ~Terminal() { window_.reset(); }

    // Sends the burst and returns the GUI thread's CPU time until every line was handled and
    // the window has done the work it put off to the next turn of the event loop.
    [[gnu::noinline]] double ReceiveBurst(const Burst& burst) {
        auto* headline = window_->findChild<TSunkenLabel*>(QStringLiteral("LblHuom"));
        if (fake_)
            fake_->Deliver(burst.wire);
        else
            peer_->Write(burst.wire);
        const double start = ThreadCpuMicroseconds();
        if (fake_) {
            while (!fake_->Last().incoming.empty()) QCoreApplication::processEvents();
        } else {
            while (headline->Caption() != burst.endHeadline)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        QCoreApplication::processEvents();
        return ThreadCpuMicroseconds() - start;
    }

private:
    test::TempDir dir_;
    std::unique_ptr<test::FakeSocketsApi> fake_;
    std::unique_ptr<LoopbackPeer> peer_;
    std::unique_ptr<TfrmTuvakoMain> window_;
};

// range(0): the log pane shown (1) or hidden (0); range(1): loopback TCP (1) or the fake
// sockets table (0); range(2): card numbers counting up (1) or one record repeated (0). Each
// iteration deciphers one burst alone, then sends it to the terminal.
void TerminalBurst(benchmark::State& state) {
    static const std::vector<Burst> bursts[2] = {{MakeBurst(0, false), MakeBurst(1, false)},
                                                 {MakeBurst(2, true), MakeBurst(3, true)}};
    const std::vector<Burst>& kind = bursts[state.range(2)];
    Terminal terminal(state.range(0) == 1, state.range(1) == 1);
    double terminalUs = 0;
    double decipherUs = 0;
    std::size_t round = 0;
    for (auto _ : state) {
        const Burst& burst = kind[round++ % kind.size()];
        decipherUs += DecipherAlone(burst.cipherLines);
        const double spent = terminal.ReceiveBurst(burst);
        terminalUs += spent;
        state.SetIterationTime(spent / 1e6);
    }
    const double lines = double(state.iterations()) * kBurstLines;
    state.counters["terminal_us"] = terminalUs / lines;
    state.counters["decipher_us"] = decipherUs / lines;
    state.counters["ratio"] = terminalUs / decipherUs;
}
}  // namespace
}  // namespace tuvako

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // --rounds=N: bursts per case (6 by default; 1 or 2 are enough under callgrind).
    int rounds = 6;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with("--rounds=")) {
            rounds = std::max(1, std::atoi(argv[i] + 9));
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            break;
        }
    }
    benchmark::RegisterBenchmark("TerminalBurst", tuvako::TerminalBurst)
        ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
        ->ArgNames({"shown", "loopback", "numbered"})
        ->Iterations(rounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
