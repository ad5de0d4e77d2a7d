// Driving the real main window in tests: a private program folder with the
// ini back-end and QR2DLL, opening and closing the window, pumping its
// messages, typing into controls and reading what the user would see; the
// modal dialogs it opens and what it hands to the system's default handler.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

// The folder the window takes as its own ("use.ini" and QR2DLL.dll in it),
// made once per test program; its Mivoka.ini is removed by fresh_settings.
const std::string& test_app_folder();
// Takes QR2DLL.dll out of the folder or puts it back (while no window is open).
void set_external_encoder_present(bool present);
// Puts help\index.html (copied from beside the test program) into the folder
// or takes it away.
void set_help_page_present(bool present);
// Starts from default settings: removes the folder's Mivoka.ini and resume.txt.
void fresh_settings();
// Writes Mivoka.ini with these lines under [Base] (UTF-8 is not needed: keys
// and values are ASCII).
void write_settings(const char* lines);
std::string settings_file_text();

// Opens the main window from the current settings and runs its start-up
// (timer IDT_START_UP); closes it again. The exit save runs only when asked for:
// writing the ini file key by key takes seconds under Wine.
void open_window();
// The command-line document (UTF-8 path) of the next open_window only; by
// default the window starts with no argument.
void set_start_document(const char* utf8Path);
void close_window(bool save = false);

// Runs the message loop for ms milliseconds, or until done returns true.
void pump_for(int32_t ms);
bool pump_until(bool (*done)(), int32_t timeoutMs);
// Until the generation is over: status Idle, no worker busy.
bool wait_for_generation();
// Codes in the code list now.
int32_t code_count();

HWND item(int32_t id);
// Texts in UTF-8.
void set_text(int32_t id, const char* utf8);
std::string text_of(HWND control);
std::string text_of_item(int32_t id);
std::string status_text(int32_t part);
bool enabled(int32_t id);
bool visible(int32_t id);
bool checked(int32_t id);
// A button click the way the user makes it (BM_CLICK).
void click(int32_t id);
// A menu, accelerator or toolbar command to the main window.
void command(int32_t id);
// Drops files (UTF-8 paths) on the main window as the shell does.
void drop_files(const std::vector<std::string>& paths);
// Chooses item index of a combo box and tells the form.
void choose_item(int32_t id, int32_t index);
// A key through the message loop with the given modifier keys held
// (VK_CONTROL, VK_SHIFT, VK_MENU; 0 for none), to the focused control.
void press_key(UINT key, UINT modifier);

// Message boxes the window showed since the last reset: last text and
// caption in UTF-8, and their count.
struct ShownMessage {
    int32_t count;
    std::string text;
    std::string caption;
    UINT flags;
};
ShownMessage& shown_messages();
// The button the next message boxes answer with; 0 (the default after
// open_window): Yes for Yes/No boxes, OK for the others.
void set_message_answer(int answer);

// The colour of the preview area's pixel (x, y) as 0x00BBGGRR.
uint32_t preview_pixel(int32_t x, int32_t y);

// File dialogs, answered through the seam. The next dialogs answer with a
// name (UTF-8) or Cancel; a dialog with a hook gets its child made from the
// template with the command's hook (an empty child without a template), its
// list set to listIndex (-1: left as it opened), and, unless cancelled, the
// confirmation (the CDN_FILEOK notification). A name the hook refuses keeps
// the dialog open: the user then types the next name given to
// retype_after_refusal, or cancels when none is left.
void answer_file_dialogs(const char* utf8Name, int32_t listIndex = -1);
void retype_after_refusal(const char* utf8Name);
// The file type (from 0, in the filter's order) the next dialogs are
// confirmed with, until open_window; -1: the one they offer.
void choose_file_type(int32_t type);
void cancel_file_dialogs(int32_t listIndex = -1);
// What the last file dialog showed, and how many were shown since open_window.
struct ShownFileDialog {
    int32_t count;
    bool save;
    std::string title;                  // UTF-8
    std::vector<std::string> filter;    // label, pattern, label, pattern ...
    DWORD flags;
    HWND owner;
    std::string offeredName;            // the name buffer at opening
    int32_t offeredType;                // the file type offered, from 0
    int32_t panelTemplate;              // 0 without a panel
    std::string panelLabel;
    int32_t listId;
    std::vector<std::string> listItems; // the panel's list when it opened
    int32_t listSelection;              // its selection when it opened
    int32_t refusals;                   // names the hook refused, since open_window
    std::string keptName;               // the name the dialog held at the last refusal
};
ShownFileDialog& shown_file_dialogs();

// Bytes of a file ("" when missing) and writing one; paths in UTF-8.
std::string file_bytes(const std::string& utf8Path);
void write_file(const std::string& utf8Path, const std::string& bytes);
bool file_exists(const std::string& utf8Path);
void remove_file_at(const std::string& utf8Path);
// A folder of its own for a test's files, emptied (subfolders removed); ends
// with a backslash.
std::string test_files_folder(const char* name);
// UTF-8 text as Shift_JIS bytes.
std::string sjis(const char* utf8);
// Runs the command-line tool built beside the test program with the
// arguments (UTF-8), its standard output into the file stdoutPath when
// given; its exit code, -1 when it did not run.
int run_tool(const std::string& arguments, const std::string& stdoutPath = "");
// Text between the system's UTF-16 and the tests' UTF-8.
std::string utf8_of(const wchar_t* wide);
std::wstring wide_of(const std::string& utf8);

// Modal dialogs (top-level dialog windows that disable their owner; a modeless
// one is left to the test) the window opens. Once one is shown, the handler
// runs inside the dialog's own message loop and is to
// close it; a dialog still shown 300 ms after its handler is closed here and
// counted as left open, so no test waits for a person.
typedef void (*DialogHandler)(HWND dialog);
struct ShownDialogs {
    int32_t count;
    std::string caption;   // of the last one, UTF-8
    int32_t leftOpen;
};
ShownDialogs& shown_dialogs();
// Null (the default): OK pressed as the user presses it. Kept across
// open_window, so a handler can answer the dialog its start-up shows.
void set_dialog_handler(DialogHandler handler);
// Popup menus (TrackPopupMenu) the window opened since open_window: each is
// read once shown and dismissed, as if the user pressed Escape; a test
// then sends the command the user would have picked. The last menu's item
// ids and GetMenuState flags in menu order (separators: id 0).
struct ShownPopupMenu {
    int32_t count;
    std::vector<int32_t> ids;
    std::vector<UINT> states;
};
ShownPopupMenu& shown_popup_menus();
// The state flags of item id in the last popup menu (0xFFFFFFFF: absent).
UINT popup_item_state(int32_t id);
// Presses a dialog's button (BM_CLICK).
void press_dialog_button(HWND dialog, int32_t id);
std::string dialog_item_text(HWND dialog, int32_t id);

// What the window handed to the system's default handler since open_window
// (last target in UTF-8). The recording seam answers as the system would:
// a path opens only when the file exists, any other target opens.
struct ShellOpens {
    int32_t count;
    std::string target;
};
ShellOpens& shell_opens();
