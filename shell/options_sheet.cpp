// The options property sheet (command IDM_OPTIONS): page "ファイル" with the
// extensions dropped files are read by, page "表示" with the generation and
// view settings. OK stores what each shown page holds; Cancel nothing.
//
// The sheet works on an OptionsChoice only; the command fills it from the
// settings and, after OK, stores it and re-applies what uses it.
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

// One opening of the sheet: the choice it works on, the pages shown during
// it (only they store at OK: a page may exist without having been shown),
// and the fixed-pitch font of the extension field while the page lives.
struct OptionsSheet {
    OptionsChoice* choice;
    bool shown[kOptionPages];
    HFONT filterFont;
};

// The sheet of a page, kept in its GWLP_USERDATA from WM_INITDIALOG on.
OptionsSheet* sheet_of(HWND page) {
    return reinterpret_cast<OptionsSheet*>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

// WM_INITDIALOG of a page: lParam is its PROPSHEETPAGEW, whose own lParam is the sheet.
OptionsSheet* attach_sheet(HWND page, LPARAM lParam) {
    LPARAM sheet = reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam;
    SetWindowLongPtrW(page, GWLP_USERDATA, sheet);
    return reinterpret_cast<OptionsSheet*>(sheet);
}

void add_item(HWND list, const char* text) {
    wchar_t wide[64];
    to_wide(text, wide, 64);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
}

// A list's selection, or keep when nothing is selected.
int32_t selection_or(HWND page, int32_t id, int32_t keep) {
    auto index = static_cast<int32_t>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
    return index >= 0 ? index : keep;
}

// PSN_SETACTIVE marks the page shown; PSN_APPLY stores a shown page into
// the choice and, when it is the one showing, makes it the start page.
INT_PTR on_page_notify(HWND page, const NMHDR& header, int32_t index, void (*apply)(HWND page, OptionsChoice*)) {
    OptionsSheet* sheet = sheet_of(page);
    if (sheet == nullptr) return FALSE;
    if (header.code == PSN_SETACTIVE) sheet->shown[index] = true;
    if (header.code != PSN_APPLY) return FALSE;
    if (sheet->shown[index]) {
        apply(page, sheet->choice);
        sheet->choice->stored[index] = true;
        if (PropSheet_GetCurrentPageHwnd(GetParent(page)) == page) sheet->choice->page = index;
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

// --- Page "ファイル" -----------------------------------------------------------------

void init_file_page(HWND page, OptionsSheet* sheet) {
    HWND field = GetDlgItem(page, IDC_OPTION_EXT_FILTER);
    sheet->filterFont = make_fixed_font(scaled(12));
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(sheet->filterFont), TRUE);
    SendMessageW(field, EM_LIMITTEXT, kExtFilterChars, 0);
    set_control_text(field, sheet->choice->extFilter);
}

void apply_file_page(HWND page, OptionsChoice* choice) {
    control_text(GetDlgItem(page, IDC_OPTION_EXT_FILTER), choice->extFilter, sizeof choice->extFilter);
}

INT_PTR CALLBACK file_page_proc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        init_file_page(page, attach_sheet(page, lParam));
        return TRUE;
    }
    OptionsSheet* sheet = sheet_of(page);
    if (message == WM_DESTROY && sheet != nullptr && sheet->filterFont != nullptr) {
        DeleteObject(sheet->filterFont);
        sheet->filterFont = nullptr;
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

// The page's lists, in the order of OptionsChoice::lists.
const int32_t kViewLists[kOptionLists] = {IDC_OPTION_LEVEL, IDC_OPTION_VERSION_LOW, IDC_OPTION_VERSION_HIGH,
                                          IDC_OPTION_LINE_WIDTH, IDC_OPTION_TIMER};

void init_view_page(HWND page, const OptionsChoice& choice) {
    fill_view_lists(page);
    for (int32_t i = 0; i < kOptionLists; ++i) SendDlgItemMessageW(page, kViewLists[i], CB_SETCURSEL, choice.lists[i], 0);
    CheckDlgButton(page, IDC_OPTION_ONE_CODE, choice.oneCode ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_OPTION_UTF8_FORMS, choice.utf8Forms ? BST_CHECKED : BST_UNCHECKED);
}

void apply_view_page(HWND page, OptionsChoice* choice) {
    for (int32_t i = 0; i < kOptionLists; ++i) choice->lists[i] = selection_or(page, kViewLists[i], choice->lists[i]);
    choice->oneCode = IsDlgButtonChecked(page, IDC_OPTION_ONE_CODE) == BST_CHECKED;
    choice->utf8Forms = IsDlgButtonChecked(page, IDC_OPTION_UTF8_FORMS) == BST_CHECKED;
}

INT_PTR CALLBACK view_page_proc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        init_view_page(page, *attach_sheet(page, lParam)->choice);
        return TRUE;
    }
    if (message == WM_NOTIFY) return on_page_notify(page, *reinterpret_cast<NMHDR*>(lParam), 1, apply_view_page);
    return FALSE;
}

