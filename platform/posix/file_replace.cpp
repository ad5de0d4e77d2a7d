// Whole-file replacement on POSIX: fsync, then rename(), which replaces the
// name atomically within one file system.
#include "platform/file_replace.h"

#include <unistd.h>

#include <cstring>

#include "platform/posix/native_path.h"

namespace {

char g_from[kUtf8PathBytes];
char g_to[kUtf8PathBytes];

}  // namespace

int32_t sync_file(FILE* file) {
    if (std::fflush(file) != 0) return 1;
    return fsync(fileno(file)) == 0 ? 0 : 1;
}

int32_t replace_file(const char* staged, const char* path) {
    const char* from = utf8_path(staged, g_from);
    const char* to = utf8_path(path, g_to);
    if (from == nullptr || to == nullptr) return 1;
    return std::rename(from, to) == 0 ? 0 : 1;
}

int32_t remove_file(const char* path) {
    const char* p = utf8_path(path, g_from);
    return p != nullptr && std::remove(p) == 0 ? 0 : 1;
}
