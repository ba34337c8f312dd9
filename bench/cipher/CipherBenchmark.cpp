// Cipher figures: one Twofish block, one key set-up from the pass phrase, and one 436-byte line
// keyed, enciphered and wiped as the terminal does it, beside Botan's Twofish/CFB(8) when present.
#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifdef TUVAKO_HAVE_BOTAN
#include <botan/base64.h>
#include <botan/cipher_mode.h>
#include <botan/hash.h>
#endif

namespace {

using namespace tuvako;

// A choice record of the longest kind the terminal sends, 436 bytes.
const std::string& LongLine() {
    static const std::string line = [] {
        std::string record = "Crd^4711^Tuvako01^-^0^";
        for (int i = 0; record.size() < 436; ++i)
            record += static_cast<char>("K1?A@VV12@55<#24&^OK^Lippu=T9\xE4\xF6"[i % 31]);
        return record;
    }();
    return line;
}

void TwofishBlock(benchmark::State& state) {
    TTwofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::uint8_t block[16] = {};
    for (auto _ : state) {
        cipher.EncipherBlock(block, block);
        benchmark::DoNotOptimize(block);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16);
}
BENCHMARK(TwofishBlock);

void KeyFromPassPhrase(benchmark::State& state) {
    TTwofish cipher;
    for (auto _ : state) {
        cipher.SetKeyFromPhrase(LinePassPhrase());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(KeyFromPassPhrase);

void WholeLineOurs(benchmark::State& state) {
    TTwofish chipper;
    const std::string& record = LongLine();
    for (auto _ : state) {
        chipper.SetKeyFromPhrase(LinePassPhrase());
        std::string line = chipper.EncipherText(record);
        chipper.Wipe();
        benchmark::DoNotOptimize(line);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(WholeLineOurs);

#ifdef TUVAKO_HAVE_BOTAN
// The same work with Botan: SHA-1 of the phrase, the digest padded to Botan's 192-bit key, the
// same IV, CFB-8 over the line, Base64, and the key cleared afterwards.
void WholeLineBotan(benchmark::State& state) {
    auto hash = Botan::HashFunction::create_or_throw("SHA-1");
    auto mode = Botan::Cipher_Mode::create_or_throw("Twofish/CFB(8)", Botan::ENCRYPTION);
    std::uint8_t iv[16];
    TTwofish ours;
    ours.SetKeyFromPhrase(LinePassPhrase());
    ours.GetIV(iv);
    const std::string expected = ours.EncipherText(LongLine());

    const std::string& record = LongLine();
    std::vector<std::uint8_t> buffer(record.size());
    std::uint8_t key[24] = {};
    std::string line;
    for (auto _ : state) {
        hash->update(LinePassPhrase());
        hash->final(key);
        mode->set_key(key, sizeof key);
        mode->start(iv, sizeof iv);
        std::copy(record.begin(), record.end(), buffer.begin());
        mode->process(buffer.data(), buffer.size());
        line = Botan::base64_encode(buffer.data(), buffer.size());
        mode->clear();
        benchmark::DoNotOptimize(line);
    }
    if (line != expected) state.SkipWithError("Botan's line differs from ours");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(WholeLineBotan);
#endif

// Prints the usual table, then the CPU time of the whole line, ours against Botan's, from the
// median of each benchmark's runs in this one process.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration)
                times_[name].push_back(CpuNanosecondsPerIteration(run));
            else if (run.aggregate_name == "median")
                reportedMedians_[name] = CpuNanosecondsPerIteration(run);
        }
    }

    void PrintRatio() {
        const double ours = Median("WholeLineOurs");
        if (ours <= 0) return;
        std::printf("\nWhole %zu-byte line (key, encipher, wipe), CPU time: ours %.0f ns",
                    LongLine().size(), ours);
#ifdef TUVAKO_HAVE_BOTAN
        const double botan = Median("WholeLineBotan");
        if (botan > 0) std::printf(", Botan %.0f ns, ratio ours/Botan %.2f", botan, ours / botan);
#else
        std::printf(" (Botan 2 was not found at build time: no comparison)");
#endif
        std::printf("\n");
    }

private:
    // The CPU time of one iteration in nanoseconds; an aggregate's accumulated time is its
    // statistic over runs of the same iteration count, so the same division applies.
    static double CpuNanosecondsPerIteration(const Run& run) {
        const double seconds = run.cpu_accumulated_time;
        return run.iterations > 0 ? seconds * 1e9 / static_cast<double>(run.iterations) : 0;
    }

    double Median(const std::string& name) {
        std::vector<double>& values = times_[name];
        if (values.empty()) return reportedMedians_[name];
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }

    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, double> reportedMedians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::SetDefaultTimeUnit(benchmark::kNanosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
#ifndef NDEBUG
    benchmark::AddCustomContext("warning", "tuvako_cipher built without optimisation");
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
