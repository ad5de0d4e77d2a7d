// Encoder benchmark: the same workloads through our encoder and four QR
// libraries in one process; prints each one's median time per symbol and our
// speed ratio to the fastest peer.
#include "bench/median_reporter.h"
#include "bench/peers.h"

#include "encoder/encoder.h"
#include "tests/encoder/decoder_support.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int32_t kRepetitions = 12;
constexpr double kMinSeconds = 0.05;  // per repetition
const char* const kLevelNames[4] = {"L", "M", "Q", "H"};
// Goals: every workload at least five times as fast as the fastest peer, and
// a version-40 symbol at L in under 150 µs.
constexpr double kGoalRatio = 5.0;
constexpr double kVersion40Goal = 150.0;

// --- Workloads ------------------------------------------------------------------

uint32_t g_seed = 20240501;

uint32_t next_random() {
    g_seed = g_seed * 1103515245u + 12345u;
    return g_seed >> 16;
}

// Lower-case words with spaces and some punctuation: byte mode for every
// encoder, with no digit or capital runs to switch modes for.
std::string make_prose(size_t length) {
    std::string text;
    while (text.size() < length) {
        const uint32_t letters = 2 + next_random() % 8;
        for (uint32_t i = 0; i < letters; ++i) text.push_back(static_cast<char>('a' + next_random() % 26));
        const uint32_t gap = next_random() % 10;
        text += gap == 0 ? ". " : gap == 1 ? ", " : " ";
    }
    text.resize(length);
    return text;
}

std::string make_digits(size_t length) {
    std::string text;
    while (text.size() < length) text.push_back(static_cast<char>('0' + next_random() % 10));
    return text;
}

// Hiragana and JIS level-1 kanji in turn, as Shift_JIS pairs.
std::string make_kanji(size_t bytes) {
    std::string text;
    for (size_t i = 0; text.size() < bytes; ++i) {
        uint32_t lead = 0x82, trail = 0x9F + next_random() % 83;
        if (i % 2 != 0) {
            lead = 0x89 + next_random() % 15;
            trail = 0x40 + next_random() % 188;
            if (trail >= 0x7F) ++trail;
        }
        text.push_back(static_cast<char>(lead));
        text.push_back(static_cast<char>(trail));
    }
    return text;
}

// Character-set conversion with glibc's iconv; empty on failure.
std::string convert(const std::string& input, const char* from, const char* to) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    char* out = &output[0];
    size_t inLeft = input.size(), outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return std::string();
    output.resize(output.size() - outLeft);
    return output;
}

