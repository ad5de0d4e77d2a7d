// Test support for the main window: see shell_support.h.
#include "tests/shell/shell_support.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "persistence/settings_store.h"
#include "pipeline/generation.h"
#include "platform/app_folder.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell.h"

std::string utf8_of(const wchar_t* wide) {
    char out[8192];
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out, nullptr, nullptr);
    return n > 0 ? std::string(out) : std::string();
}

std::wstring wide_of(const std::string& utf8) {
    wchar_t wide[8192];
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 8192);
    return wide;
}

// The tool is built in build/windows/cli/, the test program two folders
// below build/windows.
int run_tool(const std::string& arguments, const std::string& stdoutPath) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring line = exe;
    line = L"\"" + line.substr(0, line.rfind(L'\\') + 1) + L"..\\..\\cli\\mivoka-cli.exe\" " + wide_of(arguments);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = INVALID_HANDLE_VALUE;
    if (!stdoutPath.empty()) {
        out = CreateFileW(wide_of(stdoutPath).c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
        if (out == INVALID_HANDLE_VALUE) return -1;
    }
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    if (out != INVALID_HANDLE_VALUE) {
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = out;
        start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION process = {};
    // Detached: without a console of its own the tool writes to the handles
    // given (under Wine a hidden console takes its output instead).
    BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, out != INVALID_HANDLE_VALUE, DETACHED_PROCESS,
                                  nullptr, nullptr, &start, &process);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

namespace {

std::string g_folder;
ShownMessage g_messages = {0, "", "", 0};
int g_answer = 0;
std::wstring g_startCommandLine;
std::wstring g_nextStartDocument;
bool g_dialogCancels = true;
std::wstring g_dialogName;
std::vector<std::wstring> g_retypedNames;   // typed after each refusal, in order
int32_t g_dialogListIndex = -1;
int32_t g_dialogFileType = -1;   // from 0; -1: the type offered
ShownFileDialog g_fileDialogs;
ShownDialogs g_dialogs = {0, "", 0};
DialogHandler g_dialogHandler = nullptr;
HHOOK g_dialogHook = nullptr;
HWND g_pendingDialog = nullptr;
HWND g_answeredDialog = nullptr;
ShownPopupMenu g_popupMenus;
ShellOpens g_opens = {0, ""};

int record_message(HWND, const wchar_t* text, const wchar_t* caption, UINT flags) {
    ++g_messages.count;
    g_messages.text = utf8_of(text);
    g_messages.caption = utf8_of(caption);
    g_messages.flags = flags;
    if (g_answer != 0) return g_answer;
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

bool record_shell_open(HWND, const wchar_t* target) {
    ++g_opens.count;
    g_opens.target = utf8_of(target);
    bool path = target[0] != L'\0' && target[1] == L':' && target[2] == L'\\';
    return !path || GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES;
}

// --- Modal dialogs: found when created, answered once shown ---------------------------

void CALLBACK close_left_open(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!IsWindow(g_answeredDialog) || !IsWindowVisible(g_answeredDialog)) return;
    ++g_dialogs.leftOpen;
    EndDialog(g_answeredDialog, IDCANCEL);
}

void CALLBACK answer_dialog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dialog = g_pendingDialog;
    if (!IsWindow(dialog)) return;
    if (!IsWindowVisible(dialog)) {   // its loop shows it when idle
        SetTimer(nullptr, 0, 5, answer_dialog);
        return;
    }
    g_pendingDialog = nullptr;
    // A modeless dialog leaves its owner enabled: the test drives it itself.
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowEnabled(owner)) return;
    ++g_dialogs.count;
    g_dialogs.caption = text_of(dialog);
    if (g_dialogHandler != nullptr) {
        g_dialogHandler(dialog);
    } else {
        press_dialog_button(dialog, IDOK);
    }
    g_answeredDialog = dialog;
    SetTimer(nullptr, 0, 300, close_left_open);
}

