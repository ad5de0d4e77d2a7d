// Tells the end-to-end scripts where the running Mivoka window's controls are
// on the screen and what they show, so that their clicks are real mouse
// events at the places a user would click. It only looks: it sends no input.
//
//   window_probe rect ID   "x y width height" of the visible control ID in
//                          screen pixels (ID 0: the main window's client area)
//   window_probe text ID   the visible control's text in UTF-8
//   window_probe focus     the id of the control with the keyboard focus (of
//                          the combo box whose edit field has it)
//
// Exit codes: 0 found, 1 no Mivoka window or no visible control ID (focus:
// no focus in the program), 2 usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK match_control(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (GetDlgCtrlID(child) != search->id || !IsWindowVisible(child)) return TRUE;
    search->found = child;
    return FALSE;
}

// The visible control with this id anywhere below the main window (the form's
// controls sit one level down); the main window itself for id 0.
HWND find_control(int id) {
    HWND window = FindWindowW(L"Mivoka", L"Mivoka");
    if (window == nullptr || id == 0) return window;
    Search search = {id, nullptr};
    EnumChildWindows(window, match_control, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int print_rect(HWND control, bool client) {
    RECT r = {};
    if (client) {
        GetClientRect(control, &r);
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
        GetWindowRect(control, &r);
    }
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int print_text(HWND control) {
    static wchar_t wide[32768];
    static char utf8[3 * 32768];
    // GetWindowText would give another process's edit control its stored
    // caption, not what was typed; the message crosses the process.
    DWORD_PTR copied = 0;
    wide[0] = L'\0';
    SendMessageTimeoutW(control, WM_GETTEXT, 32768, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, &copied);
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    if (n > 0) std::fwrite(utf8, 1, static_cast<size_t>(n - 1), stdout);
    std::fputc('\n', stdout);
    return 0;
}

// The focus belongs to the window's thread; another process asks the system.
int print_focus() {
    HWND window = find_control(0);
    if (window == nullptr) return 1;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndFocus == nullptr) return 1;
    // Up to the control that sits on the form (the form's parent is the window).
    HWND focus = info.hwndFocus;
    for (HWND up = GetParent(focus); up != nullptr && up != window && GetParent(up) != window; up = GetParent(up)) {
        focus = up;
    }
    std::printf("%d\n", GetDlgCtrlID(focus));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "focus") == 0) return print_focus();
    if (argc != 3 || (std::strcmp(argv[1], "rect") != 0 && std::strcmp(argv[1], "text") != 0)) {
        std::fputs("usage: window_probe rect|text ID, or window_probe focus\n", stderr);
        return 2;
    }
    int id = std::atoi(argv[2]);
    HWND control = find_control(id);
    if (control == nullptr) return 1;
    if (std::strcmp(argv[1], "text") == 0) return print_text(control);
    return print_rect(control, id == 0);
}
