// The main window "Mivoka": class, creation, the message loop and the
// window procedure, which only routes to the handlers.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "emoji/win32/emoji_window.h"
#include "payload/payload.h"
#include "persistence/settings_store.h"
#include "persistence/start_up.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "resources/resource.h"
#include "shell/shell_state.h"

ShellState g_shell;

namespace {

const wchar_t kClassName[] = L"Mivoka";

// The menu's check marks from the settings.
void set_up_menu() {
    for (int32_t id = IDM_BACKGROUND_NONE; id <= IDM_BACKGROUND_WHITE; ++id) {
        check_menu(id, id - IDM_BACKGROUND_NONE == int_setting(SettingBgNo));
    }
    check_menu(IDM_WORD_WRAP, int_setting(SettingEditWrap) != 0);
    check_menu(IDM_RESUME, int_setting(SettingResume) != 0);
}

void load_encoder() {
    if (load_external_encoder(nullptr) != 0) {
        show_message(g_shell.form, kLoadFailureText, kLoadFailureCaption, MB_OK);
    }
}

LRESULT on_create(HWND window) {
    g_shell.window = window;
    g_shell.layoutPasses = 0;
    g_shell.sessionSaved = false;
    StartUpOutcome startUp = {};
    load_settings(&startUp);
    if (startUp.firstMessage.show) show_first_message(startUp.firstMessage.text);
    set_run_status(Starting);
    connect_indicators();
    if (create_main_form(window) == nullptr) return -1;
    create_emoji_image_lists(g_shell.instance);
    set_up_menu();
    show_toolbar(int_setting(SettingDispToolbar) != 0);
    create_status_bar();
    prepare_documents();
    place_window_at_start();
    load_encoder();
    SendMessageW(form_item(IDC_MODE_TEXT + g_shell.mode), BM_SETCHECK, BST_CHECKED, 0);
    apply_mode();
    set_mode_radios_visible(mail_and_address_offered());
    SetTimer(window, IDT_START_UP, 35, nullptr);
    return 0;
}

// What closing keeps: the resume file and the settings with the window's
// place. Once a run: the end of a Windows session does it, and the
// WM_DESTROY that may still follow must not write the files again.
void save_session() {
    if (g_shell.sessionSaved) return;
    g_shell.sessionSaved = true;
    RECT r = {};
    GetWindowRect(g_shell.window, &r);
    WindowPlacement at = {IsZoomed(g_shell.window) != 0, IsIconic(g_shell.window) != 0, r.left, r.top, r.right,
                          r.bottom};
    join_worker();
    write_resume_at_exit();
    save_settings(at);
}

void on_destroy() {
    save_session();
    disconnect_indicators();
    end_worker();
    unload_external_encoder();
    destroy_main_form();
    destroy_emoji_image_lists();
    // The children went with the window; a later window starts afresh.
    g_shell.toolbar = nullptr;
    g_shell.statusBar = nullptr;
    g_shell.preview = nullptr;
    g_shell.dropGuard = false;
    g_shell.importPresent = false;
    PostQuitMessage(0);
}

void on_timer(UINT_PTR id) {
    KillTimer(g_shell.window, id);
    switch (id) {
        case IDT_START_UP:
            open_start_up_document();
            finish_form_set_up();
            break;
        case IDT_DROP_GUARD: g_shell.dropGuard = false; break;
        case IDT_PUMP: on_pump_timer(); break;
        case IDT_STATUS_RESTORE: update_status_bar(StatusMode); break;
        default: break;
    }
}

// Keeps the window at least 780 x 580 (at 96 dpi) while a border is dragged.
void on_sizing(WPARAM edge, RECT* r) {
    const int32_t minWidth = scaled(kMinWindowWidth), minHeight = scaled(kMinWindowHeight);
    bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    if (r->bottom - r->top < minHeight) {
        if (bottom) r->bottom = r->top + minHeight;
        else if (top) r->top = r->bottom - minHeight;
    }
    if (r->right - r->left < minWidth) {
        if (left) r->left = r->right - minWidth;
        else if (right) r->right = r->left + minWidth;
    }
}

// A modal dialog or message box of the program is up: it disabled its
// owner, the main window or the form. A menu or key command that was queued
// before it came up (a slow start, keys typed ahead) would be dispatched by
// its message loop and open a second modal window inside the first, which
// then cannot close until the second has; such a command is dropped.
bool modal_window_up() {
    return !IsWindowEnabled(g_shell.window) || (g_shell.form != nullptr && !IsWindowEnabled(g_shell.form));
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return on_create(window);
        case WM_DESTROY: on_destroy(); return 0;
        // Log-off, shutdown or an update restart end the process without
        // WM_DESTROY: the session is kept now.
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wParam) save_session();
            return 0;
        case WM_SIZE: layout_form(1); return 0;
        case WM_DPICHANGED: on_dpi_changed(HIWORD(wParam), reinterpret_cast<RECT*>(lParam)); return 0;
        case WM_NOTIFY:
            if (on_toolbar_notify(reinterpret_cast<NMHDR*>(lParam))) return 0;
            break;
        case WM_COMMAND:
            if (g_shell.dropGuard || modal_window_up()) return 0;
            return dispatch_command(LOWORD(wParam));
        case WM_TIMER: on_timer(wParam); return 0;
        case WM_SIZING: on_sizing(wParam, reinterpret_cast<RECT*>(lParam)); return TRUE;
        case WM_DROPFILES: on_drop_files(reinterpret_cast<HDROP>(wParam)); return 0;
        case WM_MOUSEWHEEL:
            if (forward_birthday_wheel(wParam, lParam)) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_CLICKACTIVE) close_unpinned_emoji_palette();
            break;
        case kIndicatorMessage: apply_indicators(); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND main_window() { return g_shell.window; }
HWND main_form() { return g_shell.form; }
HWND status_bar() { return g_shell.statusBar; }
HWND toolbar() { return g_shell.toolbar; }

int32_t register_main_class(HINSTANCE instance) {
    g_shell.instance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                                          ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW c = {};
    c.cbSize = sizeof c;
    c.lpfnWndProc = main_window_proc;
    c.hInstance = instance;
    c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN_ICON));
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    c.lpszClassName = kClassName;
    if (RegisterClassExW(&c) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return 1;
    return 0;
}

HWND create_main_window(HINSTANCE instance, int showCommand) {
    g_shell.instance = instance;
    HWND window = CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, L"Mivoka", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, kMinWindowWidth, kMinWindowHeight, nullptr, nullptr, instance,
                                  nullptr);
    if (window == nullptr) return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    g_shell.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN_ACCELERATORS));
    return window;
}

void handle_message(MSG* msg) {
    HWND palette = emoji_palette_window();
    if (palette != nullptr && IsDialogMessageW(palette, msg)) return;
    if (g_shell.window != nullptr && g_shell.accelerators != nullptr &&
        TranslateAcceleratorW(g_shell.window, g_shell.accelerators, msg)) {
        return;
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
}

int run_message_loop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) handle_message(&msg);
    return static_cast<int>(msg.wParam);
}
