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

// The focus ring after the radio of the current mode.
const int32_t kFocusRing[36] = {
    IDC_EMOJI, IDC_HISTORY_PICTURE_FIRST, IDC_HISTORY_PICTURE_FIRST + 1, IDC_HISTORY_PICTURE_FIRST + 2,
    IDC_HISTORY_PICTURE_FIRST + 3, IDC_HISTORY_PICTURE_LAST, IDC_MARGIN, IDC_COLOUR, IDC_CHOOSE_COLOUR,
    IDC_SIZE_SLIDER, IDC_AUTO,
    IDC_CREATE, IDC_CREATE_AUTO, IDC_UP, IDC_DOWN, IDC_CLEAR, IDC_CODE_VIEW_BUTTON, IDC_TEXT_VIEW_BUTTON, IDC_SPLIT,
    IDC_TEXT, IDC_TO, IDC_HISTORY_MENU, IDC_SUBJECT, IDC_BODY, IDC_NAME, IDC_FURIGANA, IDC_PHONE1, IDC_PHONE2,
    IDC_PHONE3, IDC_MAIL1, IDC_MAIL2, IDC_MAIL3, IDC_NOTE, IDC_POSTAL, IDC_BIRTHDAY, IDC_WEB};
constexpr int32_t kRingPlaces = 37;

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
    int32_t width = row.width == kKeep ? r.right - r.left : row.width < 0 ? w + row.width : row.width;
    int32_t height = row.height == kKeep ? r.bottom - r.top : row.height < 0 ? h + row.height : row.height;
    bool move = level == 2 || row.x != r.left || row.y != r.top;
    bool size = row.width != kKeep && (level == 2 || width != r.right - r.left || height != r.bottom - r.top);
    if (!move && !size) return;
    SetWindowPos(control, nullptr, row.x, row.y, width, height,
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

// Moves a control of the template to the height its dialog units have on
// Windows; combo boxes keep their height, which includes the open list.
void move_to_reference_height(HWND control, int32_t reference, int32_t actual) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, g_shell.form, reinterpret_cast<POINT*>(&r), 2);
    wchar_t name[16];
    GetClassNameW(control, name, 16);
    bool combo = lstrcmpiW(name, L"ComboBox") == 0;
    int32_t top = MulDiv(r.top, reference, actual);
    int32_t height = combo ? r.bottom - r.top : MulDiv(r.bottom, reference, actual) - top;
    SetWindowPos(control, nullptr, r.left, top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void place_at_reference_units() {
    // The pixel rows of the layout are drawn for the form's 9-point font as
    // Windows gives it to a program that does not declare DPI awareness:
    // 1.5 pixels a dialog unit both ways. A substitute font with taller
    // metrics (Wine's Japanese fonts give 1.625 vertically) would push the
    // template's controls away from those rows and the view switch under
    // the form's bottom, so they are moved back to their Windows places.
    RECT units = {0, 0, 0, 800};
    MapDialogRect(g_shell.form, &units);
    const int32_t reference = 1200;
    if (units.bottom == reference || units.bottom <= 0) return;
    for (HWND child = GetWindow(g_shell.form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        move_to_reference_height(child, reference, units.bottom);
    }
}

void layout_form(int32_t level) {
    if (g_shell.window == nullptr || g_shell.form == nullptr) return;
    RECT r;
    GetWindowRect(g_shell.window, &r);
    int32_t width = r.right - r.left, height = r.bottom - r.top;
    if (g_shell.layoutPasses < 2 || width < 0 || width > 65536 || height < 0 || height > 65536) {
        width = kMinWindowWidth;
        height = kMinWindowHeight;
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
    int32_t formTop = toolbarShown ? kToolbarFormTop : 0;
    SetWindowPos(g_shell.form, nullptr, 0, 0, width, client.bottom - barHeight - formTop - 8,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int32_t w = clamp(width, kMinWindowWidth, 1600);
    int32_t h = clamp(height, 520, 1200) + (toolbarShown ? 0 : 24) - barHeight - 12;
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
