// What the shell's files share: the one record of window handles and form
// state, the control text conversions and the handlers each file provides.
#pragma once

#include <windows.h>

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
    int32_t mode;            // InputMode of the form
    int32_t layoutPasses;    // the first two use the minimum size
    bool dropGuard;
    bool importPresent;      // imported address data is shown
    HFONT fieldFont;         // text 1029 and body 1321
    HFONT viewFont;          // text-data view 1848
    HFONT boldFont;          // create buttons
    HFONT arrowFont;         // "⇔" of the birthday
    HBRUSH backgroundBrush;  // tiles of "bgno", or null for the button face
    HBRUSH whiteBrush;
    HBRUSH tintBrush;        // text-data view
};
extern ShellState g_shell;

struct UserMessage;

// --- Control texts (ui_text.cpp) ----------------------------------------------------

// The control's text as Shift_JIS, cut at a character boundary to room - 1
// bytes; returns its length.
int32_t control_text(HWND control, char* out, int32_t room);
// Sets a control's text from Shift_JIS.
void set_control_text(HWND control, const char* text);
// Shift_JIS to UTF-16 into out (room units, terminator included).
void to_wide(const char* text, wchar_t* out, int32_t room);
// A message the persistence side composed (0 when it asks for none).
int show_user_message(const UserMessage& message);
HWND form_item(int32_t id);
bool is_checked(int32_t id);
// The colour chooser through its seam.
bool choose_colour(HWND owner, uint32_t* colour);

// --- Main form (main_form.cpp) ---------------------------------------------------------

HWND create_main_form(HWND parent);
void destroy_main_form();
// The deferred set-up of timer 1250.
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

void fill_encoding_combo();
void on_encoding_changed();
void set_mode_radios_visible(bool visible);
// Height of the form's top when the toolbar is shown.
constexpr int32_t kToolbarFormTop = 26;

// --- Generation on screen (generation_view.cpp) ------------------------------------------

// Fills g_form from the controls and the pass settings (a FillForm).
void fill_form(void* context);
// Connects the driver's indicators to the main window.
void connect_indicators();
void disconnect_indicators();
// The posted indicator message: applies what changed.
void apply_indicators();
// Timer 1252.
void on_pump_timer();
void restart_pump(int32_t interval);
// A pass with restart on this thread (mode, encoding, options changes).
void generate_now();
// Paints the preview area 1064 (subclassed).
void attach_preview(HWND preview);
// Shows and hides the save-all command by the driver's flag.
void apply_save_all(bool enabled);

// --- Bars and placement (bars.cpp) -------------------------------------------------------

void create_status_bar();
void set_status_parts(int32_t width);
int32_t status_bar_height();
// Toolbar tooltip text request.
bool on_toolbar_notify(NMHDR* header);
void enable_command(int32_t id, bool enabled);
// Greys the menu items of the commands command_available refuses.
void disable_later_commands();
void check_menu(int32_t id, bool checked);
void place_window_at_start();

// --- Dialogs (dialogs.cpp) -------------------------------------------------------------

// Hands target (Shift_JIS) to the system's default handler through the
// shell-open seam; true when it was opened.
bool open_with_default_handler(HWND owner, const char* target);
