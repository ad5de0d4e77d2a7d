// Shift_JIS paths turned into UTF-8 for the file system.
#include "platform/posix/native_path.h"

#include <cstring>

const char* utf8_path(const char* path, char* out) {
    static uint16_t units[kPathBytes];
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(kPathBytes)) return nullptr;
    int32_t n = cp932_to_utf16(path, static_cast<int32_t>(length), units);
    out[utf16_to_utf8(units, n, out)] = '\0';
    return out;
}
