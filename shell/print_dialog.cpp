// The print settings dialog (IDD_PRINT, command IDM_PRINT): the print type and size,
// registering codes for printing, and printing on the default printer.
#include <windows.h>

#include <cwchar>
#include <initializer_list>

#include "output/output.h"
#include "output/win32/output_win32.h"
#include "payload/payload.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"

namespace {

const PrinterDriver* g_printer = nullptr;   // null: the default printer
char g_panel[kPayloadBytes];

int32_t marked_type(HWND dialog) {
    for (int32_t type = PrintShown; type <= PrintRegistered; ++type) {
        if (IsDlgButtonChecked(dialog, IDC_PRINT_SHOWN + type) == BST_CHECKED) return type;
    }
    return PrintShown;
}

int32_t list_selection(HWND dialog, int32_t id) {
    return static_cast<int32_t>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

// The panel shows entry for type 2 (-1: none); the list and its buttons
// serve type 2 only.
void show_panel(HWND dialog, int32_t type, int32_t entry) {
    print_panel_text(type, entry, int_setting(SettingCarrier), g_panel, sizeof g_panel);
    set_control_text(GetDlgItem(dialog, IDC_PRINT_TEXT), g_panel);
    bool registered = type == PrintRegistered;
    for (int32_t id : {IDC_REGISTERED_LIST, IDC_REGISTERED_DELETE, IDC_REGISTER}) {
        EnableWindow(GetDlgItem(dialog, id), registered);
    }
}

void show_type(HWND dialog, int32_t type) {
    show_panel(dialog, type, type == PrintRegistered ? list_selection(dialog, IDC_REGISTERED_LIST) : -1);
}

// Items " 1" .. count (two columns, as the numbers of the size list).
void fill_numbers(HWND dialog, int32_t id, int32_t count) {
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    wchar_t number[8];
    for (int32_t k = 1; k <= count; ++k) {
        std::swprintf(number, 8, L"%2d", k);
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number));
    }
}

void init_dialog(HWND dialog) {
    int32_t type = int_setting(SettingPrintType);
    CheckRadioButton(dialog, IDC_PRINT_SHOWN, IDC_PRINT_REGISTERED, IDC_PRINT_SHOWN + type);
    fill_numbers(dialog, IDC_REGISTERED_LIST, RegisteredCodes.count);
    SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_SETCURSEL, 0, 0);
    fill_numbers(dialog, IDC_PRINT_SIZE, 10);
    SendDlgItemMessageW(dialog, IDC_PRINT_SIZE, CB_SETCURSEL, int_setting(SettingPrintSize), 0);
    show_type(dialog, type);
}

void register_code(HWND dialog) {
    int32_t result = register_shown_code(int_setting(SettingCarrier));
    if (result != RegisterDone) {
        show_message(dialog, result == RegisterFull ? kRegisterFullText : kNothingToRegisterText, "",
                     MB_OK | MB_ICONWARNING);
        return;
    }
    int32_t last = RegisteredCodes.count - 1;
    fill_numbers(dialog, IDC_REGISTERED_LIST, RegisteredCodes.count);
    SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_SETCURSEL, last, 0);
    show_panel(dialog, PrintRegistered, last);
}

// The list selects the entry before the deleted one; the panel shows the
// entry that moved into its place.
void delete_code(HWND dialog) {
    auto c = static_cast<int32_t>(SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_GETCOUNT, 0, 0));
    int32_t a = list_selection(dialog, IDC_REGISTERED_LIST);
    if (c <= 0 || a < 0 || delete_registered_code(a) != 0) return;
    SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_DELETESTRING, c - 1, 0);
    SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_SETCURSEL, a - 1 > 0 ? a - 1 : 0, 0);
    int32_t shown = a < c - 2 ? a : c - 2;
    show_panel(dialog, PrintRegistered, shown > 0 ? shown : 0);
}

void store_settings(HWND dialog) {
    IntSettings[SettingPrintType].value = marked_type(dialog);
    int32_t size = list_selection(dialog, IDC_PRINT_SIZE);
    if (size >= 0) IntSettings[SettingPrintSize].value = size;
}

// True when it printed (the dialog then closes).
bool print_now(HWND dialog) {
    store_settings(dialog);
    const PrinterDriver& driver = g_printer != nullptr ? *g_printer : default_printer_driver();
    int32_t result = print_codes(driver, int_setting(SettingPrintType), int_setting(SettingPrintSize));
    if (result == PrintNoPrinter) show_message(dialog, kPrintErrorText, kPrintErrorCaption, MB_OK | MB_ICONINFORMATION);
    if (result == PrintNoData) show_message(dialog, kNoDataToPrint, kNoDataCaption, MB_OK | MB_ICONWARNING);
    return result == PrintDone;
}

void on_command(HWND dialog, int32_t id, int32_t code) {
    switch (id) {
        case IDC_PRINT_SHOWN:
        case IDC_PRINT_ALL:
        case IDC_PRINT_REGISTERED:
            if (code == BN_CLICKED) show_type(dialog, id - IDC_PRINT_SHOWN);
            break;
        case IDC_REGISTERED_LIST:
            if (code == CBN_SELCHANGE) show_type(dialog, PrintRegistered);
            break;
        case IDC_REGISTER: register_code(dialog); break;
        case IDC_REGISTERED_DELETE: delete_code(dialog); break;
        case IDC_PRINT_NOW:
            if (print_now(dialog)) EndDialog(dialog, IDOK);
            break;
        case IDOK:
            store_settings(dialog);
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        default: break;
    }
}

INT_PTR CALLBACK print_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: init_dialog(dialog); return TRUE;
        case WM_COMMAND: on_command(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_CLOSE: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void set_printer_seam(const PrinterDriver* driver) { g_printer = driver; }

void print_command() {
    DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_PRINT), g_shell.window, print_dialog_proc, 0);
}
