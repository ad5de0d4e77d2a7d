// Rendering a version-20 symbol at the largest size step (325 × 325 pixels)
// and writing it as a bitmap file, in black and in the rainbow gradient;
// beside them the same symbol written as a PNG (1-bit for black, RGB for the
// rainbow) and as an SVG (0.5 mm modules).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "encoder/encoder.h"
#include "output/image_formats.h"
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

int32_t to_file(void* context, const uint8_t* bytes, int32_t n) {
    return std::fwrite(bytes, 1, static_cast<size_t>(n), static_cast<FILE*>(context)) == static_cast<size_t>(n) ? 0 : 1;
}

// Writes one file of the format per iteration: PNG from the drawn raster, SVG from the matrix.
void render_and_write_as(benchmark::State& state, uint32_t colour, bool png) {
    make_symbol();
    std::string path = (std::filesystem::temp_directory_path() / (png ? "mivoka-bench.png" : "mivoka-bench.svg")).string();
    Raster raster = {0, 0, g_pixels, kRasterBytes};
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ByteSink sink = {to_file, f};
        int32_t result = 1;
        if (f != nullptr && png) {
            render_symbol(g_matrix, 20, 2, 7, 1, colour, &raster);
            result = write_png(raster_source(raster), colour == 0, 3780, &sink);
        } else if (f != nullptr) {
            result = write_svg(g_matrix, 20, 2, colour, 500, &sink);
        }
        if (f == nullptr || std::fclose(f) != 0 || result != 0) state.SkipWithError("cannot write the file");
    }
    std::remove(path.c_str());
}

void png(benchmark::State& state, uint32_t colour) { render_and_write_as(state, colour, true); }
void svg(benchmark::State& state, uint32_t colour) { render_and_write_as(state, colour, false); }

}  // namespace

BENCHMARK_CAPTURE(render, v20_size7_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render, v20_size7_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render_and_write, v20_size7_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(render_and_write, v20_size7_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(png, v20_size7_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(png, v20_size7_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(svg, v20_black, 0x000000u)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(svg, v20_rainbow, kRainbowMarker)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
