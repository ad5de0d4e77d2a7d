// The options property sheet (command IDM_OPTIONS): page "ファイル" with the
// extensions dropped files are read by, page "表示" with the generation and
// view settings. OK stores what each shown page holds; Cancel nothing.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

#include "payload/payload.h"
#include "persistence/documents.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

const char* const kLevelItems[4] = {
    kLevelItemL,
    kLevelItemM,
    kLevelItemQ,
    kLevelItemH};
const char* const kTimerItems[3] = {
    kTimerItemFast,
    kTimerItemNormal,
    kTimerItemSlow};

constexpr int32_t kVersionItems = 20;   // versions 1 to 20
constexpr int32_t kExtFilterChars = 255;
constexpr int32_t kPageCount = 2;

// The page that was showing at the last OK of this run.
int32_t g_startPage = 0;
// Pages shown during this opening: only they store at OK (a page may exist
// without having been shown).
bool g_pageShown[2] = {false, false};
// The fixed-pitch font of the extension field while the sheet is open.
HFONT g_filterFont = nullptr;

void add_item(HWND list, const char* text) {
    wchar_t wide[64];
    to_wide(text, wide, 64);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
}

int32_t selection(HWND page, int32_t id) {
    return static_cast<int32_t>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
}

// Stores a list's selection unless nothing is selected.
void store_selection(HWND page, int32_t id, int32_t row) {
    int32_t index = selection(page, id);
    if (index >= 0) IntSettings[row].value = index;
}

// Remembers the page as the start page when it is the one showing.
void note_showing_page(HWND page, int32_t index) {
    if (PropSheet_GetCurrentPageHwnd(GetParent(page)) == page) g_startPage = index;
}

// PSN_SETACTIVE marks the page shown; PSN_APPLY stores a shown page.
INT_PTR on_page_notify(HWND page, const NMHDR& header, int32_t index, void (*apply)(HWND page)) {
    if (header.code == PSN_SETACTIVE) g_pageShown[index] = true;
    if (header.code != PSN_APPLY) return FALSE;
    if (g_pageShown[index]) apply(page);
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

// --- Page "ファイル" -----------------------------------------------------------------

void init_file_page(HWND page) {
    HWND field = GetDlgItem(page, IDC_OPTION_EXT_FILTER);
    g_filterFont = make_fixed_font(12);
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(g_filterFont), TRUE);
    SendMessageW(field, EM_LIMITTEXT, kExtFilterChars, 0);
    const TextSetting* filter = find_text_setting("extfilter");
    set_control_text(field, filter != nullptr ? filter->value : "");
}

void apply_file_page(HWND page) {
    note_showing_page(page, 0);
    TextSetting* filter = find_text_setting("extfilter");
    if (filter == nullptr) return;
    char text[2 * kExtFilterChars + 2];
    control_text(GetDlgItem(page, IDC_OPTION_EXT_FILTER), text, sizeof text);
    set_text_setting(filter, text);
    parse_extension_filter(filter->value);
}

INT_PTR CALLBACK file_page_proc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        init_file_page(page);
        return TRUE;
    }
    if (message == WM_DESTROY && g_filterFont != nullptr) {
        DeleteObject(g_filterFont);
        g_filterFont = nullptr;
    }
    if (message == WM_NOTIFY) return on_page_notify(page, *reinterpret_cast<NMHDR*>(lParam), 0, apply_file_page);
    return FALSE;
}

// --- Page "表示" ------------------------------------------------------------------------

void fill_view_lists(HWND page) {
    for (const char* item : kLevelItems) add_item(GetDlgItem(page, IDC_OPTION_LEVEL), item);
    char text[64];
    for (int32_t v = 1; v <= kVersionItems; ++v) {
        std::snprintf(text, sizeof text, kVersionItemFormat, v, 4 * v + 17, 4 * v + 17);
        add_item(GetDlgItem(page, IDC_OPTION_VERSION_LOW), text);
        add_item(GetDlgItem(page, IDC_OPTION_VERSION_HIGH), text);
    }
    for (const LineWidth& width : LineWidths) {
        std::snprintf(text, sizeof text, "%2d", width.characters);
        add_item(GetDlgItem(page, IDC_OPTION_LINE_WIDTH), text);
    }
    for (const char* item : kTimerItems) add_item(GetDlgItem(page, IDC_OPTION_TIMER), item);
}

