// Paths for the POSIX file functions: the program's paths are UTF-8 bytes,
// which is what the file system takes, so they go through unchanged.
#pragma once

#include <cstdint>

constexpr int32_t kPathBytes = 4096;
constexpr int32_t kUtf8PathBytes = kPathBytes + 1;

// A copy of path in out (room: kUtf8PathBytes), which callers may cut; null
// when the path is too long.
const char* utf8_path(const char* path, char* out);
