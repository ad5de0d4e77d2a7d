// The main form (dialog IDD_MAIN_FORM): its creation, the notifications of its
// controls, the drawing controls and the form's painting.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "emoji/win32/emoji_window.h"
#include "output/output.h"
#include "payload/payload.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {


const int32_t kTileBitmaps[kBackgroundCount] = {0, IDB_BACKGROUND_BLUE, IDB_BACKGROUND_GREEN, IDB_BACKGROUND_ORANGE,
                                                IDB_BACKGROUND_WHITE};

HBITMAP g_tile = nullptr;
HIMAGELIST g_colourSamples = nullptr;

HFONT make_font(const char* face, int32_t height, int32_t weight) {
    LOGFONTW f = {};
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfCharSet = SHIFTJIS_CHARSET;
    to_wide(face, f.lfFaceName, LF_FACESIZE);
    return CreateFontIndirectW(&f);
}

// The form's template asks for 9 points.
constexpr int32_t kFormFontPoints = 9;

// The form's fonts at the display's DPI; the template's own font (made by
// the dialog for the system's DPI) gives the face and character set.
void create_fonts() {
    LOGFONTW formFont = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(g_shell.form, WM_GETFONT, 0, 0)), sizeof formFont, &formFont);
    formFont.lfHeight = -MulDiv(kFormFontPoints, g_shell.dpi, 72);
    formFont.lfWidth = 0;
    g_shell.formFont = CreateFontIndirectW(&formFont);
    g_shell.fieldFont = make_font(kFieldFontName, scaled(14), FW_NORMAL);
    formFont.lfWeight = FW_BOLD;
    g_shell.boldFont = CreateFontIndirectW(&formFont);
    formFont.lfWeight = FW_NORMAL;
    to_wide(kArrowFontName, formFont.lfFaceName, LF_FACESIZE);
    g_shell.arrowFont = CreateFontIndirectW(&formFont);
}

void delete_fonts() {
    HFONT* fonts[] = {&g_shell.formFont, &g_shell.fieldFont, &g_shell.boldFont, &g_shell.arrowFont};
    for (HFONT* font : fonts) {
        if (*font != nullptr) DeleteObject(*font);
        *font = nullptr;
    }
}

void set_font(int32_t id, HFONT font) { SendMessageW(form_item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

// Every control of the form in the form's font at the display's DPI, the
// create buttons in bold, the wheel arrow upright and the two long fields
// in their own font.
void apply_form_font() {
    for (HWND child = GetWindow(g_shell.form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.formFont), FALSE);
    }
    set_font(IDC_CREATE, g_shell.boldFont);
    set_font(IDC_CREATE_AUTO, g_shell.boldFont);
    set_font(IDC_WHEEL_ARROW, g_shell.arrowFont);
    set_font(IDC_TEXT, g_shell.fieldFont);
    set_font(IDC_BODY, g_shell.fieldFont);
}

// The colour samples at the display's size: 36 x 12, or the pictures drawn
// at twice that from 200 % on.
void load_colour_samples() {
    int32_t factor = image_factor();
    HBITMAP samples = LoadBitmapW(g_shell.instance,
                                  MAKEINTRESOURCEW(factor == 2 ? IDB_COLOUR_SAMPLES_2X : IDB_COLOUR_SAMPLES));
    HIMAGELIST old = g_colourSamples;
    g_colourSamples = ImageList_Create(36 * factor, 12 * factor, ILC_COLOR24, 12, 0);
    ImageList_Add(g_colourSamples, samples, nullptr);
    DeleteObject(samples);
    SendMessageW(form_item(IDC_COLOUR), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_colourSamples));
    if (old != nullptr) ImageList_Destroy(old);
}

