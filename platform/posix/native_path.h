// Shift_JIS paths in the file system's UTF-8, shared by the POSIX file
// operations.
//
// Not reentrant: utf8_path converts through a static buffer, so it must
// not run on two threads at once.
#pragma once

#include <cstdint>

#include "platform/codepage.h"

constexpr int32_t kPathBytes = 4096;
constexpr int32_t kUtf8PathBytes = kPathBytes * kUtf8BytesPerUtf16 + 1;

// The UTF-8 form of a Shift_JIS path in out (room: kUtf8PathBytes); null
// when the path is too long.
const char* utf8_path(const char* path, char* out);