// A popup menu window: its items are read, then the menu is dismissed.
void CALLBACK read_popup_menu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND window = FindWindowW(L"#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window)) {
        SetTimer(nullptr, 0, 5, read_popup_menu);
        return;
    }
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    ++g_popupMenus.count;
    g_popupMenus.ids.clear();
    g_popupMenus.states.clear();
    for (int32_t i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        g_popupMenus.ids.push_back(static_cast<int32_t>(GetMenuItemID(menu, i)));
        g_popupMenus.states.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
    }
    EndMenu();
}

bool is_menu_class(const wchar_t* name) {
    if (IS_INTRESOURCE(name)) return reinterpret_cast<ULONG_PTR>(name) == 32768;
    return lstrcmpiW(name, L"#32768") == 0;
}

bool is_dialog_class(const wchar_t* name) {
    if (IS_INTRESOURCE(name)) return reinterpret_cast<ULONG_PTR>(name) == 32770;
    return lstrcmpiW(name, L"#32770") == 0;
}

LRESULT CALLBACK watch_dialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if ((create->style & WS_CHILD) == 0 && is_dialog_class(create->lpszClass)) {
            g_pendingDialog = reinterpret_cast<HWND>(wParam);
            SetTimer(nullptr, 0, 1, answer_dialog);
        }
        if (is_menu_class(create->lpszClass)) SetTimer(nullptr, 0, 1, read_popup_menu);
    }
    return CallNextHookEx(g_dialogHook, code, wParam, lParam);
}

std::string settings_path() { return test_app_folder() + "Mivoka.ini"; }

std::vector<std::string> filter_texts(const wchar_t* filter) {
    std::vector<std::string> texts;
    for (const wchar_t* p = filter; p != nullptr && *p != L'\0'; p += wcslen(p) + 1) texts.push_back(utf8_of(p));
    return texts;
}

// The empty child the system makes for a hook without a template.
struct EmptyChildTemplate {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
};

