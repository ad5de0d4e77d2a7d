// Code-page conversion: Shift_JIS (code page 932), UTF-16 and UTF-8, with
// Windows' own results on every platform (its default characters, U+30FB for
// undecodable double-byte pairs, its best-fit mappings, U+FFFD for bad UTF-8).
//
// None of these can fail and none allocates. The caller provides the output
// room for the worst case, named below per function; a zero length gives 0.
// No terminator is read or written: NUL bytes convert like any character.
#pragma once

#include <cstdint>

// Worst-case output sizes per input unit.
constexpr int32_t kUtf16PerCp932Byte = 1;
constexpr int32_t kCp932BytesPerUtf16 = 2;
constexpr int32_t kUtf16PerUtf8Byte = 1;
constexpr int32_t kUtf8BytesPerUtf16 = 3;

// Decodes length bytes of Shift_JIS into dst (room: length units). Returns
// the number of UTF-16 units written.
int32_t cp932_to_utf16(const char* src, int32_t length, uint16_t* dst);

// Encodes length UTF-16 units as Shift_JIS into dst (room: 2 × length
// bytes). Each unit without a form (best fit included) becomes defaultChar
// (one or two bytes; null: the code page's own "?"); a surrogate pair
// becomes two of them. *usedDefault (may be null) tells whether that
// happened. Returns the number of bytes written.
int32_t utf16_to_cp932(const uint16_t* src, int32_t length, char* dst, const char* defaultChar,
                       bool* usedDefault);

// Decodes length bytes of UTF-8 into dst (room: length units); a malformed
// sequence becomes U+FFFD. Returns the number of units written.
int32_t utf8_to_utf16(const char* src, int32_t length, uint16_t* dst);

// Encodes length UTF-16 units as UTF-8 into dst (room: 3 × length bytes); a
// lone surrogate becomes U+FFFD. Returns the number of bytes written.
int32_t utf16_to_utf8(const uint16_t* src, int32_t length, char* dst);
