// How the cost of receiving lines grows with a burst, and of a long run without a terminator.
#include "net/TClientSocket.h"
#include "support/FakeSocketsApi.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <string>

namespace tuvako {
namespace {

constexpr std::size_t kLineLength = 80;  // bytes before CR LF

std::string Burst(std::int64_t lines) {
    std::string line(kLineLength, 'L');
    line += "\r\n";
    std::string burst;
    burst.reserve(line.size() * std::size_t(lines));
    for (std::int64_t i = 0; i < lines; ++i) burst += line;
    return burst;
}

// A connected line-mode socket on the fake table that counts the lines it is given.
struct CountingSocket {
    explicit CountingSocket(test::FakeSocketsApi& net) : socket(std::make_unique<TClientSocket>()) {
        socket->SetPort("40201");
        socket->SetAddr("127.0.0.1");
        socket->SetLineMode(true);
        socket->OnDataAvailable = [this](TCustomSocket* s, std::uint16_t) {
            bytes += s->ReceiveText().size();
            ++lines;
        };
        socket->Connect();
        net.CompleteConnect(0);
        QCoreApplication::sendPostedEvents();
    }
    // One read notification, handled at once.
    void NotifyRead() {
        socket->HWindow()->SendMessage(WM_SOCKET_EVENT, socket->HSocket(),
                                       MakeSelectReply(FdEvent::Read, 0));
    }
    std::unique_ptr<TClientSocket> socket;
    std::int64_t lines = 0;
    std::size_t bytes = 0;
};

// A burst of N lines of 80 bytes, all in one notification; the system reports at most 64 KiB
// ready per read (range(1) = 1) or everything at once (range(1) = 0).
void BM_LineBurst(benchmark::State& state) {
    test::FakeSocketsApi net;
    net.readableCap = state.range(1) ? 65536 : 0;
    const std::string burst = Burst(state.range(0));
    CountingSocket client(net);
    for (auto _ : state) {
        state.PauseTiming();
        client.lines = 0;
        net.Deliver(burst);
        state.ResumeTiming();
        client.NotifyRead();
        if (client.lines != state.range(0)) state.SkipWithError("lines lost");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * std::int64_t(burst.size()));
}
BENCHMARK(BM_LineBurst)
    ->ArgsProduct({{1000, 10000, 100000}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

// A run of N bytes without a terminator, read 64 KiB at a time, then CR LF. With the limit off
// (range(1) = 0) the whole run is held and handed over as one line; with the terminal's 65536
// limit it is dropped again and again.
void BM_UnterminatedRun(benchmark::State& state) {
    test::FakeSocketsApi net;
    net.readableCap = 65536;
    std::string run(std::size_t(state.range(0)), 'x');
    run += "\r\n";
    CountingSocket client(net);
    client.socket->SetLineLimit(int(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        client.lines = 0;
        net.Deliver(run);
        state.ResumeTiming();
        client.NotifyRead();
        if (client.lines != 1) state.SkipWithError("no line");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UnterminatedRun)
    ->ArgsProduct({{1 << 20, 5 << 20, 10 << 20}, {0, 65536}})
    ->Unit(benchmark::kMillisecond);

// The burst over real loopback TCP, written by a QTcpSocket in the same event loop: what the
// terminal would see, system calls and Qt's writer included.
void BM_LoopbackBurst(benchmark::State& state) {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const QByteArray burst = QByteArray::fromStdString(Burst(state.range(0)));
    for (auto _ : state) {
        TClientSocket socket;
        std::int64_t lines = 0;
        socket.SetPort(std::to_string(server.serverPort()));
        socket.SetAddr("127.0.0.1");
        socket.SetLineMode(true);
        socket.OnDataAvailable = [&](TCustomSocket* s, std::uint16_t) {
            s->ReceiveText();
            ++lines;
        };
        socket.Connect();
        while (!server.hasPendingConnections())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        peer->write(burst);
        while (lines < state.range(0))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoopbackBurst)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tuvako

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
