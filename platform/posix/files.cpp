// Files on POSIX: Shift_JIS paths turned into UTF-8 for the file system.
#include "platform/files.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/posix/native_path.h"

namespace {

char g_utf8[kUtf8PathBytes];

bool has_wildcard(const char* path) { return std::strpbrk(path, "*?") != nullptr; }

}  // namespace

int32_t path_kind(const char* path) {
    const char* p = utf8_path(path, g_utf8);
    struct stat st;
    if (p == nullptr || has_wildcard(path) || stat(p, &st) != 0) return PathMissing;
    return S_ISDIR(st.st_mode) ? PathIsFolder : PathIsFile;
}

int32_t clear_read_only_hidden(const char* path) {
    const char* p = utf8_path(path, g_utf8);
    struct stat st;
    if (p == nullptr || stat(p, &st) != 0) return 1;
    if (st.st_mode & S_IWUSR) return 0;
    return chmod(p, st.st_mode | S_IWUSR) == 0 ? 0 : 1;
}

FILE* open_file(const char* path, const char* mode) {
    const char* p = utf8_path(path, g_utf8);
    return p != nullptr ? std::fopen(p, mode) : nullptr;
}