// The hook's child as the system would make it: from the command's template
// (or empty without one), with its hook as the dialog procedure and the
// record as WM_INITDIALOG's lParam.
HWND make_panel(OPENFILENAMEW* dialog) {
    auto proc = reinterpret_cast<DLGPROC>(dialog->lpfnHook);
    auto record = reinterpret_cast<LPARAM>(dialog);
    if (!(dialog->Flags & OFN_ENABLETEMPLATE)) {
        static EmptyChildTemplate empty = {{DS_CONTROL | WS_CHILD, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
        return CreateDialogIndirectParamW(dialog->hInstance, &empty.head, dialog->hwndOwner, proc, record);
    }
    HWND panel = CreateDialogParamW(dialog->hInstance, dialog->lpTemplateName, dialog->hwndOwner, proc, record);
    g_fileDialogs.panelTemplate = static_cast<int32_t>(reinterpret_cast<INT_PTR>(dialog->lpTemplateName));
    g_fileDialogs.panelLabel = text_of(FindWindowExW(panel, nullptr, L"Static", nullptr));
    HWND list = FindWindowExW(panel, nullptr, L"ComboBox", nullptr);
    g_fileDialogs.listId = GetDlgCtrlID(list);
    g_fileDialogs.listItems.clear();
    auto count = static_cast<int32_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        wchar_t item[256] = L"";
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        g_fileDialogs.listItems.push_back(utf8_of(item));
    }
    g_fileDialogs.listSelection = static_cast<int32_t>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    return panel;
}

// The confirmation; false when the hook refuses the name (the dialog stays).
bool confirm_panel(HWND panel, OPENFILENAMEW* dialog) {
    OFNOTIFYW notify = {};
    notify.hdr.hwndFrom = GetParent(panel);
    notify.hdr.code = CDN_FILEOK;
    notify.lpOFN = dialog;
    SetWindowLongPtrW(panel, DWLP_MSGRESULT, 0);
    SendMessageW(panel, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    return GetWindowLongPtrW(panel, DWLP_MSGRESULT) == 0;
}

// Types the name and presses OK; after a refusal the next retyped name, or
// Cancel when there is none. true when the dialog closed with OK.
bool confirm_names(HWND panel, OPENFILENAMEW* dialog) {
    lstrcpynW(dialog->lpstrFile, g_dialogName.c_str(), static_cast<int>(dialog->nMaxFile));
    for (size_t next = 0; panel != nullptr && !confirm_panel(panel, dialog); ++next) {
        ++g_fileDialogs.refusals;
        g_fileDialogs.keptName = utf8_of(dialog->lpstrFile);
        if (next == g_retypedNames.size()) return false;
        lstrcpynW(dialog->lpstrFile, g_retypedNames[next].c_str(), static_cast<int>(dialog->nMaxFile));
    }
    return true;
}

BOOL answer_file_dialog(OPENFILENAMEW* dialog, bool save) {
    ++g_fileDialogs.count;
    g_fileDialogs.save = save;
    g_fileDialogs.title = dialog->lpstrTitle != nullptr ? utf8_of(dialog->lpstrTitle) : "";
    g_fileDialogs.filter = filter_texts(dialog->lpstrFilter);
    g_fileDialogs.flags = dialog->Flags;
    g_fileDialogs.owner = dialog->hwndOwner;
    g_fileDialogs.offeredName = utf8_of(dialog->lpstrFile);
    g_fileDialogs.offeredType = static_cast<int32_t>(dialog->nFilterIndex) - 1;
    if (g_dialogFileType >= 0) dialog->nFilterIndex = static_cast<DWORD>(g_dialogFileType) + 1;
    g_fileDialogs.panelTemplate = 0;
    HWND panel = (dialog->Flags & OFN_ENABLEHOOK) ? make_panel(dialog) : nullptr;
    if (panel != nullptr && g_dialogListIndex >= 0) {
        SendMessageW(FindWindowExW(panel, nullptr, L"ComboBox", nullptr), CB_SETCURSEL, g_dialogListIndex, 0);
    }
    bool confirmed = !g_dialogCancels && confirm_names(panel, dialog);
    if (panel != nullptr) DestroyWindow(panel);
    return confirmed ? TRUE : FALSE;
}

std::string exe_folder() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wcsrchr(exe, L'\\')[1] = L'\0';
    return utf8_of(exe);
}

// The program's folder has a name that code page 932 cannot carry (a best
// fit, Hangul, simplified hanzi, an emoji outside the basic plane), so every
// window test also proves that the program finds its own files there.
void make_folder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    char folder[MAX_PATH * 3 + 64];
    std::snprintf(folder, sizeof folder, "%smivoka-shell-Jos\xC3\xA9-\xEA\xB9\x80-\xE5\xBC\xA0-\xF0\x9F\x98\x80-%lu\\",
                  utf8_of(temp).c_str(), GetCurrentProcessId());
    CreateDirectoryW(wide_of(folder).c_str(), nullptr);
    g_folder = folder;
    set_external_encoder_present(true);
    write_file(g_folder + "use.ini", "");
    set_app_folder(g_folder.c_str());
}

}  // namespace

const std::string& test_app_folder() {
    if (g_folder.empty()) make_folder();
    return g_folder;
}

void set_external_encoder_present(bool present) {
    const std::wstring library = wide_of(test_app_folder() + "QR2DLL.dll");
    if (present) {
        CopyFileW(wide_of(exe_folder() + "QR2DLL.dll").c_str(), library.c_str(), FALSE);
    } else {
        DeleteFileW(library.c_str());
    }
}

