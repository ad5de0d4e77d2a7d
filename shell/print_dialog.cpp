// The print settings dialog (IDD_PRINT, command IDM_PRINT): the print type and size,
// registering codes for printing, and printing on the default printer.
//
// The dialog works on a PrintChoice; registering and deleting codes change
// RegisteredCodes at once, as the list shows them.
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

const PrinterDriver* g_printerSeam = nullptr;   // null: the default printer

// The dialog's record, kept in its GWLP_USERDATA from WM_INITDIALOG on, and
// the text its panel shows.
struct PrintDialog {
    PrintChoice* choice;
    char panel[kPayloadBytes];
};

PrintDialog* dialog_record(HWND dialog) {
    return reinterpret_cast<PrintDialog*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

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
    PrintDialog* record = dialog_record(dialog);
    print_panel_text(type, entry, record->choice->carrier, record->panel, sizeof record->panel);
    set_control_text(GetDlgItem(dialog, IDC_PRINT_TEXT), record->panel);
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

void init_dialog(HWND dialog, PrintDialog* record) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    const PrintChoice& choice = *record->choice;
    CheckRadioButton(dialog, IDC_PRINT_SHOWN, IDC_PRINT_REGISTERED, IDC_PRINT_SHOWN + choice.type);
    fill_numbers(dialog, IDC_REGISTERED_LIST, RegisteredCodes.count);
    SendDlgItemMessageW(dialog, IDC_REGISTERED_LIST, CB_SETCURSEL, 0, 0);
    fill_numbers(dialog, IDC_PRINT_SIZE, 10);
    SendDlgItemMessageW(dialog, IDC_PRINT_SIZE, CB_SETCURSEL, choice.size, 0);
    show_type(dialog, choice.type);
}

void register_code(HWND dialog) {
    int32_t result = register_shown_code(dialog_record(dialog)->choice->carrier);
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

// The marked type and the chosen size into the choice, to be stored.
void take_marked(HWND dialog, PrintChoice* choice) {
    choice->type = marked_type(dialog);
    int32_t size = list_selection(dialog, IDC_PRINT_SIZE);
    if (size >= 0) choice->size = size;
    choice->stored = true;
}

// True when it printed (the dialog then closes).
bool print_now(HWND dialog) {
    PrintChoice* choice = dialog_record(dialog)->choice;
    take_marked(dialog, choice);
    const PrinterDriver& driver = choice->printer != nullptr ? *choice->printer : default_printer_driver();
    int32_t result = print_codes(driver, choice->type, choice->size);
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
            take_marked(dialog, dialog_record(dialog)->choice);
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        default: break;
    }
}

INT_PTR CALLBACK print_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: init_dialog(dialog, reinterpret_cast<PrintDialog*>(lParam)); return TRUE;
        case WM_COMMAND: on_command(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_CLOSE: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void set_printer_seam(const PrinterDriver* driver) { g_printerSeam = driver; }

bool show_print_settings(HWND owner, PrintChoice* choice) {
    choice->stored = false;
    PrintDialog record = {choice, ""};
    DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_PRINT), owner, print_dialog_proc,
                    reinterpret_cast<LPARAM>(&record));
    return choice->stored;
}

void print_command() {
    PrintChoice choice = {int_setting(SettingPrintType), int_setting(SettingPrintSize), int_setting(SettingCarrier),
                          g_printerSeam, false};
    if (!show_print_settings(g_shell.window, &choice)) return;
    set_int_setting(SettingPrintType, choice.type);
    set_int_setting(SettingPrintSize, choice.size);
}
