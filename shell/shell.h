// The Mivoka window: process entry pieces, the main window with its message
// loop, timers and command dispatch, and the main form with its modes,
// layout, bars and focus ring. Win32 only; user-interface thread only.
//
// Text inside stays Shift_JIS: controls are read and written through the W
// functions with code page 932 conversion here at the boundary. Modal
// dialogs and message boxes go through seams tests can answer.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "settings/settings_tables.h"

// --- Seams ---------------------------------------------------------------------

// Shows a message box (UTF-16); returns the button pressed (IDOK, IDYES ...).
typedef int (*MessageBoxSeam)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
// The system colour chooser: colour (0x00BBGGRR) in and out; true for OK.
typedef bool (*ColourChooserSeam)(HWND owner, uint32_t* colour);
// Opens a file or an address (UTF-16) with the system's default handler
// (the verb "open"); true when it was opened.
typedef bool (*ShellOpenSeam)(HWND owner, const wchar_t* target);
// Null puts the system's own back.
void set_message_box_seam(MessageBoxSeam seam);
void set_colour_chooser_seam(ColourChooserSeam seam);
// The system's open (save false) or save file dialog: TRUE for OK with the
// chosen name in dialog->lpstrFile. A dialog with an add-on panel carries
// its template (hInstance, lpTemplateName) and hook (lpfnHook), which takes
// WM_INITDIALOG with the record as lParam and WM_NOTIFY CDN_FILEOK at
// confirmation; the system's own (show_item_dialog) shows the current
// IFileDialog and drives that hook on a hidden panel. Null puts it back.
typedef BOOL (*FileDialogSeam)(OPENFILENAMEW* dialog, bool save);
void set_file_dialog_seam(FileDialogSeam seam);
// The command line the start-up takes its document from (UTF-16, the
// program first); null: the process's own.
void set_start_command_line(const wchar_t* commandLine);
void set_shell_open_seam(ShellOpenSeam seam);
// The printer print jobs go to (output/output.h); null: the system's
// default printer.
struct PrinterDriver;
void set_printer_seam(const PrinterDriver* driver);

// The DPI of a window as the system reports it (tests stand in other
// displays); null puts the system's own back.
typedef UINT (*DpiSeam)(HWND window);
void set_dpi_seam(DpiSeam seam);

// The one place Shift_JIS messages become UTF-16 message boxes.
int show_message(HWND owner, const char* text, const char* caption, UINT flags);

// --- Main window ------------------------------------------------------------------

// At 96 dpi; the window scales them to its display (display_scale.cpp).
constexpr int32_t kMinWindowWidth = 780;
constexpr int32_t kMinWindowHeight = 580;

// Common controls and the window class "Mivoka". 0 done, 1 failed.
int32_t register_main_class(HINSTANCE instance);
// Creates and shows the main window (WM_CREATE does the start-up work);
// null when it cannot be created.
HWND create_main_window(HINSTANCE instance, int showCommand);
HWND main_window();
HWND main_form();
HWND status_bar();
HWND toolbar();
// One message of the loop: accelerators of table IDA_MAIN_ACCELERATORS against the main
// window, else translated and dispatched. The form's messages are not passed
// through dialog-key handling: Tab is the accelerator of command IDM_FOCUS_NEXT.
void handle_message(MSG* msg);
// The message loop; returns the quit message's wParam.
int run_message_loop();

// Runs a menu, accelerator or toolbar command. 0 or 1 (1 for the exit
// command among others); the value has no further effect.
int32_t dispatch_command(int32_t id);

// The save-kind dialog (IDD_SAVE_KIND) of the toolbar's "データを保存": "BMP" marked at
// opening; OK gives the marked kind, the close box nothing.
enum SaveKind : int32_t { SaveKindNothing = 0, SaveKindBitmap = 1, SaveKindText = 2 };
int32_t ask_save_kind(HWND owner);

// --- Main form ------------------------------------------------------------------------

// The radio of a mode (IDC_MODE_TEXT to IDC_MODE_ADDRESS) clicked, or Alt+Left/Right: the mode's
// controls shown, the others hidden, then (generate) a pass with restart.
void switch_mode(int32_t radio, bool generate);
// Shows the controls of the current mode for the current carrier (the
// switch without a generation).
void apply_mode();
// 0 start-up (sizes only), 1 normal, 2 forced (every control placed).
void layout_form(int32_t level);
// Re-creates the text field IDC_TEXT and the body IDC_BODY with the word-wrap
// setting, keeping their texts.
void recreate_text_fields();
// Destroys the toolbar and creates it again when on; lays out the form.
void show_toolbar(bool on);
// Focus to the next (+1) or previous (-1) enabled, visible place of the ring.
void move_focus(int32_t direction);

// --- Secondary dialogs ------------------------------------------------------------------

// Dialog IDD_FIRST_MESSAGE "First Message" showing text (Shift_JIS), modal, owned by the
// main window, its top-left corner at the desktop's centre less (160, 100).
void show_first_message(const char* text);
// Dialog IDD_VERSION, the version box (command IDM_VERSION), modal, owned by the main
// window. Its links open with the system's default handler.
void show_version_box();

// --- Print settings ---------------------------------------------------------------------

// What the print settings dialog (IDD_PRINT) shows and gives back.
struct PrintChoice {
    int32_t type;                   // PrintShown .. PrintRegistered (output/output.h)
    int32_t size;                   // 0 to 9, the size list's item
    int32_t carrier;                // names registered codes UTF-8 when Utf8
    const PrinterDriver* printer;   // null: the system's default printer
    bool stored;                    // out: the type and size are to be stored
};
// The print settings dialog, modal, owned by owner. True when "閉じる", or
// "印刷(&P)" at any time of the opening (even when printing failed), gave
// the marked type and size to be stored; Cancel and the close box give
// false. Registering and deleting codes change the registered codes at once.
bool show_print_settings(HWND owner, PrintChoice* choice);

// --- Options, import and mail history ------------------------------------------------------

// What the options sheet shows and, at OK, gives back: page "ファイル" (the
// extension filter) and page "表示" (its lists' selections and the check box).
constexpr int32_t kOptionPages = 2;
constexpr int32_t kOptionLists = 5;
struct OptionsChoice {
    char extFilter[kSettingTextBytes];   // Shift_JIS
    // Level, lowest and highest version, line width and timer, as "redunrate",
    // "qrver1", "qrver2", "previewno" and "quick" hold them.
    int32_t lists[kOptionLists];
    bool oneCode;
    bool utf8Forms;                 // "UTF-8でもメールとアドレス帳を作成する"
    int32_t page;                   // in: the page to open on; out: the one showing at OK
    bool stored[kOptionPages];      // out: the page was shown, and OK gave its fields
};
// The options property sheet, modal, owned by owner, working on choice
// only. True for OK, with the fields of each page shown during this
// opening; Cancel leaves choice as it came.
bool show_options(HWND owner, OptionsChoice* choice);
// Shows a popup menu at screen point (x, y) for owner, to which the chosen
// item is sent as its command. Null puts the system's own back.
typedef void (*PopupMenuSeam)(HMENU menu, int32_t x, int32_t y, HWND owner);
void set_popup_menu_seam(PopupMenuSeam seam);
// The "+" button's popup menu (the caller destroys it).
HMENU build_history_menu();
// Dialog IDD_ADD_ADDRESS "メールアドレスを履歴に追加", owned by the main form: address
// (read-only) and displayName (editable), Shift_JIS, room 128 each. OK
// gives both fields; Cancel or the close box empties both and gives false.
bool ask_address_for_history(char* address, char* displayName);
