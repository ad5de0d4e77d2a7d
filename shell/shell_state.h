// What the shell's files share: the one record of window handles and form
// state, the control text conversions and the handlers each file provides.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "shell/shell.h"

// Posted to the main window when the generation changed indicators.
constexpr UINT kIndicatorMessage = WM_APP + 1;

struct ShellState {
    HINSTANCE instance;
    HWND window;
    HWND form;
    HWND toolbar;
    HWND statusBar;
    HWND preview;
    HACCEL accelerators;
    int32_t dpi;             // of the window's display; the layout's pixels are for 96
    HFONT formFont;          // the form's 9-point font at that DPI
    int32_t mode;            // InputMode of the form
    int32_t layoutPasses;    // the first two use the minimum size
    bool sessionSaved;       // the resume file and settings were written this run
    bool dropGuard;
    bool importPresent;      // imported address data is shown
    int32_t optionsPage;     // the options page showing at the last OK of this run
    HFONT fieldFont;         // IDC_TEXT and IDC_BODY
    HFONT viewFont;          // text-data view IDC_TEXT_VIEW
    HFONT boldFont;          // create buttons
    HFONT arrowFont;         // "⇔" of the birthday
    HBRUSH backgroundBrush;  // tiles of "bgno", or null for the button face
    HBRUSH whiteBrush;
    HBRUSH tintBrush;        // text-data view
};
extern ShellState g_shell;

struct UserMessage;
struct TypedTextNotes;

// --- Control texts (ui_text.cpp) ----------------------------------------------------

// The control's text as Shift_JIS, cut at a character boundary to room - 1
// bytes; returns its length.
int32_t control_text(HWND control, char* out, int32_t room);
// A form field's text as the target takes it (see payload/typed_text.h):
// keepEvery for UTF-8; what cannot be kept as typed is added to notes.
int32_t field_text(HWND control, char* out, int32_t room, bool keepEvery, TypedTextNotes* notes);
// Sets a control's text from Shift_JIS.
void set_control_text(HWND control, const char* text);
// Shift_JIS to UTF-16 into out (room units, terminator included).
void to_wide(const char* text, wchar_t* out, int32_t room);
// A message box whose Shift_JIS format holds one "%s" for name, a UTF-8
// path shown exactly; reason (UTF-8, may be null or empty) follows on lines
// of its own.
int show_message_naming(HWND owner, const char* format, const char* name, const char* reason, const char* caption,
                        UINT flags);
// The failure of an explicit file action: format ("%s" for path) and the
// system's reason kept by the file layer, over the main window.
void report_file_failure(const char* format, const char* path);
// A message the persistence side composed (0 when it asks for none).
int show_user_message(const UserMessage& message);
HWND form_item(int32_t id);
bool is_checked(int32_t id);
// The colour chooser through its seam.
bool choose_colour(HWND owner, uint32_t* colour);

// --- Display scale (display_scale.cpp) ---------------------------------------------------

constexpr int32_t kBaseDpi = 96;
// The window's DPI (GetDpiForWindow where the system has it, else the
// screen's LOGPIXELSY), through the seam.
int32_t window_dpi(HWND window);
// Pixels of the 96-dpi layout at the window's DPI.
int32_t scaled(int32_t pixels);
// Pixels at the window's DPI back to 96 dpi.
int32_t scaled_back(int32_t pixels);
// 2 from 200 % on, where the images drawn at twice the size are used; 1 below.
int32_t image_factor();

// --- Main form (main_form.cpp) ---------------------------------------------------------

HWND create_main_form(HWND parent);
void destroy_main_form();
// The deferred set-up of timer IDT_START_UP.
void finish_form_set_up();
// Notifications of the form's controls.
void on_form_command(int32_t id, int32_t code, HWND control);
void on_size_slider();
// The "自動" check box as if clicked.
void apply_auto_check();
// A wheel message that reached the main window while the birthday field
// has the focus goes to the field; false when it does not have it.
bool forward_birthday_wheel(WPARAM wParam, LPARAM lParam);
// Background brushes for "bgno"; repaints the form.
void apply_background();

