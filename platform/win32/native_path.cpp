// Paths between UTF-8 and UTF-16, through the system's own conversion.
#include "platform/win32/native_path.h"

#include <windows.h>

#include <cstring>

const wchar_t* wide_path(const char* path, wchar_t* out) {
    size_t length = std::strlen(path);
    if (length > static_cast<size_t>(kPathUnits)) return nullptr;
    if (length == 0) {
        out[0] = L'\0';
        return out;
    }
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, static_cast<int>(length), out, kPathUnits);
    if (units <= 0) return nullptr;
    out[units] = L'\0';
    return out;
}

bool utf8_from_wide(const wchar_t* wide, char* out, int32_t room) {
    out[0] = '\0';
    if (wide[0] == L'\0' || room <= 1) return false;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, room, nullptr, nullptr);
    if (bytes <= 1) {
        out[0] = '\0';
        return false;
    }
    return true;
}