// The settings each list of page "表示" shows, in the order of OptionsChoice::lists.
const int32_t kViewSettings[kOptionLists] = {SettingRedunRate, SettingQrVer1, SettingQrVer2, SettingPreviewNo,
                                             SettingQuick};

void take_settings(OptionsChoice* choice) {
    const TextSetting* filter = find_text_setting("extfilter");
    std::snprintf(choice->extFilter, sizeof choice->extFilter, "%s", filter != nullptr ? filter->value : "");
    for (int32_t i = 0; i < kOptionLists; ++i) choice->lists[i] = int_setting(kViewSettings[i]);
    choice->oneCode = int_setting(SettingOneCode) != 0;
    choice->utf8Forms = int_setting(SettingUtf8Forms) != 0;
}

void store_file_page(const OptionsChoice& choice) {
    TextSetting* filter = find_text_setting("extfilter");
    if (filter == nullptr) return;
    set_text_setting(filter, choice.extFilter);
    parse_extension_filter(filter->value);
}

// Stores page "表示" (the version range in order), then everything that
// shows or uses these settings follows.
void store_view_page(const OptionsChoice& choice) {
    join_worker();   // a pass reads these settings
    for (int32_t i = 0; i < kOptionLists; ++i) set_int_setting(kViewSettings[i], choice.lists[i]);
    set_int_setting(SettingOneCode, choice.oneCode ? 1 : 0);
    set_int_setting(SettingUtf8Forms, choice.utf8Forms ? 1 : 0);
    if (int_setting(SettingQrVer2) < int_setting(SettingQrVer1)) {
        int32_t low = int_setting(SettingQrVer2);
        set_int_setting(SettingQrVer2, int_setting(SettingQrVer1));
        set_int_setting(SettingQrVer1, low);
    }
    update_status_bar(StatusMode);
    apply_view_font();
    // UTF-8 without its mail and address modes goes back to text, as choosing UTF-8 does.
    if (!mail_and_address_offered() && g_shell.mode != 0) select_mode(0, false);
    set_mode_radios_visible(mail_and_address_offered());
    apply_mode();
    generate_now();
}

}  // namespace

bool show_options(HWND owner, OptionsChoice* choice) {
    static const int32_t kTemplates[kOptionPages] = {IDPAGE1, IDPAGE2};
    static const DLGPROC kProcs[kOptionPages] = {file_page_proc, view_page_proc};
    OptionsSheet sheet = {choice, {false, false}, nullptr};
    choice->stored[0] = choice->stored[1] = false;
    HPROPSHEETPAGE pages[kOptionPages];
    for (int32_t i = 0; i < kOptionPages; ++i) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof page;
        page.hInstance = g_shell.instance;
        page.pszTemplate = MAKEINTRESOURCEW(kTemplates[i]);
        page.pfnDlgProc = kProcs[i];
        page.lParam = reinterpret_cast<LPARAM>(&sheet);
        pages[i] = CreatePropertySheetPageW(&page);
    }
    wchar_t title[32];
    to_wide(kOptionsSheetTitle, title, 32);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = g_shell.instance;
    header.pszCaption = title;
    header.nPages = kOptionPages;
    header.nStartPage = static_cast<UINT>(choice->page);
    header.phpage = pages;
    PropertySheetW(&header);
    return choice->stored[0] || choice->stored[1];
}

void options_command() {
    OptionsChoice choice = {};
    take_settings(&choice);
    choice.page = g_shell.optionsPage;
    if (!show_options(g_shell.window, &choice)) return;
    g_shell.optionsPage = choice.page;
    if (choice.stored[0]) store_file_page(choice);
    if (choice.stored[1]) store_view_page(choice);
}
