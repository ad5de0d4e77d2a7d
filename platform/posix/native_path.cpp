// Paths for the POSIX file functions: bytes, unchanged.
#include "platform/posix/native_path.h"

#include <cstring>

const char* utf8_path(const char* path, char* out) {
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(kPathBytes)) return nullptr;
    std::memcpy(out, path, length + 1);
    return out;
}
