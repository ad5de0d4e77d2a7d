// Shift_JIS paths in the form the W functions take, shared by the Win32
// file operations.
#pragma once

#include <cstdint>

constexpr int32_t kPathUnits = 4096;

// The UTF-16 form of a Shift_JIS path in out (room: kPathUnits + 1); null
// when the path is too long.
const wchar_t* wide_path(const char* path, wchar_t* out);
