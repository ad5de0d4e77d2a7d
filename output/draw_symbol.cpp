// Drawing a code of the CodeList and saving codes as bitmap files. Main
// (window) thread only; the busy flag turns a nested call away.
#include "output/output.h"

#include <cstring>

#include "pipeline/generation.h"
#include "platform/files.h"
#include "settings/settings_tables.h"

// save_all_bitmaps reports each code by one bit.
static_assert(kMaxCodes <= 32, "one bit per code");

namespace {

uint8_t g_staticPixels[kRasterBytes];
Raster g_raster = {0, 0, g_staticPixels, kRasterBytes};
RasterSink g_sink = nullptr;
bool g_busy = false;
// A finished copy of the code: a pass may write the list meanwhile.
CodeSlot drawnCode;

int32_t deliver(int32_t target, void* printerSurface, const char* fileName, const DrawStyle& drawing, int32_t x,
                int32_t y) {
    if (target == File) {
        if (fileName == nullptr) return 1;
        return save_drawn_image(fileName, g_raster, drawnCode.matrix, drawnCode.version, drawing.margin,
                                drawing.colour);
    }
    if (g_sink == nullptr) return 1;
    g_sink(target, printerSurface, g_raster, x, y);
    return 0;
}

// The code drawn: a registered entry while registered codes are printed (a
// free entry is a blank version-1 square), else the code list's.
int32_t read_source(int32_t target, int32_t codeIndex) {
    if (target != Printer || int_setting(SettingPrintType) != PrintRegistered) return read_code(codeIndex, &drawnCode);
    if (codeIndex < 0 || codeIndex >= kRegisteredCodeCount) return 1;
    const RegisteredCode& entry = RegisteredCodes.entries[codeIndex];
    std::memcpy(drawnCode.matrix, entry.matrix, sizeof drawnCode.matrix);
    drawnCode.version = entry.version > 0 ? entry.version : 1;
    return 0;
}

// draw_symbol in a style of the caller's.
int32_t draw_in_style(int32_t target, void* printerSurface, const char* fileName, int32_t sizeStep, int32_t codeIndex,
                      const DrawStyle& drawing, int32_t scale, int32_t x, int32_t y) {
    if (run_status() == Starting || g_busy) return 1;
    g_busy = true;
    int32_t result = read_source(target, codeIndex);
    if (result == 0) {
        result = render_symbol(drawnCode.matrix, drawnCode.version, drawing.margin, sizeStep, scale, drawing.colour,
                               &g_raster);
    }
    if (result == 0) result = deliver(target, printerSurface, fileName, drawing, x, y);
    g_busy = false;
    return result;
}

}  // namespace

DrawStyle shown_style() {
    ModuleColours[kCustomColour] = static_cast<uint32_t>(int_setting(SettingCustomCol)) & 0xFFFFFF;
    return {int_setting(SettingDrawMargin), module_colour(int_setting(SettingColors))};
}

void set_raster_sink(RasterSink sink) { g_sink = sink; }

void set_raster_storage(uint8_t* pixels, int32_t capacity) {
    g_raster.pixels = pixels != nullptr ? pixels : g_staticPixels;
    g_raster.capacity = pixels != nullptr ? capacity : kRasterBytes;
}

int32_t draw_symbol(int32_t target, void* printerSurface, const char* fileName, int32_t sizeStep, int32_t codeIndex,
                    int32_t scale, int32_t x, int32_t y) {
    return draw_in_style(target, printerSurface, fileName, sizeStep, codeIndex, shown_style(), scale, x, y);
}

int32_t save_shown_image(char* path, int32_t kind, int32_t sizeStep, const DrawStyle& drawing) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count == 0) return SaveNoData;
    if (ensure_kind_extension(path, kBitmapPathBytes, kind) != 0) return SaveFailed;
    if (current >= count) current = count - 1;
    if (current < 0) current = 0;
    return draw_in_style(File, nullptr, path, sizeStep, current, drawing, 1, 0, 0) == 0 ? SaveWritten : SaveFailed;
}

int32_t save_shown_bitmap(char* path, int32_t sizeStep, const DrawStyle& drawing) {
    return save_shown_image(path, ImageBmp, sizeStep, drawing);
}

int32_t save_all_images(char* path, int32_t kind, int32_t numbering, int32_t sizeStep, const DrawStyle& drawing,
                        AskOverwrite ask, void* context, uint32_t* failed) {
    uint32_t unwritten = 0;
    if (failed != nullptr) *failed = 0;
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count == 0) return SaveNoData;
    if (ensure_kind_extension(path, kBitmapPathBytes, kind) != 0) return SaveFailed;
    char name[kBitmapPathBytes + 48];
    // The question comes once, before anything is written.
    for (int32_t k = 0; k < count; ++k) {
        if (numbered_name(path, numbering, k, name, sizeof name) != 0) return SaveFailed;
        if (file_kind(name) == PathMissing) continue;
        if (!ask(context)) return SaveDeclined;
        break;
    }
    for (int32_t k = 0; k < count; ++k) {
        numbered_name(path, numbering, k, name, sizeof name);
        if (draw_in_style(File, nullptr, name, sizeStep, k, drawing, 1, 0, 0) != 0) unwritten |= 1u << k;
    }
    if (failed != nullptr) *failed = unwritten;
    return unwritten == 0 ? SaveWritten : SaveFailed;
}

int32_t save_all_bitmaps(char* path, int32_t numbering, int32_t sizeStep, const DrawStyle& drawing, AskOverwrite ask,
                         void* context, uint32_t* failed) {
    return save_all_images(path, ImageBmp, numbering, sizeStep, drawing, ask, context, failed);
}
