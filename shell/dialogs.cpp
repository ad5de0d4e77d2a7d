// The small modal dialogs: the first-start message and the version box with
// its two links; and the one way the program hands a file or an address to
// the system's default handler.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cstdio>
#include <initializer_list>

#include "platform/win32/native_path.h"
#include "resources/resource.h"
#include "resources/version.h"
#include "shell/shell_state.h"
#include "resources/messages.h"

namespace {

// The version box's texts, Shift_JIS.
const char kProductName[] = "Mivoka";
const char kVersionFormat[] = "ver%d.%d%s%s";
const char kMakerName[] = "Velmora Tools";
const char kWebAddress[] = "https://velmora-tools.example/";
const char kMailAddress[] = "support@velmora-tools.example";
const char kMailScheme[] = "mailto:";

constexpr COLORREF kWebColour = RGB(0, 0, 255);
constexpr COLORREF kMailColour = RGB(0, 192, 0);
// The first-start message's top-left corner, from the desktop's centre.
constexpr int32_t kFirstMessageLeft = 160;
constexpr int32_t kFirstMessageUp = 100;

bool system_shell_open(HWND owner, const wchar_t* target) {
    auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", target, nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

ShellOpenSeam g_shellOpen = system_shell_open;

// OK and the close box (which sends IDCANCEL) both close.
bool ends_dialog(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return false;
    EndDialog(dialog, LOWORD(wParam));
    return true;
}

// --- First Message -------------------------------------------------------------------

INT_PTR CALLBACK first_message_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        set_control_text(GetDlgItem(dialog, IDC_FIRST_MESSAGE_TEXT), reinterpret_cast<const char*>(lParam));
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        SetWindowPos(dialog, nullptr, (desktop.right - desktop.left) / 2 - kFirstMessageLeft,
                     (desktop.bottom - desktop.top) / 2 - kFirstMessageUp, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    return message == WM_COMMAND && ends_dialog(dialog, wParam);
}

// --- Version box --------------------------------------------------------------------------

// Lives on show_version_box's stack while the box is open.
struct VersionBox {
    HFONT linkFont;   // the dialog font, underlined
    HCURSOR hand;
};

bool is_link(int32_t id) { return id == IDC_VERSION_URL || id == IDC_VERSION_MAIL; }

LRESULT CALLBACK link_keys_proc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

void init_version_box(HWND dialog, VersionBox* box) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    char version[32];
    char text[256];
    std::snprintf(version, sizeof version, kVersionFormat, MIVOKA_VERSION_MAJOR, MIVOKA_VERSION_MINOR, "", "");
    std::snprintf(text, sizeof text, kVersionBoxFormat, kProductName, version, kMakerName, kVersionBoxNotice);
    set_control_text(GetDlgItem(dialog, IDC_VERSION_TEXT), text);
    set_control_text(GetDlgItem(dialog, IDC_VERSION_URL), kWebAddress);
    set_control_text(GetDlgItem(dialog, IDC_VERSION_MAIL), kMailAddress);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfUnderline = TRUE;
    box->linkFont = CreateFontIndirectW(&font);
    box->hand = LoadCursorW(g_shell.instance, MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    for (int32_t id : {IDC_VERSION_URL, IDC_VERSION_MAIL}) SetWindowSubclass(GetDlgItem(dialog, id), link_keys_proc, 1, 0);
    SetFocus(GetDlgItem(dialog, IDOK));
}

void paint_link(const VersionBox& box, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t text[128];
    GetWindowTextW(item.hwndItem, text, 128);
    HGDIOBJ old = SelectObject(item.hDC, box.linkFont);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, item.CtlID == IDC_VERSION_URL ? kWebColour : kMailColour);
    RECT r = item.rcItem;
    DrawTextW(item.hDC, text, -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == item.hwndItem) {
        // The focus around the text, so a keyboard user sees which link Enter opens.
        RECT around = {0, 0, 0, 0};
        DrawTextW(item.hDC, text, -1, &around, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        around.right = around.right < item.rcItem.right ? around.right : item.rcItem.right;
        around.bottom = item.rcItem.bottom;
        DrawFocusRect(item.hDC, &around);
    }
    SelectObject(item.hDC, old);
}

// The web address opens as it reads; the e-mail address as a "mailto:" link.
void open_link(HWND dialog, int32_t id) {
    char target[192];
    int n = id == IDC_VERSION_MAIL ? std::snprintf(target, sizeof target, "%s", kMailScheme) : 0;
    control_text(GetDlgItem(dialog, id), target + n, static_cast<int32_t>(sizeof target) - n);
    open_with_default_handler(dialog, target);
}

// A link takes the focus by Tab and opens with Enter or Space; it repaints
// to show or drop its focus mark.
LRESULT CALLBACK link_keys_proc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    bool opening = wParam == VK_RETURN || wParam == VK_SPACE;
    switch (message) {
        case WM_GETDLGCODE: {
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && opening) return DLGC_WANTMESSAGE;
            break;
        }
        case WM_KEYDOWN:
            if (opening) {
                open_link(GetParent(link), GetDlgCtrlID(link));
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(link, nullptr, TRUE); break;
        default: break;
    }
    return DefSubclassProc(link, message, wParam, lParam);
}

bool set_link_cursor(HWND dialog, const VersionBox* box, HWND under) {
    if (box == nullptr || !is_link(GetDlgCtrlID(under))) return false;
    SetCursor(box->hand);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
    return true;
}

INT_PTR CALLBACK version_box_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* box = reinterpret_cast<const VersionBox*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            init_version_box(dialog, reinterpret_cast<VersionBox*>(lParam));
            return FALSE;   // the focus is already on OK
        case WM_DRAWITEM:
            if (box == nullptr) return FALSE;
            paint_link(*box, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_SETCURSOR: return set_link_cursor(dialog, box, reinterpret_cast<HWND>(wParam));
        case WM_COMMAND:
            if (is_link(LOWORD(wParam)) && HIWORD(wParam) == STN_CLICKED) {
                open_link(dialog, LOWORD(wParam));
                return TRUE;
            }
            return ends_dialog(dialog, wParam);
        default: return FALSE;
    }
}

}  // namespace

void set_shell_open_seam(ShellOpenSeam seam) { g_shellOpen = seam != nullptr ? seam : system_shell_open; }

bool open_with_default_handler(HWND owner, const char* target) {
    static wchar_t wide[kPathUnits + 1];
    return wide_path(target, wide) != nullptr && g_shellOpen(owner, wide);
}

void show_first_message(const char* text) {
    DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_FIRST_MESSAGE), g_shell.window, first_message_proc,
                    reinterpret_cast<LPARAM>(text));
}

void show_version_box() {
    VersionBox box = {nullptr, nullptr};
    DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_VERSION), g_shell.window, version_box_proc,
                    reinterpret_cast<LPARAM>(&box));
    if (box.linkFont != nullptr) DeleteObject(box.linkFont);
}