Workload make_workload(const char* name, int32_t level, bool kanji, int32_t expectedVersion,
                       const std::string& text) {
    Workload workload{name, level, kanji, expectedVersion, text, text, std::wstring(text.begin(), text.end())};
    if (kanji) {
        workload.utf8 = convert(text, "CP932", "UTF-8");
        const std::string wide = convert(text, "CP932", "WCHAR_T");
        workload.wide.assign(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
    }
    return workload;
}

constexpr int32_t kWorkloadCount = 6;
Workload g_workloads[kWorkloadCount];

void build_workloads() {
    g_workloads[0] = make_workload("url@M", LevelM, false, 0, "https://www.example.jp/mivoka/index.html?id=20240501");
    g_workloads[1] = make_workload("digits100@M", LevelM, false, 0, make_digits(100));
    g_workloads[2] = make_workload("ascii300@Q", LevelQ, false, 0, make_prose(300));
    g_workloads[3] = make_workload("kanji500@M", LevelM, true, 0, make_kanji(500));
    g_workloads[4] = make_workload("bytes2900@L", LevelL, false, 40, make_prose(2900));
    g_workloads[5] = make_workload("bytes1000@H", LevelH, false, 0, make_prose(1000));
}

// --- Checking the symbols before timing them ---------------------------------------

uint8_t g_matrix[kMatrixBytes];
GreyImage g_image;

// Encodes once with the peer and reads the symbol back with both decoders:
// empty when it holds the workload's bytes at its level (and the expected
// version), else what is wrong. version receives the symbol's version.
std::string check_symbol(const Workload& workload, const Peer& peer, int32_t* version) {
    std::memset(g_matrix, 0, sizeof(g_matrix));
    const int32_t side = peer.make_matrix(workload, g_matrix);
    *version = (side - 17) / 4;
    if (side < 21) return "no symbol";
    if (workload.expectedVersion != 0 && *version != workload.expectedVersion) return "wrong version";
    render_symbol(g_matrix, side, &g_image);
    std::string bytes;
    int32_t level = -1;
    if (decode_with_zxing(g_image, &bytes, &level) != 0 || bytes != workload.text) return "zxing cannot read it";
    if (level != workload.level) return "wrong level";
    if (decode_with_zbar(g_image, &bytes) != 0 || bytes != workload.text) return "zbar cannot read it";
    return std::string();
}

// Prints the version each encoder chose; the number of bad symbols.
int32_t check_all_symbols() {
    int32_t failures = 0;
    std::printf("Symbols (version-level, each read back by zbar and zxing-cpp):\n%-14s", "workload");
    for (const Peer& peer : kPeers) std::printf("%12s", peer.name);
    std::printf("\n");
    for (const Workload& workload : g_workloads) {
        std::printf("%-14s", workload.name);
        for (const Peer& peer : kPeers) {
            int32_t version = 0;
            const std::string problem = check_symbol(workload, peer, &version);
            if (!problem.empty()) {
                std::printf("\n  %s: %s (version %d)\n", peer.name, problem.c_str(), version);
                ++failures;
                continue;
            }
            std::printf("%9d-%s ", version, kLevelNames[workload.level]);
        }
        std::printf("  (%zu bytes)\n", workload.text.size());
    }
    std::printf("\n");
    return failures;
}

// --- Timing and summary -------------------------------------------------------------

MedianReporter g_reporter;

std::string benchmark_name(const Workload& workload, const Peer& peer) {
    return std::string(workload.name) + "/" + peer.name;
}

void register_benchmarks() {
    for (const Workload& workload : g_workloads) {
        for (const Peer& peer : kPeers) {
            benchmark::RegisterBenchmark(
                benchmark_name(workload, peer).c_str(),
                [](benchmark::State& state, const Workload* w, const Peer* p) {
                    for (auto _ : state) p->encode(*w);
                },
                &workload, &peer)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true)
                ->MinTime(kMinSeconds)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

// Median of a benchmark in µs, or -1 when it did not run (filtered out).
double median_of(const Workload& workload, const Peer& peer) { return g_reporter.median(benchmark_name(workload, peer)); }

void print_summary_row(const Workload& workload) {
    std::printf("%-14s", workload.name);
    double fastest = -1.0;
    const char* fastestName = "-";
    for (int32_t p = 0; p < kPeerCount; ++p) {
        const double time = median_of(workload, kPeers[p]);
        if (time < 0) {
            std::printf("%12s", "-");
        } else {
            std::printf("%12.1f", time);
        }
        if (p > 0 && time >= 0 && (fastest < 0 || time < fastest)) {
            fastest = time;
            fastestName = kPeers[p].name;
        }
    }
    const double ours = median_of(workload, kPeers[0]);
    if (ours <= 0 || fastest < 0) {
        std::printf("%14s\n", "-");
        return;
    }
    const double ratio = fastest / ours;
    std::printf("%14s%8.1fx  %s", fastestName, ratio, ratio >= kGoalRatio ? "ok" : "BELOW 5x");
    if (workload.expectedVersion == 40 && workload.level == LevelL) {
        std::printf(", version 40-L goal under %.0f us: %s", kVersion40Goal, ours < kVersion40Goal ? "ok" : "MISSED");
    }
    std::printf("\n");
}

void print_summary() {
    std::printf("\nMedian CPU time per symbol in microseconds (%d repetitions); ratio = fastest peer / mivoka, goal >= %.0f\n",
                kRepetitions, kGoalRatio);
    std::printf("%-14s", "workload");
    for (const Peer& peer : kPeers) std::printf("%12s", peer.name);
    std::printf("%14s%9s\n", "fastest peer", "ratio");
    for (const Workload& workload : g_workloads) print_summary_row(workload);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    open_peers();
    build_workloads();
    if (check_all_symbols() != 0) {
        std::fprintf(stderr, "some encoder made a wrong symbol; nothing timed\n");
        close_peers();
        return 1;
    }
    register_benchmarks();
    benchmark::RunSpecifiedBenchmarks(&g_reporter);
    print_summary();
    benchmark::Shutdown();
    close_peers();
    return 0;
}
