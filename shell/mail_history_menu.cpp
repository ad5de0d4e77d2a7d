// The mail-address history on screen: the To combo box's list, the "+"
// button's popup menu with its commands, the add-address dialog (IDD_ADD_ADDRESS) and
// the stored entries put into the To field by IDM_STORED_MAIL_FIRST to _LAST.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "payload/form_fields.h"
#include "persistence/mail_history.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "shell/shell_state.h"

namespace {

// Dialog IDD_ADD_ADDRESS's place from the main window's top-left corner.
constexpr int32_t kAddDialogLeft = 405;
constexpr int32_t kAddDialogTop = 210;

void system_popup_menu(HMENU menu, int32_t x, int32_t y, HWND owner) {
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_LEFTBUTTON, x, y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);   // lets the menu close when the user clicks elsewhere
}

PopupMenuSeam g_popupMenu = system_popup_menu;

// The add dialog's texts: address and display name in, the confirmed ones out.
struct AddAddress {
    char* address;
    char* displayName;
};

INT_PTR CALLBACK add_address_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* texts = reinterpret_cast<AddAddress*>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        set_control_text(GetDlgItem(dialog, IDC_ADD_ADDRESS), texts->address);
        set_control_text(GetDlgItem(dialog, IDC_ADD_DISPLAY_NAME), texts->displayName);
        RECT r = {};
        GetWindowRect(g_shell.window, &r);
        SetWindowPos(dialog, nullptr, r.left + kAddDialogLeft, r.top + kAddDialogTop, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        SetFocus(GetDlgItem(dialog, IDC_ADD_DISPLAY_NAME));
        return FALSE;   // the focus is set
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    auto* texts = reinterpret_cast<AddAddress*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (LOWORD(wParam) == IDOK) {
        control_text(GetDlgItem(dialog, IDC_ADD_ADDRESS), texts->address, kMailEntryBytes);
        control_text(GetDlgItem(dialog, IDC_ADD_DISPLAY_NAME), texts->displayName, kMailEntryBytes);
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

bool ask_display_name(const char* address, char* displayName, void*) {
    char confirmed[kMailEntryBytes];
    std::strncpy(confirmed, address, kMailEntryBytes - 1);
    confirmed[kMailEntryBytes - 1] = '\0';
    return ask_address_for_history(confirmed, displayName);
}

bool confirm(const UserMessage& question, void*) { return show_user_message(question) == IDYES; }

// g_form as the controls show it now; no pass may read it meanwhile.
void take_controls() {
    join_worker();
    fill_form(nullptr);
}

// The combo box's list as g_mailList holds it; the To text stays.
void show_mail_list() {
    HWND to = form_item(IDC_TO);
    char text[kMailEntryBytes];
    control_text(to, text, sizeof text);
    SendMessageW(to, CB_RESETCONTENT, 0, 0);
    wchar_t item[kMailEntryBytes];
    for (int32_t i = 0; i < g_mailList.count; ++i) {
        to_wide(g_mailList.items[i], item, kMailEntryBytes);
        SendMessageW(to, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    set_control_text(to, text);
}

void add_to_history() {
    take_controls();
    int32_t result = add_to_mail_history({ask_display_name, confirm, nullptr});
    if (result == MailHistoryNothing) return;
    show_mail_list();
    if (result == MailHistoryReplaced) SendMessageW(form_item(IDC_TO), CB_SETCURSEL, 0, 0);
}

}  // namespace

void set_popup_menu_seam(PopupMenuSeam seam) { g_popupMenu = seam != nullptr ? seam : system_popup_menu; }

bool ask_address_for_history(char* address, char* displayName) {
    AddAddress texts = {address, displayName};
    INT_PTR answer = DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_ADD_ADDRESS), g_shell.form,
                                     add_address_proc, reinterpret_cast<LPARAM>(&texts));
    if (answer == IDOK) return true;
    address[0] = '\0';
    displayName[0] = '\0';
    return false;
}

HMENU build_history_menu() {
    HistoryMenuItem items[kHistoryMenuItemCount];
    history_menu_items(items);
    HMENU menu = CreatePopupMenu();
    wchar_t text[kMailDomainBytes + 32];
    for (const HistoryMenuItem& item : items) {
        if (item.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        to_wide(item.text, text, kMailDomainBytes + 32);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), text);
    }
    return menu;
}

void show_history_menu() {
    HMENU menu = build_history_menu();
    POINT at = {};
    GetCursorPos(&at);
    g_popupMenu(menu, at.x, at.y, g_shell.window);
    DestroyMenu(menu);
}

void fill_to_combo() {
    fill_mail_history_list();
    show_mail_list();
}

void mail_history_command(int32_t id) {
    if (id == IDM_HISTORY_ADD) {
        add_to_history();
        return;
    }
    take_controls();
    if (id == IDM_HISTORY_REMOVE) {
        if (remove_from_mail_history() == MailHistoryDone) show_mail_list();
        return;
    }
    if (complete_mail_domain(id) == MailHistoryDone) set_control_text(form_item(IDC_TO), form_field(&g_form, IDC_TO));
}

void put_stored_mail(int32_t id) {
    set_control_text(form_item(IDC_TO), mail_history_entry(id - IDM_STORED_MAIL_FIRST + 1));
}

// The "+" button: the right button opens the menu too (the left one and
// Space arrive as its click).
LRESULT CALLBACK history_button_proc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_RBUTTONUP) {
        show_history_menu();
        return 0;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

void attach_history_button() { SetWindowSubclass(form_item(IDC_HISTORY_MENU), history_button_proc, 1, 0); }
