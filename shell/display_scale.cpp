// The window's display scale: its DPI from the system, and pixel sizes of
// the 96-dpi layout at that DPI.
#include <windows.h>

#include "shell/shell_state.h"

namespace {

typedef UINT(WINAPI* DpiForWindow)(HWND);
DpiSeam g_dpiSeam = nullptr;

// GetDpiForWindow exists from Windows 10 (1607) on; older systems have one
// DPI for every screen, that of the desktop's device context.
UINT system_window_dpi(HWND window) {
    static DpiForWindow forWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (forWindow != nullptr && window != nullptr) {
        UINT dpi = forWindow(window);
        if (dpi != 0) return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

void set_dpi_seam(DpiSeam seam) { g_dpiSeam = seam; }

int32_t window_dpi(HWND window) {
    int32_t dpi = static_cast<int32_t>(g_dpiSeam != nullptr ? g_dpiSeam(window) : system_window_dpi(window));
    return dpi < kBaseDpi / 2 ? kBaseDpi : dpi;
}

int32_t scaled(int32_t pixels) { return MulDiv(pixels, g_shell.dpi > 0 ? g_shell.dpi : kBaseDpi, kBaseDpi); }

int32_t scaled_back(int32_t pixels) { return MulDiv(pixels, kBaseDpi, g_shell.dpi > 0 ? g_shell.dpi : kBaseDpi); }

int32_t image_factor() { return g_shell.dpi >= 2 * kBaseDpi ? 2 : 1; }
