// The clipboard copy (command IDM_COPY_IMAGE): the shown symbol at the trackbar's
// size as a bitmap on the clipboard, with a status-bar note for 3 seconds.
#include <windows.h>
#include <commctrl.h>

#include "output/output.h"
#include "output/win32/output_win32.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"

namespace {

constexpr UINT kStatusNoteMs = 3000;

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
    draw_symbol(Clipboard, nullptr, nullptr, step, current < 0 ? 0 : current, 1, 0, 0);
}

void deliver_to_clipboard(const Raster& raster) {
    // A clipboard another program holds gets nothing, and no note.
    if (place_on_clipboard(g_shell.window, raster) != 0) return;
    show_status_text(kCopiedStatusText);
    SetTimer(g_shell.window, IDT_STATUS_RESTORE, kStatusNoteMs, nullptr);
}
