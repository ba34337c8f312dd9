// Appending lines to a log pane that is already full: the cost must not grow with the pane.
#include "app/Main.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QApplication>

namespace {

using tuvako::AnsiString;
using tuvako::TfrmTuvakoMain;

const AnsiString kLine = "Rcv: Crd^OK^123456789^Meik\xE4l\xE4inen Matti^1^20261231^^^";

// Appends state.range(0) lines to a pane that already holds its 401 lines, hidden (as at
// start) or shown (state.range(1) = 1). The total time should grow in proportion to the number
// of lines appended (compare the runs of 10 000 and 100 000 lines).
void AppendToFullPane(benchmark::State& state) {
    TfrmTuvakoMain window{std::vector<AnsiString>{}};
    window.resize(1024, 768);
    window.show();
    if (state.range(1) == 1) window.findChild<QAction*>(QStringLiteral("mnuLogi"))->trigger();
    for (int i = 0; i < 401; ++i) window.AddLog(kLine);
    for (auto _ : state) {
        for (std::int64_t i = 0; i < state.range(0); ++i) window.AddLog(kLine);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AppendToFullPane)
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->ArgNames({"lines", "shown"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
