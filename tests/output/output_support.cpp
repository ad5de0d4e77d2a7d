// Helpers of the output tests.
#include "tests/output/output_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "encoder/encoder.h"

namespace {
CodeSlot g_slot;
}

bool make_code(const char* text, int32_t minVersion, CodeSlot* slot) {
    if (!encode_symbol(1, minVersion, true, -1, text, 0)) return false;
    int32_t n = g_encoder.size;
    slot->version = g_encoder.version;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) slot->matrix[x * n + y] = g_encoder.matrix[x * kMaxModules + y];
    }
    std::snprintf(slot->text, sizeof slot->text, "%s", text);
    return true;
}

bool publish_codes(const std::vector<std::string>& texts, int32_t minVersion) {
    clear_code_list();
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!make_code(texts[i].c_str(), minVersion, &g_slot)) return false;
        publish_code(static_cast<int32_t>(i), &g_slot);
    }
    return true;
}

uint32_t BitmapFile::field(int32_t offset, int32_t size) const {
    uint32_t v = 0;
    for (int32_t i = size - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return v;
}

uint32_t BitmapFile::pixel(int32_t x, int32_t y) const {
    int32_t stride = (side * 3 + 3) / 4 * 4;
    size_t at = 54 + static_cast<size_t>(side - 1 - y) * stride + static_cast<size_t>(x) * 3;
    return static_cast<uint8_t>(bytes[at]) << 16 | static_cast<uint8_t>(bytes[at + 1]) << 8 |
           static_cast<uint8_t>(bytes[at + 2]);
}

bool read_bitmap(const std::string& path, BitmapFile* out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    out->bytes.clear();
    char chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out->bytes.append(chunk, n);
    std::fclose(f);
    if (out->bytes.size() < 54) return false;
    out->side = static_cast<int32_t>(out->field(18, 4));
    return true;
}

namespace {

// One folder per test process: the output test programs may run side by side.
std::filesystem::path own_folder() {
#ifdef _WIN32
    long pid = _getpid();
#else
    long pid = getpid();
#endif
    return std::filesystem::temp_directory_path() / ("mivoka-output-test-" + std::to_string(pid));
}

void remove_own_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(own_folder(), ignored);
}

}  // namespace

std::string fresh_output_folder() {
    static bool cleanup = std::atexit(remove_own_folder) == 0;
    (void)cleanup;
    std::filesystem::path folder = own_folder();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}