void set_help_page_present(bool present) {
    const std::wstring folder = wide_of(test_app_folder() + "help");
    const std::wstring page = folder + L"\\index.html";
    if (present) {
        CreateDirectoryW(folder.c_str(), nullptr);
        CopyFileW(wide_of(exe_folder() + "help\\index.html").c_str(), page.c_str(), FALSE);
    } else {
        DeleteFileW(page.c_str());
        RemoveDirectoryW(folder.c_str());
    }
}

void fresh_settings() {
    remove_file_at(settings_path());
    remove_file_at(test_app_folder() + "resume.txt");
}

void write_settings(const char* lines) {
    write_file(settings_path(), std::string("[Base]\r\n") + lines);
}

std::string settings_file_text() { return file_bytes(settings_path()); }

void open_window() {
    test_app_folder();
    set_message_box_seam(record_message);
    set_shell_open_seam(record_shell_open);
    g_messages = {0, "", "", 0};
    g_answer = 0;
    set_file_dialog_seam(answer_file_dialog);
    g_dialogCancels = true;
    g_dialogListIndex = -1;
    g_dialogFileType = -1;
    g_fileDialogs = ShownFileDialog{};
    g_startCommandLine = L"shell_tests.exe";
    if (!g_nextStartDocument.empty()) g_startCommandLine += L" \"" + g_nextStartDocument + L"\"";
    g_nextStartDocument.clear();
    set_start_command_line(g_startCommandLine.c_str());
    g_dialogs = {0, "", 0};
    g_popupMenus = ShownPopupMenu{};
    g_opens = {0, ""};
    if (g_dialogHook == nullptr) {
        g_dialogHook = SetWindowsHookExW(WH_CBT, watch_dialogs, nullptr, GetCurrentThreadId());
    }
    reset_settings_tables();
    set_no_save(false);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    register_main_class(instance);
    create_main_window(instance, SW_SHOWNORMAL);
    pump_for(150);   // timer IDT_START_UP: the deferred set-up
}

void close_window(bool save) {
    set_no_save(!save);
    if (main_window() != nullptr && IsWindow(main_window())) DestroyWindow(main_window());
    pump_for(20);
}

void pump_for(int32_t ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) handle_message(&msg);
        }
        Sleep(1);
    }
}

bool pump_until(bool (*done)(), int32_t timeoutMs) {
    DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    MSG msg;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) handle_message(&msg);
        }
        if (done()) {
            pump_for(30);   // the posted indicator message and the repaint
            return true;
        }
        Sleep(1);
    }
    return false;
}

bool wait_for_generation() {
    return pump_until([] { return run_status() == Idle && !worker_busy() && generation_cursor() == -1; }, 5000);
}

HWND item(int32_t id) { return GetDlgItem(main_form(), id); }

void set_text(int32_t id, const char* utf8) {
    wchar_t wide[8192];
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 8192);
    SetWindowTextW(item(id), wide);
}

std::string text_of(HWND control) {
    wchar_t wide[8192];
    GetWindowTextW(control, wide, 8192);
    return utf8_of(wide);
}

std::string text_of_item(int32_t id) { return text_of(item(id)); }

