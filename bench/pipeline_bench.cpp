// Generation benchmark: whole generations as the program runs them, pass
// after pass with QR2DLL loaded: about 20,000 bytes of mixed Japanese text
// into 20 codes at M with largest version 20, and a URL into one code.
// Goals: the 20-code generation in under 2 ms, the one-code URL in under
// 15 µs; the summary at the end marks each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/median_reporter.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"

namespace {

// Kana, kanji, punctuation, ASCII words and numbers, line breaks (Shift_JIS).
std::string mixed_japanese_text(size_t bytes) {
    const char* parts[] = {
        "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",       // こんにちは
        "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD",  // 日本語の文章
        "\x81\x41",                                         // 、
        "QR Code 2026 ",
        "\x83\x4A\x83\x5E\x83\x4A\x83\x69",                 // カタカナ
        "\x81\x42\r\n",                                     // 。 CR LF
        "\xB6\xC0\xB6\xC5 ",                                // half-width katakana
        "1234567890",
        "\x8A\xBF\x8E\x9A\x82\xC6\x82\xD0\x82\xE7\x82\xAA\x82\xC8",  // 漢字とひらがな
        "https://example.jp/",
    };
    std::string text;
    for (size_t i = 0; text.size() < bytes; ++i) text += parts[(i * 7) % 10];
    text.resize(bytes);
    // Never end on half a character.
    while (!text.empty() && byte_type(text.c_str(), static_cast<int32_t>(text.size()) - 1) == ByteLead) text.pop_back();
    return text;
}

void fill(const std::string& text) {
    clear_form(&g_form);
    set_form_field(&g_form, ControlText, text.data(), static_cast<int32_t>(text.size()));
    g_form.carrier = Docomo;
    g_form.redunrate = 1;
    g_form.qrver2 = 19;
    g_form.onecode = 0;
    g_form.autoencode = 0;
}

int32_t generate() {
    int32_t cursor = generation_pass(true);
    while (cursor > 0) cursor = generation_pass(false);
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    return generation_error(nullptr) == 0 ? count : -1;
}

void run_generation(benchmark::State& state, const std::string& text, int32_t codes) {
    fill(text);
    if (generate() != codes) {
        state.SkipWithError("the generation did not make the expected codes");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(generate());
}

void BM_Generation20Codes(benchmark::State& state) {
    run_generation(state, mixed_japanese_text(20000), 20);
}

void BM_GenerationOneCodeUrl(benchmark::State& state) {
    run_generation(state, "https://www.example.co.jp/products/item?id=12345&lang=ja", 1);
}

BENCHMARK(BM_Generation20Codes)->Unit(benchmark::kMillisecond)->Repetitions(12)->ReportAggregatesOnly(true);
BENCHMARK(BM_GenerationOneCodeUrl)->Unit(benchmark::kMicrosecond)->Repetitions(12)->ReportAggregatesOnly(true);

// One summary line: the median against its goal, both in the unit given.
void print_goal(const MedianReporter& reporter, const char* name, const char* what, double goal, const char* unit) {
    const double median = reporter.median(name);
    if (median < 0) return;
    std::printf("%-34s %9.2f %s   goal under %g %s: %s\n", what, median, unit, goal, unit,
                median < goal ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    if (load_external_encoder(nullptr) != 0) {
        std::fputs("pipeline bench: QR2DLL cannot be loaded from beside the program\n", stderr);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedian CPU time (12 repetitions):\n");
    print_goal(reporter, "BM_Generation20Codes", "20 codes from about 20,000 bytes", 2.0, "ms");
    print_goal(reporter, "BM_GenerationOneCodeUrl", "one code from a URL", 15.0, "us");
    benchmark::Shutdown();
    unload_external_encoder();
    return 0;
}
