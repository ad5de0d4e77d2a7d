// The command dispatcher: every menu, accelerator and toolbar command goes
// to the part of the program that does the work.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "payload/payload.h"
#include "persistence/settings_store.h"
#include "persistence/start_up.h"
#include "platform/app_folder.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {


void open_help() {
    char folder[kAppFolderBytes];
    char path[kAppPathBytes];
    if (app_folder(folder, sizeof folder) == 0) {
        std::snprintf(path, sizeof path, "%shelp\\index.html", folder);
        if (open_with_default_handler(g_shell.window, path)) return;
    }
    show_message(g_shell.window, kNoHelpText, kNoHelpCaption, MB_OK | MB_ICONINFORMATION);
}

void choose_background(int32_t id) {
    set_int_setting(SettingBgNo, id - IDM_BACKGROUND_NONE);
    for (int32_t item = IDM_BACKGROUND_NONE; item <= IDM_BACKGROUND_WHITE; ++item) check_menu(item, false);
    check_menu(id, true);
    apply_background();
    show_toolbar(int_setting(SettingDispToolbar) != 0);
}

void toggle_word_wrap() {
    set_int_setting(SettingEditWrap, int_setting(SettingEditWrap) ? 0 : 1);
    check_menu(IDM_WORD_WRAP, int_setting(SettingEditWrap) != 0);
    recreate_text_fields();
    layout_form(2);
    apply_mode();
}

void next_mode(int32_t step) {
    if (!mail_and_address_offered()) return;
    int32_t mode = g_shell.mode + step;
    if (mode < 0 || mode > 2) return;
    select_mode(mode, true);
}

// Command IDM_DELETE_SETTINGS: empty the ini file or delete the registry key, then close
// without saving.
void delete_settings_and_quit() {
    UserMessage question = {};
    int32_t branch = settings_reset_question(&question);
    int answer = show_user_message(question);
    if (branch == ResetIni) {
        if (answer != IDYES) return;
        reset_ini_settings();
        SendMessageW(g_shell.window, WM_CLOSE, 0, 0);
        return;
    }
    if (answer != IDOK) return;
    UserMessage outcome = {};
    int32_t result = delete_registry_settings(true, &outcome);
    show_user_message(outcome);
    if (result == 0) SendMessageW(g_shell.window, WM_CLOSE, 0, 0);
}

void select_all() {
    HWND focus = GetFocus();
    if (focus == nullptr) return;
    wchar_t name[32];
    GetClassNameW(focus, name, 32);
    if (lstrcmpiW(name, L"Edit") == 0) SendMessageW(focus, EM_SETSEL, 0, -1);
}

void insert_split_mark() {
    HWND text = form_item(IDC_TEXT);
    if (text != nullptr && GetFocus() == text) on_form_command(IDC_SPLIT, BN_CLICKED, form_item(IDC_SPLIT));
}

}  // namespace

int32_t dispatch_command(int32_t id) {
    switch (id) {
        case IDM_EXIT: SendMessageW(g_shell.window, WM_CLOSE, 0, 0); return 1;
        case IDM_TOOLBAR:
            set_int_setting(SettingDispToolbar, int_setting(SettingDispToolbar) ? 0 : 1);
            show_toolbar(int_setting(SettingDispToolbar) != 0);
            return 0;
        case IDM_WORD_WRAP: toggle_word_wrap(); return 0;
        case IDM_HELP: open_help(); return 0;
        case IDM_DELETE_SETTINGS: delete_settings_and_quit(); return 0;
        case IDM_VERSION: show_version_box(); return 0;
        case IDM_NEXT_MODE: next_mode(1); return 0;
        case IDM_PREVIOUS_MODE: next_mode(-1); return 0;
        case IDM_SELECT_ALL: select_all(); return 0;
        case IDM_SPLIT_MARK: insert_split_mark(); return 0;
        case IDM_FOCUS_NEXT: move_focus(1); return 0;
        case IDM_FOCUS_PREVIOUS: move_focus(-1); return 0;
        case IDM_OPEN_TEXT: open_text_command(); return 0;
        case IDM_TEXT_SAVE: save_text_command(); return 0;
        case IDM_SAVE_BMP: save_shown_bitmap_command(); return 0;
        case IDM_SAVE_ALL_BMP: save_all_bitmaps_command(); return 0;
        case IDM_SAVE_DATA: save_data_command(); return 0;
        case IDM_RESUME: toggle_resume(); return 0;
        case IDM_EMOJI_DELETE:
        case IDM_EMOJI_LEFT:
        case IDM_EMOJI_RIGHT:
        case IDM_EMOJI_CHANGE:
        case IDM_EMOJI_FIX: emoji_history_command(id); return 0;
        case IDM_PRINT: print_command(); return 0;
        case IDM_COPY_IMAGE: copy_symbol_to_clipboard(); return 0;
        case IDM_OPTIONS: options_command(); return 0;
        case IDM_IMPORT: import_command(); return 0;
        case IDM_HISTORY_ADD:
        case IDM_HISTORY_REMOVE: mail_history_command(id); return 0;
        default: break;
    }
    if (id >= IDM_BACKGROUND_NONE && id <= IDM_BACKGROUND_WHITE) choose_background(id);
    if (id >= IDM_DOMAIN_FIRST && id <= IDM_DOMAIN_LAST) mail_history_command(id);
    if (id >= IDM_STORED_MAIL_FIRST && id <= IDM_STORED_MAIL_LAST) put_stored_mail(id);
    return 0;
}
