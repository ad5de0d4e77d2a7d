// Tells the end-to-end scripts where the running Mivoka window's controls are
// on the screen and what they show, so that their clicks are real mouse
// events at the places a user would click. It only looks: it sends no input.
//
//   window_probe rect ID   "x y width height" of the visible control ID in
//                          screen pixels (ID 0: the main window's client area)
//   window_probe text ID   the visible control's text in UTF-8
//   window_probe focus     the id of the control with the keyboard focus (of
//                          the combo box whose edit field has it)
//   window_probe rects     "id x y width height" of every visible control of
//                          the main window, one per line (its client area as 0)
//   window_probe check     the soak's checkpoint: "answer MS" (the window took
//                          a message within 2 s), "memory PRIVATE WORKING" in
//                          bytes, then "window CLASS TITLE" for every other
//                          visible top-level window of the program
//   window_probe record FILE ARG
//                          appends ARG to FILE as a UTF-8 line: the package
//                          test makes it the handler of .html files, to see
//                          which page the program asks the system to open
//
// rect ID looks in the program's other windows (a dialog, the emoji palette)
// when the main window has no such control.
//
// Everything goes through printf: mixed with fputs, the lines can come out
// in another order.
//
// Exit codes: 0 found, 1 no Mivoka window or no visible control ID (focus:
// no focus in the program), 2 usage, 3 (check) the window did not answer
// within 2 s.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

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

HWND main_window() { return FindWindowW(L"Mivoka", L"Mivoka"); }

// The program's other visible top-level windows, up to 32; a tooltip the
// mouse resting on a button brings up is not one of them.
struct Windows {
    DWORD process;
    HWND main;
    HWND found[32];
    int count;
};

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
    auto* list = reinterpret_cast<Windows*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    bool tooltip = lstrcmpiW(name, L"tooltips_class32") == 0;
    if (process == list->process && window != list->main && IsWindowVisible(window) && !tooltip && list->count < 32) {
        list->found[list->count++] = window;
    }
    return TRUE;
}

Windows other_windows(HWND main) {
    Windows list = {};
    list.main = main;
    GetWindowThreadProcessId(main, &list.process);
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&list));
    return list;
}

// The visible control with this id anywhere below the main window (the form's
// controls sit one level down), else below another window of the program;
// the main window itself for id 0.
HWND find_control(int id) {
    HWND window = main_window();
    if (window == nullptr || id == 0) return window;
    Search search = {id, nullptr};
    EnumChildWindows(window, match_control, reinterpret_cast<LPARAM>(&search));
    Windows others = other_windows(window);
    for (int i = 0; search.found == nullptr && i < others.count; ++i) {
        EnumChildWindows(others.found[i], match_control, reinterpret_cast<LPARAM>(&search));
    }
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

BOOL CALLBACK print_control(HWND child, LPARAM) {
    if (!IsWindowVisible(child)) return TRUE;
    RECT r = {};
    GetWindowRect(child, &r);
    std::printf("%d %ld %ld %ld %ld\n", GetDlgCtrlID(child), r.left, r.top, r.right - r.left, r.bottom - r.top);
    return TRUE;
}

int print_rects() {
    HWND window = main_window();
    if (window == nullptr) return 1;
    std::printf("0 ");
    print_rect(window, true);
    EnumChildWindows(window, print_control, 0);
    return 0;
}

void print_utf8(const wchar_t* wide) {
    static char utf8[1024];
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr) > 0) std::printf("%s", utf8);
}

int print_check() {
    HWND window = main_window();
    if (window == nullptr) return 1;
    DWORD_PTR ignored = 0;
    DWORD start = GetTickCount();
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored)) {
        std::printf("answer none\n");
        return 3;
    }
    std::printf("answer %lu\n", GetTickCount() - start);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (handle != nullptr &&
        GetProcessMemoryInfo(handle, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        std::printf("memory %llu %llu\n", static_cast<unsigned long long>(memory.PrivateUsage),
                    static_cast<unsigned long long>(memory.WorkingSetSize));
    } else {
        std::printf("memory unknown\n");
    }
    if (handle != nullptr) CloseHandle(handle);
    Windows others = other_windows(window);
    for (int i = 0; i < others.count; ++i) {
        wchar_t name[256] = L"";
        wchar_t title[256] = L"";
        GetClassNameW(others.found[i], name, 256);
        GetWindowTextW(others.found[i], title, 256);
        std::printf("window ");
        print_utf8(name);
        std::printf(" ");
        print_utf8(title);
        std::printf("\n");
    }
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

// The arguments are read as UTF-16 from the command line: argv would hold
// them in the system code page, which cannot carry every folder name.
int record_argument() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr || count != 4) return 2;
    FILE* file = _wfopen(args[2], L"ab");
    if (file == nullptr) return 1;
    static char utf8[3 * 32768];
    int n = WideCharToMultiByte(CP_UTF8, 0, args[3], -1, utf8, sizeof utf8, nullptr, nullptr);
    if (n > 0) std::fwrite(utf8, 1, static_cast<size_t>(n - 1), file);
    std::fputc('\n', file);
    return std::fclose(file) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "record") == 0) return record_argument();
    if (argc == 2 && std::strcmp(argv[1], "focus") == 0) return print_focus();
    if (argc == 2 && std::strcmp(argv[1], "rects") == 0) return print_rects();
    if (argc == 2 && std::strcmp(argv[1], "check") == 0) return print_check();
    if (argc != 3 || (std::strcmp(argv[1], "rect") != 0 && std::strcmp(argv[1], "text") != 0)) {
        std::fputs("usage: window_probe rect|text ID, window_probe focus|rects|check, or window_probe record FILE ARG\n", stderr);
        return 2;
    }
    int id = std::atoi(argv[2]);
    HWND control = find_control(id);
    if (control == nullptr) return 1;
    if (std::strcmp(argv[1], "text") == 0) return print_text(control);
    return print_rect(control, id == 0);
}
