// Files on POSIX: Shift_JIS paths turned into UTF-8 for the file system.
#include "platform/files.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

const int32_t kPathBytes = 4096;
uint16_t g_units[kPathBytes];
char g_utf8[kPathBytes * kUtf8BytesPerUtf16 + 1];

// The UTF-8 form of path in out; null when the path is too long.
const char* native_path(const char* path, char* out) {
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(kPathBytes)) return nullptr;
    int32_t units = cp932_to_utf16(path, static_cast<int32_t>(length), g_units);
    out[utf16_to_utf8(g_units, units, out)] = '\0';
    return out;
}

bool has_wildcard(const char* path) { return std::strpbrk(path, "*?") != nullptr; }

}  // namespace

int32_t path_kind(const char* path) {
    const char* p = native_path(path, g_utf8);
    struct stat st;
    if (p == nullptr || has_wildcard(path) || stat(p, &st) != 0) return PathMissing;
    return S_ISDIR(st.st_mode) ? PathIsFolder : PathIsFile;
}

int32_t clear_read_only_hidden(const char* path) {
    const char* p = native_path(path, g_utf8);
    struct stat st;
    if (p == nullptr || stat(p, &st) != 0) return 1;
    if (st.st_mode & S_IWUSR) return 0;
    return chmod(p, st.st_mode | S_IWUSR) == 0 ? 0 : 1;
}

FILE* open_file(const char* path, const char* mode) {
    const char* p = native_path(path, g_utf8);
    return p != nullptr ? std::fopen(p, mode) : nullptr;
}