// --- Form layout (form_layout.cpp) -----------------------------------------------------

// Puts the template's controls where the form's dialog units place them on
// Windows, whatever the metrics of the font standing in for the form's.
void place_at_reference_units();
// Those places at the display's DPI.
void place_template_controls();
// The template's controls, fonts, images and layout at the display's DPI
// (start-up after the form is made, and WM_DPICHANGED with the new DPI).
void apply_display_scale();
// WM_DPICHANGED: the new DPI and the window's suggested rectangle.
void on_dpi_changed(int32_t dpi, const RECT* suggested);
void fill_encoding_combo();
void on_encoding_changed();
void set_mode_radios_visible(bool visible);
// Mail and address modes exist for the Shift_JIS targets, and for UTF-8
// while the option "utf8forms" is on.
bool mail_and_address_offered();
// Checks the radio of mode (0-2) alone and switches to it.
void select_mode(int32_t mode, bool generate);
// Height of the form's top when the toolbar is shown (at 96 dpi).
constexpr int32_t kToolbarFormTop = 26;

// --- Generation on screen (generation_view.cpp) ------------------------------------------

// Fills g_form from the controls and the pass settings (a FillForm).
void fill_form(void* context);
// Connects the driver's indicators to the main window.
void connect_indicators();
void disconnect_indicators();
// The posted indicator message: applies what changed.
void apply_indicators();
// Timer IDT_PUMP.
void on_pump_timer();
void restart_pump(int32_t interval);
// A pass with restart on this thread (mode, encoding, options changes).
void generate_now();
// Paints the preview area IDC_PREVIEW (subclassed).
void attach_preview(HWND preview);
// Shows and hides the save-all command by the driver's flag.
void apply_save_all(bool enabled);

// --- Bars and placement (bars.cpp) -------------------------------------------------------

void create_status_bar();
void set_status_parts(int32_t width);
// Gives the status bar's third part room while it holds a note, none otherwise.
void show_status_note(bool shown);
int32_t status_bar_height();
// Toolbar tooltip text request.
bool on_toolbar_notify(NMHDR* header);
void enable_command(int32_t id, bool enabled);
void check_menu(int32_t id, bool checked);
void place_window_at_start();

// --- File dialogs (file_dialogs.cpp) ----------------------------------------------------

// The shared name buffer holds 260 UTF-16 units; a name in UTF-8 needs up
// to three bytes for each.
constexpr int32_t kFileNameChars = 260;
constexpr int32_t kFileNameBytes = 3 * kFileNameChars;
enum FileDialogPanel : int32_t { NoPanel = 0, NumberingPanel = 1, TextKindPanel = 2 };
struct FileDialogRequest {
    bool save;
    const char* title;    // Shift_JIS
    const char* filter;   // Shift_JIS label and pattern pairs, each NUL-ended, then an empty text
    DWORD flags;
    int32_t panel;        // FileDialogPanel: its template and hook are added
    // Forms the name the command writes from the confirmed one and the
    // file type chosen (0 done); set, the dialog asks before that name
    // replaces an existing file, and No keeps the dialog open. Null: no
    // question.
    int32_t (*finalName)(char* path, int32_t room, int32_t fileType);
    // The file type offered, from 0 in the filter's order, and after OK the
    // one chosen. Null: the first, not reported.
    int32_t* fileType;
};
// The system's current file dialog shown from the record (item_dialog.cpp);
// the record's hook and panel work as in the older dialogs.
BOOL show_item_dialog(OPENFILENAMEW* record, bool save);
struct IFileDialog;
// The record's flags as the dialog's options, in place of the system's defaults for them.
void set_dialog_options(IFileDialog* dialog, DWORD flags, bool save);
// Window creation: the record's owner is the main window, its name empty.
void prepare_file_dialogs();
// The shared dialog with the request's title, filter and flags; out (room
// kFileNameBytes) gets the chosen name in UTF-8, as confirmed (before
// finalName). false for Cancel.
bool choose_file(const FileDialogRequest& request, char* out);

