// Code-page conversion on POSIX: the tables generated from Windows' own
// conversions (codepage_tables.cpp).
#include "platform/codepage.h"

#include "platform/posix/codepage_tables.h"

int32_t cp932_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    return table_cp932_to_utf16(src, length, dst);
}

int32_t utf16_to_cp932(const uint16_t* src, int32_t length, char* dst, const char* defaultChar,
                       bool* usedDefault) {
    return table_utf16_to_cp932(src, length, dst, defaultChar, usedDefault);
}

int32_t utf8_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    return table_utf8_to_utf16(src, length, dst);
}

int32_t utf16_to_utf8(const uint16_t* src, int32_t length, char* dst) {
    return table_utf16_to_utf8(src, length, dst);
}
