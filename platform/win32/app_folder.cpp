// The program's folder on Win32, from GetModuleFileNameW, in UTF-8: every
// character of the folder's name is kept, so the files beside the program
// are always its own, whatever the user or folder is called.
#include "platform/app_folder.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/native_path.h"

static const char* g_folderOverride = nullptr;

void set_app_folder(const char* folder) { g_folderOverride = folder; }

int32_t app_folder(char* out, int32_t capacity) {
    if (g_folderOverride != nullptr) {
        size_t n = std::strlen(g_folderOverride);
        if (n + 1 > static_cast<size_t>(capacity)) return 1;
        std::memcpy(out, g_folderOverride, n + 1);
        return 0;
    }
    static wchar_t wide[kPathUnits + 1];
    DWORD units = GetModuleFileNameW(nullptr, wide, kPathUnits);
    if (units == 0 || units >= kPathUnits) return 1;
    // The folder ends after the last separator; nothing after it is kept.
    DWORD end = units;
    while (end > 0 && wide[end - 1] != L'\\' && wide[end - 1] != L'/') --end;
    if (end == 0) return 1;
    wide[end] = L'\0';
    return utf8_from_wide(wide, out, capacity) ? 0 : 1;
}
