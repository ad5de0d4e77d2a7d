// The generation on screen: the form's fields go into g_form before each
// pass, the driver's indicator changes come back as a posted message (the
// worker never calls a window function) and are applied here, and the
// preview area paints the shown code or the generation error.
#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "output/output.h"
#include "output/win32/output_win32.h"
#include "payload/payload.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"

namespace {

std::atomic<uint32_t> g_pending{0};
WNDPROC g_previewProc = nullptr;
HDC g_paintDc = nullptr;     // the preview's surface while it paints
Indicators g_shown;          // UI thread's copy
char fieldScratch[kLongFieldBytes];

const int32_t kFieldControls[] = {ControlText, ControlTo, ControlSubject, ControlBody, ControlName,
                                  ControlFurigana, ControlPhone1, ControlPhone2, ControlPhone3, ControlMail1,
                                  ControlMail2, ControlMail3, ControlNote, ControlPostal, ControlBirthday,
                                  ControlUrl};

// Any thread: one posted message carries every change made until it is handled.
void on_indicators_changed(void*, uint32_t what) {
    if (g_pending.fetch_or(what) == 0) PostMessageW(g_shell.window, kIndicatorMessage, 0, 0);
}

// The preview's raster at the display's scale, so the symbol keeps its size
// on the screen: each pixel repeated, never blended, so module edges stay
// sharp.
void draw_scaled_raster(HDC dc, const Raster& raster, int32_t x, int32_t y) {
    int oldMode = SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kBaseDpi, kBaseDpi, nullptr);
    SetViewportExtEx(dc, g_shell.dpi, g_shell.dpi, nullptr);
    int oldStretch = SetStretchBltMode(dc, COLORONCOLOR);
    draw_raster_on(dc, raster, x, y);
    SetStretchBltMode(dc, oldStretch);
    SetMapMode(dc, oldMode);
}

// Every target's raster but a file's: the preview while it paints, the
// printer page, the clipboard.
void screen_sink(int32_t target, void* printerSurface, const Raster& raster, int32_t x, int32_t y) {
    if (target == Printer) draw_raster_on(static_cast<HDC>(printerSurface), raster, x, y);
    if (target == Clipboard) deliver_to_clipboard(raster);
    if (target == Screen && g_paintDc != nullptr) draw_scaled_raster(g_paintDc, raster, x, y);
}

// The form's background behind the preview, tiles aligned with the form's.
void paint_background(HWND preview, HDC dc) {
    RECT r;
    GetClientRect(preview, &r);
    POINT origin = {0, 0};
    MapWindowPoints(preview, g_shell.form, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    FillRect(dc, &r, g_shell.backgroundBrush != nullptr ? g_shell.backgroundBrush : GetSysColorBrush(COLOR_BTNFACE));
}

void paint_error(HDC dc) {
    char message[128];
    wchar_t wide[128];
    generation_error_message(message);
    to_wide(message, wide, 128);
    HGDIOBJ old = SelectObject(dc, g_shell.formFont);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT r = {scaled(10), scaled(10), scaled(325), scaled(325)};
    DrawTextW(dc, wide, -1, &r, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

void paint_code(HDC dc) {
    int32_t step = static_cast<int32_t>(SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_GETPOS, 0, 0));
    set_int_setting(SettingSliderPos, step);
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (current >= count) current = count - 1;
    if (current < 0) current = 0;
    g_paintDc = dc;
    draw_symbol(Screen, nullptr, nullptr, step, current, 1, 0, 0);
    g_paintDc = nullptr;
}

void paint_preview(HWND preview) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(preview, &ps);
    paint_background(preview, dc);
    read_indicators(&g_shown);
    if (g_shown.displayState > 0) {
        if (generation_error(nullptr) != 0) {
            paint_error(dc);
        } else if (view_kind() == CodeView) {
            paint_code(dc);
        }
    }
    EndPaint(preview, &ps);
}

LRESULT CALLBACK preview_proc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        paint_preview(preview);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return CallWindowProcW(g_previewProc, preview, message, wParam, lParam);
}

void apply_position() {
    set_control_text(form_item(IDC_POSITION), g_shown.position);
    EnableWindow(form_item(IDC_UP), g_shown.upEnabled != 0);
    EnableWindow(form_item(IDC_DOWN), g_shown.downEnabled != 0);
}

void apply_status() {
    show_status_note(g_shown.statusParts[2][0] != '\0');
    wchar_t wide[kStatusPartBytes];
    for (int32_t part = 0; part < 3; ++part) {
        to_wide(g_shown.statusParts[part], wide, kStatusPartBytes);
        SendMessageW(g_shell.statusBar, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(wide));
    }
}

void apply_view() {
    if (g_shown.view == TextDataView) {
        set_control_text(form_item(IDC_TEXT_VIEW), g_shown.viewText);
    } else {
        InvalidateRect(g_shell.preview, nullptr, FALSE);
    }
}

int32_t pass_quick() {
    int32_t quick = int_setting(SettingQuick);
    return quick >= 0 && quick <= 2 ? quick : 1;
}

}  // namespace

void fill_form(void*) {
    bool keepEvery = int_setting(SettingCarrier) == Utf8;
    g_form.notes = {};
    for (int32_t control : kFieldControls) {
        int32_t length = field_text(form_item(control), fieldScratch, form_field_capacity(control), keepEvery, &g_form.notes);
        set_form_field(&g_form, control, fieldScratch, length);
    }
    load_pass_settings(&g_form);
}

void connect_indicators() {
    reset_indicators();
    g_pending = 0;
    set_raster_sink(screen_sink);
    set_indicator_sink({on_indicators_changed, nullptr});
}

void disconnect_indicators() {
    set_indicator_sink({nullptr, nullptr});
    set_raster_sink(nullptr);
}

void apply_indicators() {
    uint32_t what = g_pending.exchange(0);
    read_indicators(&g_shown);
    if (what & PositionChanged) apply_position();
    if (what & LevelChanged) set_control_text(form_item(IDC_LEVEL), g_shown.levelLabel);
    if (what & StatusChanged) apply_status();
    if (what & SaveAllChanged) apply_save_all(g_shown.saveAllEnabled != 0);
    if (what & ViewChanged) apply_view();
    if (what & PumpBusy) restart_pump(PumpIntervals[pass_quick()].busy);
}

void restart_pump(int32_t interval) { SetTimer(g_shell.window, IDT_PUMP, static_cast<UINT>(interval), nullptr); }

void on_pump_timer() {
    sample_emoji_target();
    restart_pump(pump_tick(fill_form, nullptr));
}

void generate_now() { run_pass_now(true, fill_form, nullptr); }

void attach_preview(HWND preview) {
    g_shell.preview = preview;
    g_previewProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(preview_proc)));
}

void apply_save_all(bool enabled) { enable_command(IDM_SAVE_ALL_BMP, enabled); }

void show_form_fields() {
    for (int32_t control : kFieldControls) set_control_text(form_item(control), form_field(&g_form, control));
}
