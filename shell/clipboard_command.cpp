// The clipboard copy (command IDM_COPY_IMAGE): the shown symbol at the trackbar's
// size as a bitmap on the clipboard, the same pixels as PNG and the symbol
// as SVG beside it, with a status-bar note for 3 seconds.
#include <windows.h>
#include <commctrl.h>

#include "output/image_formats.h"
#include "output/output.h"
#include "output/win32/output_win32.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"

namespace {

constexpr UINT kStatusNoteMs = 3000;
constexpr int32_t kSvgModuleMicrometres = 500;   // as the tool's SVG

// The copy's PNG and SVG, made while the copy runs. The PNG of a raster is
// at most its rows with their filter bytes plus deflate's stored blocks
// and the chunks; the SVG of the largest symbol stays far below its room.
uint8_t pngScratch[kRasterBytes + kMaxRasterSide + 65536];
uint8_t svgScratch[1 << 20];
// The code being copied, read before it is drawn.
CodeSlot copiedCode;

// The image in memory, or no bytes when it did not fit.
int32_t made(int32_t result, const MemoryBytes& memory) { return result == 0 ? memory.used : 0; }

ClipboardImages images_of(const Raster& raster) {
    DrawStyle drawing = shown_style();
    uint32_t colour = drawing.colour;
    MemoryBytes png = {pngScratch, static_cast<int32_t>(sizeof pngScratch), 0};
    ByteSink sink = memory_sink(&png);
    int32_t pngBytes = made(write_png(raster_source(raster), colour == 0x000000, 0, &sink), png);
    MemoryBytes svg = {svgScratch, static_cast<int32_t>(sizeof svgScratch), 0};
    sink = memory_sink(&svg);
    int32_t svgResult = write_svg(copiedCode.matrix, copiedCode.version, drawing.margin, colour, kSvgModuleMicrometres, &sink);
    return {pngScratch, pngBytes, svgScratch, made(svgResult, svg)};
}

}  // namespace

void copy_symbol_to_clipboard() {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count == 0) {
        show_message(g_shell.window, kNoDataToCopy, kNoDataCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (view_kind() == TextDataView) {
        show_message(g_shell.window, kNoCodeShownText, kNoCodeShownCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    auto step = static_cast<int32_t>(SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_GETPOS, 0, 0));
    set_int_setting(SettingSliderPos, step);
    if (current >= count) current = count - 1;
    if (current < 0) current = 0;
    if (read_code(current, &copiedCode) != 0) return;
    draw_symbol(Clipboard, nullptr, nullptr, step, current, 1, 0, 0);
}

void deliver_to_clipboard(const Raster& raster) {
    // A clipboard another program holds gets nothing, and no note.
    if (place_on_clipboard(g_shell.window, raster, images_of(raster)) != 0) return;
    show_status_text(kCopiedStatusText);
    SetTimer(g_shell.window, IDT_STATUS_RESTORE, kStatusNoteMs, nullptr);
}
