// The main form's run-time layout (FormLayout), the three modes with the
// encoding selector, and the keyboard focus ring.
#include <windows.h>
#include <commctrl.h>

#include <climits>

#include "emoji/win32/emoji_window.h"
#include "payload/payload.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

constexpr int32_t kKeep = INT_MIN;   // position or size stays as it is
enum ShownIn : int32_t { InText = 0, InMail = 1, InAddress = 2, InImport = 3, InAll = 4 };

struct FormLayoutRow {
    int32_t id;
    int32_t shownIn;
    int32_t x, y;            // pixels in the form
    int32_t width, height;   // negative: W or H plus the value
};

const FormLayoutRow FormLayout[] = {
    {IDC_TEXT, InText, 440, 150, -470, 295},
    {IDC_SPLIT, InText, 440, 105, kKeep, kKeep},
    {IDC_SPLIT_KEY_LABEL, InText, 440, 133, kKeep, kKeep},
    {IDC_TO_LABEL, InMail, 440, 115, kKeep, kKeep},
    {IDC_TO, InMail, 510, 112, kKeep, kKeep},
    {IDC_SUBJECT_LABEL, InMail, 440, 145, kKeep, kKeep},
    {IDC_SUBJECT, InMail, 510, 142, -555, 20},
    {IDC_BODY_LABEL, InMail, 440, 175, kKeep, kKeep},
    {IDC_BODY, InMail, 510, 172, -555, 230},
    {IDC_HISTORY_MENU, InMail, 715, 112, kKeep, kKeep},
    {IDC_NAME_LABEL, InAddress, 440, 115, kKeep, kKeep},
    {IDC_NAME, InAddress, 515, 112, kKeep, kKeep},
    {IDC_FURIGANA_LABEL, InAddress, 440, 143, kKeep, kKeep},
    {IDC_FURIGANA, InAddress, 515, 140, kKeep, kKeep},
    {IDC_PHONE1_LABEL, InAddress, 440, 171, kKeep, kKeep},
    {IDC_PHONE1, InAddress, 515, 168, kKeep, kKeep},
    {IDC_PHONE2_LABEL, InAddress, 440, 199, kKeep, kKeep},
    {IDC_PHONE2, InAddress, 515, 196, kKeep, kKeep},
    {IDC_PHONE3_LABEL, InAddress, 440, 227, kKeep, kKeep},
    {IDC_PHONE3, InAddress, 515, 224, kKeep, kKeep},
    {IDC_MAIL1_LABEL, InAddress, 440, 255, kKeep, kKeep},
    {IDC_MAIL1, InAddress, 515, 252, kKeep, kKeep},
    {IDC_MAIL2_LABEL, InAddress, 440, 283, kKeep, kKeep},
    {IDC_MAIL2, InAddress, 515, 280, kKeep, kKeep},
    {IDC_MAIL3_LABEL, InAddress, 440, 311, kKeep, kKeep},
    {IDC_MAIL3, InAddress, 515, 307, kKeep, kKeep},
    {IDC_NOTE_LABEL, InAddress, 440, 339, kKeep, kKeep},
    {IDC_NOTE, InAddress, 515, 336, kKeep, kKeep},
    {IDC_POSTAL_LABEL, InAddress, 440, 367, kKeep, kKeep},
    {IDC_POSTAL, InAddress, 515, 364, kKeep, kKeep},
    {IDC_BIRTHDAY_LABEL, InAddress, 440, 395, kKeep, kKeep},
    {IDC_BIRTHDAY, InAddress, 515, 392, kKeep, kKeep},
    {IDC_WHEEL_ARROW, InAddress, 610, 395, kKeep, kKeep},
    {IDC_WHEEL_NOTE, InAddress, 625, 396, kKeep, kKeep},
    {IDC_WEB_LABEL, InAddress, 440, 423, kKeep, kKeep},
    {IDC_WEB, InAddress, 515, 420, kKeep, kKeep},
    {IDC_IMPORT_GROUP, InImport, 463, 50, kKeep, kKeep},
    {IDC_IMPORT_SPIN, InImport, 472, 67, kKeep, kKeep},
    {IDC_IMPORT_CLEAR, InImport, 575, 61, kKeep, kKeep},
    {IDC_CREATE, InAll, 360, 133, kKeep, kKeep},
    {IDC_CREATE_AUTO, InAll, 360, 133, kKeep, kKeep},
    {IDC_AUTO, InAll, 365, 114, kKeep, kKeep},
    {IDC_PREVIEW_FRAME, InAll, 12, 105, 342, 342},
    {IDC_PREVIEW, InAll, 20, 114, 325, 325},
    {IDC_TEXT_VIEW, InAll, 45, 120, 275, 310},
    {IDC_CLEAR, InAll, kKeep, kKeep, kKeep, kKeep},
};
static_assert(sizeof FormLayout / sizeof FormLayout[0] == 46, "FormLayout has 46 rows");

