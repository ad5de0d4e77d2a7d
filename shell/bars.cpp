// The toolbar, the status bar, menu states and the start-up placement of
// the main window.
#include <windows.h>
#include <commctrl.h>

#include "persistence/window_place.h"
#include "resources/resource.h"
#include "settings/settings_tables.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

struct ToolbarEntry {
    int32_t command;       // 0: separator
    const char* tooltip;   // Shift_JIS
};

// FormToolbar: the seven images of bitmap IDB_TOOLBAR go to the buttons in order.
const ToolbarEntry FormToolbar[9] = {
    {IDM_OPEN_TEXT, kToolbarOpenText},
    {IDM_SAVE_DATA, kToolbarSaveData},
    {IDM_SAVE_ALL_BMP, kToolbarSaveAllBitmaps},
    {0, nullptr},
    {IDM_COPY_IMAGE, kToolbarCopyImage},
    {IDM_OPTIONS, kToolbarOptions},
    {0, nullptr},
    {IDM_PRINT, kToolbarPrint},
    {IDM_VERSION, kToolbarVersion},
};

// A command without a menu item ("データを保存") counts as enabled.
bool menu_item_enabled(int32_t id) {
    UINT state = GetMenuState(GetMenu(g_shell.window), id, MF_BYCOMMAND);
    return state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void create_toolbar() {
    TBBUTTON buttons[9] = {};
    int32_t image = 0;
    for (int32_t i = 0; i < 9; ++i) {
        buttons[i].idCommand = FormToolbar[i].command;
        buttons[i].fsStyle = FormToolbar[i].command == 0 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
        buttons[i].iBitmap = FormToolbar[i].command == 0 ? 0 : image++;
        bool enabled = FormToolbar[i].command != 0 && menu_item_enabled(FormToolbar[i].command);
        buttons[i].fsState = enabled ? TBSTATE_ENABLED : 0;
    }
    // From 200 % on the pictures drawn at 32 x 32; below, the 16 x 16 ones unscaled.
    int32_t side = 16 * image_factor();
    g_shell.toolbar = CreateToolbarEx(g_shell.window, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                      IDC_TOOLBAR, 7, g_shell.instance, side == 16 ? IDB_TOOLBAR : IDB_TOOLBAR_2X,
                                      buttons, 9, side, side, side, side, sizeof(TBBUTTON));
}

}  // namespace

void check_menu(int32_t id, bool checked) {
    CheckMenuItem(GetMenu(g_shell.window), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void enable_command(int32_t id, bool enabled) {
    EnableMenuItem(GetMenu(g_shell.window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (g_shell.toolbar != nullptr) SendMessageW(g_shell.toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(enabled, 0));
}

void show_toolbar(bool on) {
    if (g_shell.toolbar != nullptr) DestroyWindow(g_shell.toolbar);
    g_shell.toolbar = nullptr;
    if (on) create_toolbar();
    check_menu(IDM_TOOLBAR, on);
    SetWindowPos(g_shell.form, nullptr, 0, on ? scaled(kToolbarFormTop) : 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layout_form(1);
}

bool on_toolbar_notify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW) return false;
    static wchar_t tooltip[64];
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    for (const ToolbarEntry& entry : FormToolbar) {
        if (entry.command != 0 && static_cast<UINT_PTR>(entry.command) == header->idFrom) {
            to_wide(entry.tooltip, tooltip, 64);
            info->lpszText = tooltip;
            return true;
        }
    }
    return false;
}

void create_status_bar() {
    g_shell.statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                        g_shell.window, reinterpret_cast<HMENU>(IDC_STATUS_BAR), g_shell.instance,
                                        nullptr);
    layout_form(1);
}

namespace {
int32_t g_noteWidth = 0;   // the third part's room while it holds a note
}  // namespace

void show_status_note(bool shown) {
    int32_t width = shown ? scaled(420) : 0;
    if (width == g_noteWidth) return;
    g_noteWidth = width;
    RECT client;
    GetClientRect(g_shell.window, &client);
    if (client.right > 10) set_status_parts(client.right);
}

void set_status_parts(int32_t width) {
    // The third part is empty and takes no room, unless a note about text
    // left out or characters replaced must be seen.
    if (g_noteWidth != 0) g_noteWidth = scaled(420);   // the display may have changed
    int parts[3] = {width - scaled(160) - g_noteWidth, width - g_noteWidth, width};
    SendMessageW(g_shell.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
}

int32_t status_bar_height() {
    if (g_shell.statusBar == nullptr) return 0;
    RECT r;
    GetWindowRect(g_shell.statusBar, &r);
    return r.bottom - r.top;
}

namespace {

// Farther from the origin than any desktop reaches: an edge past it is
// taken for no stored edge.
constexpr int32_t kFarthestEdge = 1 << 20;

struct MonitorList {
    MonitorArea areas[kMaxMonitors];
    int32_t count;
};

PlaceRect place_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK collect_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    auto* list = reinterpret_cast<MonitorList*>(context);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (list->count < kMaxMonitors && GetMonitorInfoW(monitor, &info)) {
        list->areas[list->count++] = {place_rect(info.rcMonitor), place_rect(info.rcWork)};
    }
    return TRUE;
}

// The stored geometry, placed among the monitors of now; false when no
// geometry is stored.
bool stored_place(PlaceRect* out) {
    int32_t left = int_setting(SettingLeft), top = int_setting(SettingTop);
    int32_t width = int_setting(SettingWidth), height = int_setting(SettingHeight);
    // "wx" and "wy" keep a place left of or above the main monitor; without
    // them a stored negative edge loads as -1, "unknown", and is not used.
    int32_t x = int_setting(SettingWindowX), y = int_setting(SettingWindowY);
    bool exact = x > -kFarthestEdge && x < kFarthestEdge && y > -kFarthestEdge && y < kFarthestEdge;
    if (exact) {
        left = x;
        top = y;
    }
    if (width < 0 || height < 0 || (!exact && (left < 0 || top < 0))) return false;
    static MonitorList monitors;
    monitors.count = 0;
    EnumDisplayMonitors(nullptr, nullptr, collect_monitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.count == 0) {
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        monitors.areas[monitors.count++] = {place_rect(desktop), place_rect(desktop)};
    }
    return place_stored_window({left, top, left + width, top + height}, monitors.areas, monitors.count,
                               scaled(kMinWindowWidth), scaled(kMinWindowHeight), out) == 0;
}

}  // namespace

// The window comes back where it was closed, on the monitor it was on; when
// that monitor is gone, on the nearest one, inside its work area.
void place_window_at_start() {
    PlaceRect at;
    if (stored_place(&at)) {
        SetWindowPos(g_shell.window, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    int32_t dw = desktop.right - desktop.left, dh = desktop.bottom - desktop.top;
    RECT r;
    GetWindowRect(g_shell.window, &r);
    int32_t width = r.right - r.left;
    if (width < scaled(kMinWindowWidth)) width = scaled(kMinWindowWidth);
    if (width >= dw) width = scaled(kMinWindowWidth);
    int32_t height = scaled(590);
    SetWindowPos(g_shell.window, nullptr, (dw - width) / 2, (dh - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
