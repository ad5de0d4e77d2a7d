// Shift_JIS paths turned into UTF-16 for the W functions.
#include "platform/win32/native_path.h"

#include <cstring>

#include "platform/codepage.h"

const wchar_t* wide_path(const char* path, wchar_t* out) {
    size_t length = std::strlen(path);
    if (length > static_cast<size_t>(kPathUnits)) return nullptr;
    int32_t units = cp932_to_utf16(path, static_cast<int32_t>(length), reinterpret_cast<uint16_t*>(out));
    out[units] = L'\0';
    return out;
}
