// The program's folder on Win32, from GetModuleFileNameW, in Shift_JIS.
#include "platform/app_folder.h"

#include <windows.h>

#include <cstring>

#include "platform/codepage.h"

static const char* g_folderOverride = nullptr;

void set_app_folder(const char* folder) { g_folderOverride = folder; }

int32_t app_folder(char* out, int32_t capacity) {
    if (g_folderOverride != nullptr) {
        size_t n = std::strlen(g_folderOverride);
        if (n + 1 > static_cast<size_t>(capacity)) return 1;
        std::memcpy(out, g_folderOverride, n + 1);
        return 0;
    }
    wchar_t wide[MAX_PATH * 4];
    DWORD units = GetModuleFileNameW(nullptr, wide, MAX_PATH * 4);
    if (units == 0 || units >= MAX_PATH * 4) return 1;
    static char sjis[MAX_PATH * 4 * kCp932BytesPerUtf16 + 1];
    int32_t n = utf16_to_cp932(reinterpret_cast<const uint16_t*>(wide), static_cast<int32_t>(units), sjis,
                               nullptr, nullptr);
    // The folder ends after the last backslash, which is never a trail byte
    // once the name is walked from its start.
    int32_t end = -1;
    for (int32_t i = 0; i < n; ++i) {
        uint8_t b = static_cast<uint8_t>(sjis[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) { ++i; continue; }
        if (b == '\\' || b == '/') end = i + 1;
    }
    if (end <= 0 || end + 1 > capacity) return 1;
    std::memcpy(out, sjis, static_cast<size_t>(end));
    out[end] = '\0';
    return 0;
}
