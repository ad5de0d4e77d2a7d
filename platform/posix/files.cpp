// Files on POSIX: UTF-8 paths, handed to the file system as they are.
#include "platform/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/posix/native_path.h"

namespace {

char utf8Scratch[kUtf8PathBytes];
int32_t g_fileError = 0;

bool has_wildcard(const char* path) { return std::strpbrk(path, "*?") != nullptr; }

}  // namespace

int32_t file_kind(const char* path) {
    const char* p = utf8_path(path, utf8Scratch);
    struct stat st;
    if (p == nullptr || has_wildcard(path)) return PathMissing;
    if (stat(p, &st) != 0) return unfound_kind(path);
    return S_ISDIR(st.st_mode) ? PathIsFolder : PathIsFile;
}

int32_t clear_protect_attributes(const char* path) {
    const char* p = utf8_path(path, utf8Scratch);
    struct stat st;
    if (p == nullptr || stat(p, &st) != 0) return 1;
    if (st.st_mode & S_IWUSR) return 0;
    return chmod(p, st.st_mode | S_IWUSR) == 0 ? 0 : 1;
}

FILE* open_file(const char* path, const char* mode) {
    const char* p = utf8_path(path, utf8Scratch);
    if (p == nullptr) errno = ENAMETOOLONG;
    FILE* f = p != nullptr ? std::fopen(p, mode) : nullptr;
    if (f == nullptr) keep_file_error(false);
    return f;
}

void keep_file_error(bool accessDenied) { g_fileError = accessDenied ? EACCES : errno; }

int32_t last_file_error() { return g_fileError; }

void describe_file_error(int32_t code, char* out, int32_t room) {
    if (room <= 0) return;
    std::snprintf(out, static_cast<size_t>(room), "%s", code != 0 ? std::strerror(code) : "");
}
