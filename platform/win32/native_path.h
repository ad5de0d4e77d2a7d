// Paths between the program (UTF-8) and the W functions (UTF-16). Both
// forms carry every Unicode character, so no name is ever changed on the
// way: a path is never converted through code page 932.
#pragma once

#include <cstdint>

constexpr int32_t kPathUnits = 4096;

// The UTF-16 form of a UTF-8 path in out (room: kPathUnits + 1); null when
// the path is too long or not valid UTF-8.
const wchar_t* wide_path(const char* path, wchar_t* out);

// The UTF-8 form of a UTF-16 name from the system in out (room: room
// bytes, at most three per unit). false when it is empty or does not fit.
bool utf8_from_wide(const wchar_t* wide, char* out, int32_t room);
