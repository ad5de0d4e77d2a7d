// The profile (ini) file semantics the settings rely on, implemented once
// for every platform so the file's bytes never depend on the system code
// page: sections "[name]", lines "key=value" with CR LF, names compared
// without regard to ASCII case, blanks around names and values ignored, a
// value in matching double or single quotes returned without them, missing
// keys giving the caller's default, new keys added after the last key of
// their section (so they stay in the order written).
//
// Files up to kIniFileBytes are handled; a larger file is read only that far
// and not written. No heap; one static work area.
#pragma once

#include <cstdint>

constexpr int32_t kIniFileBytes = 128 * 1024;

// The value of key in section into out (room: capacity bytes, at most
// capacity - 1 bytes cut at a character boundary), or def when the key is
// missing. Returns the length written.
int32_t ini_read_text(const char* path, const char* section, const char* key, const char* def, char* out,
                      int32_t capacity);

// The decimal number at the start of the value (an optional sign, then
// digits; 0 when there are none), or def when the key is missing or empty.
int32_t ini_read_int(const char* path, const char* section, const char* key, int32_t def);

// Sets key in section to value, adding the section (at the end) and the key
// when missing; creates the file when needed. 0 written, 1 not.
int32_t ini_write(const char* path, const char* section, const char* key, const char* value);