// --- File commands (save_commands.cpp, document_commands.cpp) ------------------------------

void save_shown_bitmap_command();
void save_all_bitmaps_command();
void save_data_command();
void open_text_command();
void save_text_command();
void toggle_resume();
// Copies g_form's fields into their controls after a document or an import
// was read into g_form (generation_view.cpp, beside fill_form).
void show_form_fields();
// Window creation: the file dialogs and the accepted extensions of "extfilter".
void prepare_documents();
// Timer IDT_START_UP: the command-line document, else the resume file.
void open_start_up_document();
// WM_DROPFILES: reads the drop unless the drop guard is up, then raises it.
void on_drop_files(HDROP drop);
// WM_DESTROY, before the settings are saved: the resume file when "resume" is on.
void write_resume_at_exit();

// --- Emoji row (emoji_bar.cpp) ------------------------------------------------------------

// Inserts a textual emoji code into the insertion target and focuses it.
void insert_emoji_text(const char* code);
// Pump ticks: the focused input field becomes the insertion target.
void sample_emoji_target();
// A mode switch: the mode's main field becomes the insertion target.
void reset_emoji_target();
// Labels and pictures of the current carrier's history.
void refresh_emoji_history_bar();
void draw_history_picture(const DRAWITEMSTRUCT* item);
// Clicks on IDC_EMOJI, the labels IDC_HISTORY_LABEL_FIRST to _LAST and
// the pictures IDC_HISTORY_PICTURE_FIRST to _LAST.
void on_emoji_control(int32_t id);
// History menu commands IDM_EMOJI_DELETE to IDM_EMOJI_FIX for the slot whose menu was opened.
void emoji_history_command(int32_t id);

// --- Dialogs (dialogs.cpp) -------------------------------------------------------------

// Hands target (a UTF-8 path or address) to the system's default handler through the
// shell-open seam; true when it was opened.
bool open_with_default_handler(HWND owner, const char* target);

// --- Printing and the clipboard (print_dialog.cpp, clipboard_command.cpp) ----------------

struct Raster;
// Command IDM_PRINT: the print settings dialog.
void print_command();
// Command IDM_COPY_IMAGE.
void copy_symbol_to_clipboard();
// The finished raster of a copy: onto the clipboard, then the status note
// and timer IDT_STATUS_RESTORE.
void deliver_to_clipboard(const Raster& raster);

// --- Options, import and mail history (options_sheet.cpp, import_controls.cpp,
// mail_history_menu.cpp, main_form.cpp) ------------------------------------------------------

// Command IDM_OPTIONS: the options sheet on the page showing at its last OK
// of this run; OK stores what it gives and re-applies what uses it.
void options_command();
// The fixed-pitch font "ＭＳ ゴシック" at a height (the caller deletes it).
HFONT make_fixed_font(int32_t height);
// The text-data view's font at the height LineWidths gives "previewno".
void apply_view_font();
// After a successful import: address mode with the import panel
// (document_commands.cpp).
void show_imported_records();
// Command IDM_IMPORT.
void import_command();
// The import spin's end of scroll: the next or previous record.
void on_import_spin();
// The spin's position becomes the one its next click is compared with (its
// set-up and every successful import).
void sync_import_spin();
// The import panel's clear button.
void clear_imported_records();
// The To combo box's list from the history, when the form is created.
void fill_to_combo();
// Shows the "+" popup menu at the mouse cursor.
void show_history_menu();
// Its right-button handler, attached in the deferred set-up.
void attach_history_button();
// Commands IDM_HISTORY_ADD, IDM_HISTORY_REMOVE and IDM_DOMAIN_FIRST to
// IDM_DOMAIN_LAST.
void mail_history_command(int32_t id);
// Commands IDM_STORED_MAIL_FIRST to _LAST: the stored entry "usrmailv1".."usrmailv5" into the To field.
void put_stored_mail(int32_t id);