void fill_colour_combo() {
    HWND combo = form_item(IDC_COLOUR);
    load_colour_samples();
    wchar_t label[8];
    for (int32_t i = 0; i < kModuleColourCount; ++i) {
        to_wide(ModuleColourLabels[i], label, 8);
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = label;
        item.iImage = item.iSelectedImage = i < 12 ? i : I_IMAGENONE;
        SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(combo, CB_SETCURSEL, int_setting(SettingColors), 0);
}

void fill_margin_combo() {
    HWND combo = form_item(IDC_MARGIN);
    wchar_t item[4];
    for (int32_t margin = 0; margin <= 6; ++margin) {
        std::swprintf(item, 4, L"%2d", margin);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, int_setting(SettingDrawMargin), 0);
}

// Steps 1 and 3 of the creation: buttons, check box, spin, trackbar.
void set_up_controls() {
    SendMessageW(form_item(IDC_CREATE_AUTO), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(form_item(IDC_AUTO), BM_SETCHECK, int_setting(SettingAutoEncode) ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(form_item(IDC_IMPORT_SPIN), UDM_SETRANGE32, 0, 1000);
    SendMessageW(form_item(IDC_IMPORT_SPIN), UDM_SETPOS32, 0, 500);
    sync_import_spin();
    EnableWindow(form_item(IDC_UP), FALSE);
    EnableWindow(form_item(IDC_DOWN), FALSE);
    SendMessageW(form_item(IDC_CODE_VIEW_BUTTON), BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(form_item(IDC_PREVIEW), L"");
    SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 7));
    SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_SETPOS, TRUE, int_setting(SettingSliderPos));
}

void repaint_preview() { InvalidateRect(g_shell.preview, nullptr, FALSE); }

void step_code(int32_t delta) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    current += delta;
    if (current > count - 1) current = count - 1;
    if (current < 0) current = 0;
    set_current_code(current);
    show_position(count, current, true);
    update_status_bar(StatusCode);
    set_display_state(DisplayCodes);
    refresh_view(view_kind());
}

// "クリア": the fields of the current mode, the code list and the preview.
void clear_mode_fields() {
    static const int32_t kModeFields[3][13] = {
        {IDC_TEXT},
        {IDC_TO, IDC_SUBJECT, IDC_BODY},
        {IDC_NAME, IDC_FURIGANA, IDC_PHONE1, IDC_PHONE2, IDC_PHONE3, IDC_MAIL1, IDC_MAIL2, IDC_MAIL3, IDC_NOTE,
         IDC_POSTAL, IDC_WEB, IDC_BIRTHDAY}};
    for (int32_t id : kModeFields[g_shell.mode]) {
        if (id != 0) SetWindowTextW(form_item(id), L"");
    }
    join_worker();
    clear_code_list();
    show_position(0, 0, true);
    show_level_label(0);
    set_display_state(DisplayCleared);
    refresh_view(view_kind());
}

void show_view(int32_t view) {
    set_view_kind(view);
    ShowWindow(g_shell.preview, view == CodeView ? SW_SHOW : SW_HIDE);
    ShowWindow(form_item(IDC_TEXT_VIEW), view == TextDataView ? SW_SHOW : SW_HIDE);
    refresh_view(view);
}

