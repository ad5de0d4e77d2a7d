// Rendering a version-20 symbol at the largest size step (325 × 325 pixels)
// and writing it as a bitmap file, in black and in the rainbow gradient.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "encoder/encoder.h"
#include "output/output.h"

namespace {

uint8_t g_pixels[kRasterBytes];
int32_t g_matrix[185 * 185];

// A version-20 symbol in the CodeList layout, column by column.
void make_symbol() {
    std::string text(600, 'x');
    encode_symbol(1, 20, false, -1, text.c_str(), 0);
    const int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) g_matrix[x * n + y] = g_encoder.matrix[x * kMaxModules + y];
    }
}

void render(benchmark::State& state, uint32_t colour) {
    make_symbol();
    Raster raster = {0, 0, g_pixels, kRasterBytes};
    for (auto _ : state) {
        render_symbol(g_matrix, 20, 2, 7, 1, colour, &raster);
        benchmark::DoNotOptimize(g_pixels[raster.stride * 100 + 300]);
    }
}

void render_and_write(benchmark::State& state, uint32_t colour) {
    make_symbol();
    std::string path = (std::filesystem::temp_directory_path() / "mivoka-output-bench.bmp").string();
    Raster raster = {0, 0, g_pixels, kRasterBytes};
    for (auto _ : state) {
        render_symbol(g_matrix, 20, 2, 7, 1, colour, &raster);
        if (save_bitmap(path.c_str(), raster) != 0) state.SkipWithError("cannot write the bitmap");
    }
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK_CAPTURE(render, v20_size7_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render, v20_size7_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render_and_write, v20_size7_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render_and_write, v20_size7_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