// The focus ring after the radio of the current mode, in reading order:
// the encoding box, the emoji button and each history entry's label and
// picture, the drawing controls, the create and code controls, the view
// switch, then the fields of the modes, the import panel before the
// address fields. Hidden and disabled places are skipped.
const int32_t kFocusRing[] = {
    IDC_ENCODING, IDC_EMOJI,
    IDC_HISTORY_LABEL_FIRST, IDC_HISTORY_PICTURE_FIRST, IDC_HISTORY_LABEL_FIRST + 1, IDC_HISTORY_PICTURE_FIRST + 1,
    IDC_HISTORY_LABEL_FIRST + 2, IDC_HISTORY_PICTURE_FIRST + 2, IDC_HISTORY_LABEL_FIRST + 3,
    IDC_HISTORY_PICTURE_FIRST + 3, IDC_HISTORY_LABEL_LAST, IDC_HISTORY_PICTURE_LAST,
    IDC_MARGIN, IDC_COLOUR, IDC_CHOOSE_COLOUR, IDC_SIZE_SLIDER, IDC_AUTO,
    IDC_CREATE, IDC_CREATE_AUTO, IDC_UP, IDC_DOWN, IDC_CLEAR, IDC_CODE_VIEW_BUTTON, IDC_TEXT_VIEW_BUTTON, IDC_SPLIT,
    IDC_TEXT, IDC_TO, IDC_HISTORY_MENU, IDC_SUBJECT, IDC_BODY, IDC_IMPORT_SPIN, IDC_IMPORT_CLEAR, IDC_NAME,
    IDC_FURIGANA, IDC_PHONE1, IDC_PHONE2, IDC_PHONE3, IDC_MAIL1, IDC_MAIL2, IDC_MAIL3, IDC_NOTE, IDC_POSTAL,
    IDC_BIRTHDAY, IDC_WEB};
constexpr int32_t kRingPlaces = 1 + static_cast<int32_t>(sizeof kFocusRing / sizeof kFocusRing[0]);

// Carriers of the encoding combo box items.
const int32_t kEncodingCarriers[4] = {Docomo, Au, Softbank, Utf8};
const char* const kEncodingItems[4] = {
    kEncodingItemDocomo,
    kEncodingItemAu,
    kEncodingItemSoftbank,
    kEncodingItemUtf8};

int32_t clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

void place_row(const FormLayoutRow& row, int32_t level, int32_t w, int32_t h) {
    HWND control = form_item(row.id);
    if (control == nullptr || row.x == kKeep) return;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, g_shell.form, reinterpret_cast<POINT*>(&r), 2);
    // The rows are 96-dpi pixels; W and H are already the display's.
    int32_t x = scaled(row.x), y = scaled(row.y);
    int32_t width = row.width == kKeep ? r.right - r.left : row.width < 0 ? w + scaled(row.width) : scaled(row.width);
    int32_t height =
        row.height == kKeep ? r.bottom - r.top : row.height < 0 ? h + scaled(row.height) : scaled(row.height);
    bool move = level == 2 || x != r.left || y != r.top;
    bool size = row.width != kKeep && (level == 2 || width != r.right - r.left || height != r.bottom - r.top);
    if (!move && !size) return;
    SetWindowPos(control, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE));
}

void show_item(int32_t id, bool shown) { ShowWindow(form_item(id), shown ? SW_SHOW : SW_HIDE); }

// The place of the ring holding the focus (or the control whose child has it).
int32_t focused_place(HWND focus) {
    for (int32_t i = 0; i < kRingPlaces; ++i) {
        HWND control = form_item(i == 0 ? IDC_MODE_TEXT + g_shell.mode : kFocusRing[i - 1]);
        if (control != nullptr && (control == focus || IsChild(control, focus))) return i;
    }
    return 0;
}

// The template's controls at 96 dpi, in sixteenths of a pixel of the form
// (whole pixels would grow their rounding with the scale).
struct TemplatePlace {
    HWND control;
    RECT at96;
};
constexpr int32_t kSubpixels = 16;
TemplatePlace g_templatePlaces[128];
int32_t g_templateCount = 0;