void init_view_page(HWND page) {
    fill_view_lists(page);
    SendDlgItemMessageW(page, IDC_OPTION_LEVEL, CB_SETCURSEL, int_setting(SettingRedunRate), 0);
    SendDlgItemMessageW(page, IDC_OPTION_VERSION_LOW, CB_SETCURSEL, int_setting(SettingQrVer1), 0);
    SendDlgItemMessageW(page, IDC_OPTION_VERSION_HIGH, CB_SETCURSEL, int_setting(SettingQrVer2), 0);
    SendDlgItemMessageW(page, IDC_OPTION_LINE_WIDTH, CB_SETCURSEL, int_setting(SettingPreviewNo), 0);
    SendDlgItemMessageW(page, IDC_OPTION_TIMER, CB_SETCURSEL, int_setting(SettingQuick), 0);
    CheckDlgButton(page, IDC_OPTION_ONE_CODE, int_setting(SettingOneCode) ? BST_CHECKED : BST_UNCHECKED);
}

// Stores the page, then everything that shows or uses these settings follows.
void apply_view_page(HWND page) {
    note_showing_page(page, 1);
    join_worker();   // a pass reads these settings
    store_selection(page, IDC_OPTION_LEVEL, SettingRedunRate);
    store_selection(page, IDC_OPTION_VERSION_LOW, SettingQrVer1);
    store_selection(page, IDC_OPTION_VERSION_HIGH, SettingQrVer2);
    store_selection(page, IDC_OPTION_LINE_WIDTH, SettingPreviewNo);
    store_selection(page, IDC_OPTION_TIMER, SettingQuick);
    IntSettings[SettingOneCode].value = IsDlgButtonChecked(page, IDC_OPTION_ONE_CODE) == BST_CHECKED ? 1 : 0;
    if (int_setting(SettingQrVer2) < int_setting(SettingQrVer1)) {
        int32_t low = int_setting(SettingQrVer2);
        IntSettings[SettingQrVer2].value = int_setting(SettingQrVer1);
        IntSettings[SettingQrVer1].value = low;
    }
    update_status_bar(StatusMode);
    apply_view_font();
    apply_mode();
    generate_now();
}

INT_PTR CALLBACK view_page_proc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        init_view_page(page);
        return TRUE;
    }
    if (message == WM_NOTIFY) return on_page_notify(page, *reinterpret_cast<NMHDR*>(lParam), 1, apply_view_page);
    return FALSE;
}

}  // namespace

void show_options() {
    static const int32_t kTemplates[kPageCount] = {IDPAGE1, IDPAGE2};
    static const DLGPROC kProcs[kPageCount] = {file_page_proc, view_page_proc};
    HPROPSHEETPAGE pages[kPageCount];
    g_pageShown[0] = g_pageShown[1] = false;
    for (int32_t i = 0; i < kPageCount; ++i) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof page;
        page.hInstance = g_shell.instance;
        page.pszTemplate = MAKEINTRESOURCEW(kTemplates[i]);
        page.pfnDlgProc = kProcs[i];
        pages[i] = CreatePropertySheetPageW(&page);
    }
    wchar_t title[32];
    to_wide(kOptionsSheetTitle, title, 32);
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_NOAPPLYNOW;
    sheet.hwndParent = g_shell.window;
    sheet.hInstance = g_shell.instance;
    sheet.pszCaption = title;
    sheet.nPages = kPageCount;
    sheet.nStartPage = static_cast<UINT>(g_startPage);
    sheet.phpage = pages;
    PropertySheetW(&sheet);
}