std::string status_text(int32_t part) {
    wchar_t wide[1024] = L"";
    SendMessageW(status_bar(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(wide));
    return utf8_of(wide);
}

bool enabled(int32_t id) { return IsWindowEnabled(item(id)) != 0; }
bool visible(int32_t id) { return IsWindowVisible(item(id)) != 0; }
bool checked(int32_t id) { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void click(int32_t id) {
    SendMessageW(item(id), BM_CLICK, 0, 0);
    pump_for(10);
}

void command(int32_t id) {
    SendMessageW(main_window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pump_for(10);
}

void choose_item(int32_t id, int32_t index) {
    SendMessageW(item(id), CB_SETCURSEL, index, 0);
    SendMessageW(main_form(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(id)));
    pump_for(10);
}

void press_key(UINT key, UINT modifier) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    std::memcpy(saved, state, sizeof state);
    if (modifier != 0) state[modifier] = 0x80;
    SetKeyboardState(state);
    MSG msg = {};
    msg.hwnd = GetFocus() != nullptr ? GetFocus() : main_window();
    msg.message = modifier == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1 | (modifier == VK_MENU ? (1 << 29) : 0);
    handle_message(&msg);
    SetKeyboardState(saved);
    pump_for(10);
}

ShownMessage& shown_messages() { return g_messages; }

void set_message_answer(int answer) { g_answer = answer; }

uint32_t preview_pixel(int32_t x, int32_t y) {
    HWND preview = item(IDC_PREVIEW);
    UpdateWindow(preview);
    HDC dc = GetDC(preview);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(preview, dc);
    return c;
}

void set_start_document(const char* utf8Path) { g_nextStartDocument = utf8Path != nullptr ? wide_of(utf8Path) : L""; }

void answer_file_dialogs(const char* utf8Name, int32_t listIndex) {
    g_dialogCancels = false;
    g_dialogName = wide_of(utf8Name);
    g_dialogListIndex = listIndex;
    g_retypedNames.clear();
}

void choose_file_type(int32_t type) { g_dialogFileType = type; }

void retype_after_refusal(const char* utf8Name) { g_retypedNames.push_back(wide_of(utf8Name)); }

void cancel_file_dialogs(int32_t listIndex) {
    g_dialogCancels = true;
    g_dialogListIndex = listIndex;
}

ShownFileDialog& shown_file_dialogs() { return g_fileDialogs; }

std::string file_bytes(const std::string& utf8Path) {
    std::string bytes;
    FILE* f = _wfopen(wide_of(utf8Path).c_str(), L"rb");
    if (f == nullptr) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

void write_file(const std::string& utf8Path, const std::string& bytes) {
    FILE* f = _wfopen(wide_of(utf8Path).c_str(), L"wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool file_exists(const std::string& utf8Path) {
    return GetFileAttributesW(wide_of(utf8Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void remove_file_at(const std::string& utf8Path) { DeleteFileW(wide_of(utf8Path).c_str()); }

namespace {

// Empties a folder (ending with a backslash), its subfolders removed too:
// Wine gives a test program the same process id run after run, so its
// folder, and what an earlier run left there, comes back.
void empty_folder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring path = folder + found.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(path.c_str());
        } else if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0) {
            empty_folder(path + L"\\");
            RemoveDirectoryW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

std::string test_files_folder(const char* name) {
    std::string folder = test_app_folder() + name + "\\";
    std::wstring wide = wide_of(folder);
    CreateDirectoryW(wide.c_str(), nullptr);
    empty_folder(wide);
    return folder;
}

std::string sjis(const char* utf8) {
    std::wstring wide = wide_of(utf8);
    char out[8192];
    int n = WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), out, sizeof out, nullptr, nullptr);
    return std::string(out, n > 0 ? static_cast<size_t>(n) : 0);
}
ShownDialogs& shown_dialogs() { return g_dialogs; }

void set_dialog_handler(DialogHandler handler) { g_dialogHandler = handler; }

ShownPopupMenu& shown_popup_menus() { return g_popupMenus; }

UINT popup_item_state(int32_t id) {
    for (size_t i = 0; i < g_popupMenus.ids.size(); ++i) {
        if (g_popupMenus.ids[i] == id) return g_popupMenus.states[i];
    }
    return 0xFFFFFFFFu;
}

void press_dialog_button(HWND dialog, int32_t id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string dialog_item_text(HWND dialog, int32_t id) { return text_of(GetDlgItem(dialog, id)); }

ShellOpens& shell_opens() { return g_opens; }

// Drops files (UTF-8 paths) on the main window as the shell does: a
// DROPFILES block with UTF-16 names, each NUL-ended, then an empty one.
void drop_files(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) {
        wchar_t wide[1024];
        MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 1024);
        names += wide;
        names += L'\0';
    }
    names += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(main_window(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

int32_t code_count() {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    return count;
}