void insert_split_mark() {
    HWND text = form_item(IDC_TEXT);
    SendMessageW(text, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\n[split]\r\n"));
    SetFocus(text);
}

void choose_custom_colour() {
    uint32_t colour = static_cast<uint32_t>(int_setting(SettingCustomCol));
    if (!choose_colour(g_shell.form, &colour)) return;
    SendMessageW(form_item(IDC_COLOUR), CB_SETCURSEL, kCustomColour, 0);
    set_int_setting(SettingColors, kCustomColour);
    set_custom_colour(colour);
    ShowWindow(form_item(IDC_SWATCH), SW_SHOW);
    InvalidateRect(form_item(IDC_SWATCH), nullptr, TRUE);
    repaint_preview();
}

void on_colour_selected() {
    int32_t index = static_cast<int32_t>(SendMessageW(form_item(IDC_COLOUR), CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    set_int_setting(SettingColors, index);
    ShowWindow(form_item(IDC_SWATCH), index == kCustomColour ? SW_SHOW : SW_HIDE);
    repaint_preview();
}

void on_margin_selected() {
    int32_t index = static_cast<int32_t>(SendMessageW(form_item(IDC_MARGIN), CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    set_int_setting(SettingDrawMargin, index);
    repaint_preview();
}

void draw_swatch(const DRAWITEMSTRUCT* item) {
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HPEN pen = CreatePen(PS_SOLID, scaled(11), static_cast<COLORREF>(int_setting(SettingCustomCol)));
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(int_setting(SettingCustomCol)));
    HGDIOBJ oldPen = SelectObject(item->hDC, pen);
    HGDIOBJ oldBrush = SelectObject(item->hDC, brush);
    Rectangle(item->hDC, scaled(5), scaled(5), scaled(10), scaled(10));
    SelectObject(item->hDC, oldPen);
    SelectObject(item->hDC, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// Statics on a transparent background over the tiles; the trackbar and
// the check box on white, the text-data view in the background's tint.
HBRUSH control_colour(HDC dc, HWND control) {
    int32_t id = GetDlgCtrlID(control);
    if (id == IDC_SIZE_SLIDER || id == IDC_AUTO) return g_shell.whiteBrush;
    if (id == IDC_TEXT_VIEW) {
        SetBkColor(dc, text_view_colour(int_setting(SettingBgNo)));
        return g_shell.tintBrush;
    }
    SetBkMode(dc, TRANSPARENT);
    if (g_shell.backgroundBrush == nullptr) return GetSysColorBrush(COLOR_BTNFACE);
    POINT origin = {0, 0};
    MapWindowPoints(control, g_shell.form, &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return g_shell.backgroundBrush;
}

void erase_form(HDC dc) {
    RECT r;
    GetClientRect(g_shell.form, &r);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &r, g_shell.backgroundBrush != nullptr ? g_shell.backgroundBrush : GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK form_proc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND: on_form_command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return TRUE;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == form_item(IDC_SIZE_SLIDER)) on_size_slider();
            if (reinterpret_cast<HWND>(lParam) == form_item(IDC_IMPORT_SPIN) && LOWORD(wParam) == SB_ENDSCROLL) {
                on_import_spin();
            }
            return TRUE;
        case WM_ERASEBKGND: erase_form(reinterpret_cast<HDC>(wParam)); return TRUE;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(control_colour(reinterpret_cast<HDC>(wParam),
                                                            reinterpret_cast<HWND>(lParam)));
        case WM_NOTIFY:
            if (!supply_name_tooltip(reinterpret_cast<NMHDR*>(lParam))) return FALSE;
            SetWindowLongPtrW(g_shell.form, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_DRAWITEM:
            if (wParam == IDC_SWATCH) draw_swatch(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            if (wParam >= IDC_HISTORY_PICTURE_FIRST && wParam <= IDC_HISTORY_PICTURE_LAST) {
                draw_history_picture(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            }
            return TRUE;
        default: return FALSE;
    }
}

LRESULT CALLBACK birthday_proc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_MOUSEWHEEL && GetFocus() == field) {
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (delta != 0) {
            char text[64];
            control_text(field, text, sizeof text);
            step_birthday(text, delta > 0 ? 1 : -1, (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
            set_control_text(field, text);
        }
        return 0;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

// The arrow keys step through the visible mode radios as a dialog's radio
// group does (the form's keys do not go through dialog-key handling).
LRESULT CALLBACK mode_radio_proc(HWND radio, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN)) {
        int32_t step = wParam == VK_RIGHT || wParam == VK_DOWN ? 1 : -1;
        for (int32_t id = GetDlgCtrlID(radio) + step; id >= IDC_MODE_TEXT && id <= IDC_MODE_ADDRESS; id += step) {
            HWND next = form_item(id);
            if (!IsWindowVisible(next) || !IsWindowEnabled(next)) continue;
            SetFocus(next);
            SendMessageW(next, BM_CLICK, 0, 0);
            break;
        }
        return 0;
    }
    return DefSubclassProc(radio, message, wParam, lParam);
}

}  // namespace

HWND create_main_form(HWND parent) {
    int32_t mode = int_setting(SettingMode);
    g_shell.mode = !mail_and_address_offered() || mode < 0 || mode > 2 ? 0 : mode;
    set_int_setting(SettingMode, g_shell.mode);
    g_shell.form = CreateDialogParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_MAIN_FORM), parent, form_proc, 0);
    if (g_shell.form == nullptr) return nullptr;
    g_shell.dpi = window_dpi(parent);
    place_at_reference_units();
    create_fonts();
    apply_form_font();
    place_template_controls();
    g_shell.whiteBrush = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    apply_background();
    set_up_controls();
    recreate_text_fields();
    apply_view_font();
    attach_preview(form_item(IDC_PREVIEW));
    fill_colour_combo();
    fill_margin_combo();
    fill_to_combo();
    fill_encoding_combo();
    SetWindowSubclass(form_item(IDC_BIRTHDAY), birthday_proc, 1, 0);
    for (int32_t id = IDC_MODE_TEXT; id <= IDC_MODE_ADDRESS; ++id) SetWindowSubclass(form_item(id), mode_radio_proc, 1, 0);
    add_name_tooltips(g_shell.form, IDC_HISTORY_PICTURE_FIRST, IDC_HISTORY_PICTURE_LAST);
    set_display_state(DisplayCreated);
    ShowWindow(g_shell.form, SW_SHOW);
    return g_shell.form;
}

HFONT make_fixed_font(int32_t height) { return make_font(kViewFontName, height, FW_NORMAL); }

void apply_view_font() {
    int32_t row = int_setting(SettingPreviewNo);
    HFONT old = g_shell.viewFont;
    g_shell.viewFont = make_fixed_font(scaled(LineWidths[row >= 0 && row < kLineWidthRows ? row : 4].fontHeight));
    set_font(IDC_TEXT_VIEW, g_shell.viewFont);
    if (old != nullptr) DeleteObject(old);
}

void destroy_main_form() {
    DestroyWindow(g_shell.form);
    g_shell.form = nullptr;
    if (g_colourSamples != nullptr) ImageList_Destroy(g_colourSamples);
    g_colourSamples = nullptr;
    delete_fonts();
    HGDIOBJ objects[] = {g_shell.viewFont, g_shell.backgroundBrush, g_shell.tintBrush, g_tile};
    for (HGDIOBJ object : objects) {
        if (object != nullptr) DeleteObject(object);
    }
    g_shell.backgroundBrush = nullptr;
    g_shell.tintBrush = nullptr;
    g_shell.viewFont = nullptr;
    g_tile = nullptr;
}

void apply_background() {
    if (g_shell.backgroundBrush != nullptr) DeleteObject(g_shell.backgroundBrush);
    if (g_shell.tintBrush != nullptr) DeleteObject(g_shell.tintBrush);
    if (g_tile != nullptr) DeleteObject(g_tile);
    g_shell.backgroundBrush = nullptr;
    g_tile = nullptr;
    int32_t index = int_setting(SettingBgNo);
    if (index > 0 && index < kBackgroundCount) {
        g_tile = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(kTileBitmaps[index]));
        if (g_tile != nullptr) g_shell.backgroundBrush = CreatePatternBrush(g_tile);
    }
    g_shell.tintBrush = CreateSolidBrush(text_view_colour(index));
    InvalidateRect(g_shell.form, nullptr, TRUE);
}

void apply_display_scale() {
    delete_fonts();
    create_fonts();
    apply_form_font();
    apply_view_font();
    place_template_controls();
    load_colour_samples();
    if (g_shell.toolbar != nullptr) show_toolbar(true);
    InvalidateRect(g_shell.form, nullptr, TRUE);
}

void finish_form_set_up() {
    apply_auto_check();
    attach_history_button();
    apply_save_all(false);
    on_colour_selected();
}

void apply_auto_check() {
    join_worker();
    set_int_setting(SettingAutoEncode, is_checked(IDC_AUTO) ? 1 : 0);
    load_pass_settings(&g_form);
    bool on = int_setting(SettingAutoEncode) != 0;
    ShowWindow(form_item(IDC_CREATE), on ? SW_HIDE : SW_SHOW);
    ShowWindow(form_item(IDC_CREATE_AUTO), on ? SW_SHOW : SW_HIDE);
    update_status_bar(StatusMode);
    restart_pump(100);
}

void on_size_slider() {
    int32_t step = static_cast<int32_t>(SendMessageW(form_item(IDC_SIZE_SLIDER), TBM_GETPOS, 0, 0));
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (step == int_setting(SettingSliderPos) || count == 0) return;
    set_display_state(DisplayCodes);
    repaint_preview();
}

void on_form_command(int32_t id, int32_t code, HWND) {
    if (code == CBN_SELCHANGE) {
        if (id == IDC_ENCODING) on_encoding_changed();
        if (id == IDC_MARGIN) on_margin_selected();
        if (id == IDC_COLOUR) on_colour_selected();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_MODE_TEXT:
        case IDC_MODE_MAIL:
        case IDC_MODE_ADDRESS: switch_mode(id, true); break;
        case IDC_CREATE_AUTO: SendMessageW(form_item(IDC_CREATE_AUTO), BM_SETCHECK, BST_CHECKED, 0); [[fallthrough]];
        case IDC_CREATE:
            request_generation();
            restart_pump(30);
            break;
        case IDC_AUTO: apply_auto_check(); break;
        case IDC_UP: step_code(-1); break;
        case IDC_DOWN: step_code(1); break;
        case IDC_CLEAR: clear_mode_fields(); break;
        case IDC_CODE_VIEW_BUTTON: show_view(CodeView); break;
        case IDC_TEXT_VIEW_BUTTON: show_view(TextDataView); break;
        case IDC_SPLIT: insert_split_mark(); break;
        case IDC_CHOOSE_COLOUR: choose_custom_colour(); break;
        case IDC_IMPORT_CLEAR: clear_imported_records(); break;
        case IDC_HISTORY_MENU: show_history_menu(); break;
        default: on_emoji_control(id); break;
    }
}

bool forward_birthday_wheel(WPARAM wParam, LPARAM lParam) {
    HWND birthday = form_item(IDC_BIRTHDAY);
    if (birthday == nullptr || GetFocus() != birthday) return false;
    SendMessageW(birthday, WM_MOUSEWHEEL, wParam, lParam);
    return true;
}

namespace {

// The text field's name for screen readers, which take an edit field's
// name from the label just before it: the mode's own caption, in a label
// of no size (the form shows none there), shown in text mode only.
HWND text_field_label() {
    HWND label = form_item(IDC_TEXT_LABEL);
    if (label != nullptr) return label;
    wchar_t caption[32] = {};
    GetWindowTextW(form_item(IDC_MODE_TEXT), caption, 32);
    label = CreateWindowExW(0, L"Static", caption, WS_CHILD | SS_LEFT, 0, 0, 0, 0, g_shell.form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TEXT_LABEL)), g_shell.instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.formFont), FALSE);
    return label;
}

}  // namespace

void recreate_text_fields() {
    static char texts[2][kLongFieldBytes];
    const int32_t ids[2] = {IDC_TEXT, IDC_BODY};
    // Each field follows its label in the tab and z order.
    HWND labels[2] = {text_field_label(), form_item(IDC_BODY_LABEL)};
    DWORD style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL | ES_AUTOVSCROLL;
    if (!int_setting(SettingEditWrap)) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    for (int32_t i = 0; i < 2; ++i) {
        HWND old = form_item(ids[i]);
        texts[i][0] = '\0';
        if (old != nullptr) {
            control_text(old, texts[i], kLongFieldBytes);
            DestroyWindow(old);
        }
        HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", style, 0, 0, 100, 100, g_shell.form,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), g_shell.instance, nullptr);
        SetWindowPos(field, labels[i], 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        set_control_text(field, texts[i]);
        SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.fieldFont), TRUE);
    }
}
