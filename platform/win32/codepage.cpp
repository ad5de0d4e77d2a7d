// Code-page conversion through the Win32 functions themselves: they are the
// reference the POSIX tables reproduce.
#include "platform/codepage.h"

#include <windows.h>

static const UINT kShiftJis = 932;

int32_t cp932_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    if (length <= 0) return 0;
    return MultiByteToWideChar(kShiftJis, MB_PRECOMPOSED, src, length, reinterpret_cast<wchar_t*>(dst),
                               length * kUtf16PerCp932Byte);
}

int32_t utf16_to_cp932(const uint16_t* src, int32_t length, char* dst, const char* defaultChar,
                       bool* usedDefault) {
    if (usedDefault) *usedDefault = false;
    if (length <= 0) return 0;
    BOOL used = FALSE;
    int32_t n = WideCharToMultiByte(kShiftJis, 0, reinterpret_cast<const wchar_t*>(src), length, dst,
                                    length * kCp932BytesPerUtf16, defaultChar, &used);
    if (usedDefault) *usedDefault = used != FALSE;
    return n;
}

int32_t utf8_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    if (length <= 0) return 0;
    return MultiByteToWideChar(CP_UTF8, 0, src, length, reinterpret_cast<wchar_t*>(dst),
                               length * kUtf16PerUtf8Byte);
}

int32_t utf16_to_utf8(const uint16_t* src, int32_t length, char* dst) {
    if (length <= 0) return 0;
    return WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(src), length, dst,
                               length * kUtf8BytesPerUtf16, nullptr, nullptr);
}