int32_t scaled_subpixels(int32_t at96) { return MulDiv(at96, g_shell.dpi, kBaseDpi * kSubpixels); }

bool is_combo(HWND control) {
    wchar_t name[16];
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0 || lstrcmpiW(name, L"ComboBoxEx32") == 0;
}

// A combo box's height in its window rectangle leaves out the open list,
// which SetWindowPos takes as part of the height.
int32_t full_height(HWND control, const RECT& r) {
    if (!is_combo(control)) return r.bottom - r.top;
    HWND combo = control;
    HWND inner = reinterpret_cast<HWND>(SendMessageW(control, CBEM_GETCOMBOCONTROL, 0, 0));
    wchar_t name[16];
    GetClassNameW(control, name, 16);
    if (lstrcmpiW(name, L"ComboBoxEx32") == 0 && inner != nullptr) combo = inner;
    RECT list = {};
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    RECT window = {};
    GetWindowRect(control, &window);
    int32_t height = list.bottom - window.top;
    return height > r.bottom - r.top ? height : r.bottom - r.top;
}

}  // namespace

// The horizontal dialog unit (a quarter of the average character width) of
// the form's font made for 96 dpi, times 4: Windows's way of measuring it.
int32_t base_unit_at_96() {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(g_shell.form, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = -MulDiv(9, kBaseDpi, 72);
    font.lfWidth = 0;
    HFONT at96 = CreateFontIndirectW(&font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, at96);
    SIZE size = {};
    GetTextExtentPoint32W(screen, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(at96);
    return (size.cx / 26 + 1) / 2;
}

void place_at_reference_units() {
    // The pixel rows of the layout are drawn for the form's 9-point font at
    // 96 dpi as Windows gives it: 1.5 pixels a dialog unit vertically. A
    // substitute font with taller metrics (Wine's Japanese fonts give 1.625)
    // would push the template's controls away from those rows and the view
    // switch under the form's bottom, so they are taken back to those
    // units; across, they keep the width the font in use needs at 96 dpi.
    // The places are kept at 96 dpi once and scaled from there
    // (apply_display_scale), so every display shows the same layout.
    RECT units = {0, 0, 800, 800};
    MapDialogRect(g_shell.form, &units);
    const int32_t reference = 1200 * kSubpixels;
    int32_t across = 200 * base_unit_at_96() * kSubpixels;   // 800 horizontal units at 96 dpi
    g_templateCount = 0;
    if (units.right <= 0 || units.bottom <= 0 || across <= 0) return;
    for (HWND child = GetWindow(g_shell.form, GW_CHILD); child != nullptr && g_templateCount < 128;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = {};
        GetWindowRect(child, &r);
        int32_t height = full_height(child, r);
        MapWindowPoints(nullptr, g_shell.form, reinterpret_cast<POINT*>(&r), 2);
        RECT at96 = {MulDiv(r.left, across, units.right), MulDiv(r.top, reference, units.bottom),
                     MulDiv(r.right, across, units.right), MulDiv(r.top + height, reference, units.bottom)};
        g_templatePlaces[g_templateCount++] = {child, at96};
    }
}

void place_template_controls() {
    for (int32_t i = 0; i < g_templateCount; ++i) {
        const RECT& r = g_templatePlaces[i].at96;
        int32_t left = scaled_subpixels(r.left), top = scaled_subpixels(r.top);
        SetWindowPos(g_templatePlaces[i].control, nullptr, left, top, scaled_subpixels(r.right) - left,
                     scaled_subpixels(r.bottom) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void layout_form(int32_t level) {
    if (g_shell.window == nullptr || g_shell.form == nullptr) return;
    RECT r;
    GetWindowRect(g_shell.window, &r);
    int32_t width = r.right - r.left, height = r.bottom - r.top;
    if (g_shell.layoutPasses < 2 || width < 0 || width > 65536 || height < 0 || height > 65536) {
        width = scaled(kMinWindowWidth);
        height = scaled(kMinWindowHeight);
    }
    ++g_shell.layoutPasses;
    if (g_shell.toolbar != nullptr) SendMessageW(g_shell.toolbar, TB_AUTOSIZE, 0, 0);
    if (width > 10 && g_shell.statusBar != nullptr) {
        set_status_parts(width);
        SendMessageW(g_shell.statusBar, WM_SIZE, 0, 0);
    }
    bool toolbarShown = g_shell.toolbar != nullptr;
    RECT client;
    GetClientRect(g_shell.window, &client);
    int32_t barHeight = status_bar_height();
    int32_t formTop = toolbarShown ? scaled(kToolbarFormTop) : 0;
    SetWindowPos(g_shell.form, nullptr, 0, 0, width, client.bottom - barHeight - formTop - scaled(8),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int32_t w = clamp(width, scaled(kMinWindowWidth), scaled(1600));
    int32_t h = clamp(height, scaled(520), scaled(1200)) + (toolbarShown ? 0 : scaled(24)) - barHeight - scaled(12);
    if (level >= 1) {
        for (const FormLayoutRow& row : FormLayout) place_row(row, level, w, h);
        // Repaint without hiding the form, which would take the focus away.
        RedrawWindow(g_shell.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void apply_mode() {
    int32_t mode = g_shell.mode;
    for (const FormLayoutRow& row : FormLayout) {
        if (row.shownIn == InAll) continue;
        bool shown = row.shownIn == mode || (row.shownIn == InImport && mode == InAddress && g_shell.importPresent);
        show_item(row.id, shown);
    }
    show_item(IDC_TEXT_LABEL, mode == InText);
    int32_t carrier = int_setting(SettingCarrier);
    if (mode == InAddress && carrier != Docomo && carrier != Au) {
        show_item(IDC_POSTAL, false);
        show_item(IDC_POSTAL_LABEL, false);
    }
    if (mode == InAddress && carrier != Docomo) {
        static const int32_t kDocomoOnly[] = {IDC_BIRTHDAY, IDC_BIRTHDAY_LABEL, IDC_WHEEL_ARROW, IDC_WHEEL_NOTE,
                                              IDC_WEB, IDC_WEB_LABEL};
        for (int32_t id : kDocomoOnly) show_item(id, false);
    }
    refresh_emoji_history_bar();
    reset_emoji_target();
}

void switch_mode(int32_t radio, bool generate) {
    // The snapshot belongs to the worker while a pass runs.
    join_worker();
    spoil_input_snapshot();
    g_shell.mode = clamp(radio - IDC_MODE_TEXT, 0, 2);
    set_int_setting(SettingMode, g_shell.mode);
    apply_mode();
    if (generate) generate_now();
}

void fill_encoding_combo() {
    HWND combo = form_item(IDC_ENCODING);
    wchar_t item[64];
    for (const char* text : kEncodingItems) {
        to_wide(text, item, 64);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    int32_t carrier = int_setting(SettingCarrier);
    int32_t selected = carrier == Au ? 1 : carrier == Softbank ? 2 : carrier == Utf8 ? 3 : 0;
    SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

void on_encoding_changed() {
    int32_t item = static_cast<int32_t>(SendMessageW(form_item(IDC_ENCODING), CB_GETCURSEL, 0, 0));
    if (item < 0 || item > 3) return;
    int32_t carrier = kEncodingCarriers[item];
    if (carrier != int_setting(SettingCarrier)) {
        set_int_setting(SettingCarrier, carrier);
        if (!mail_and_address_offered()) select_mode(0, false);
        apply_mode();
        generate_now();
        refresh_emoji_history_bar();
        close_emoji_palette();
    }
    set_mode_radios_visible(mail_and_address_offered());
}

bool mail_and_address_offered() {
    return int_setting(SettingCarrier) != Utf8 || int_setting(SettingUtf8Forms) != 0;
}

void select_mode(int32_t mode, bool generate) {
    for (int32_t radio = IDC_MODE_TEXT; radio <= IDC_MODE_ADDRESS; ++radio) {
        SendMessageW(form_item(radio), BM_SETCHECK, radio == IDC_MODE_TEXT + mode ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    switch_mode(IDC_MODE_TEXT + mode, generate);
}

void set_mode_radios_visible(bool visible) {
    show_item(IDC_MODE_MAIL, visible);
    show_item(IDC_MODE_ADDRESS, visible);
}

void move_focus(int32_t direction) {
    int32_t place = focused_place(GetFocus());
    for (int32_t step = 0; step < kRingPlaces; ++step) {
        place = (place + direction + kRingPlaces) % kRingPlaces;
        HWND control = form_item(place == 0 ? IDC_MODE_TEXT + g_shell.mode : kFocusRing[place - 1]);
        if (control != nullptr && IsWindowEnabled(control) && IsWindowVisible(control)) {
            SetFocus(control);
            return;
        }
    }
}

void on_dpi_changed(int32_t dpi, const RECT* suggested) {
    if (g_shell.form == nullptr || dpi <= 0) return;
    g_shell.dpi = dpi;
    apply_display_scale();
    if (suggested != nullptr) {
        SetWindowPos(g_shell.window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    layout_form(2);
}
