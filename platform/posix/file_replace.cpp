// Whole-file replacement on POSIX: fsync, then rename(), which replaces the
// name atomically within one file system.
#include "platform/file_replace.h"

#include <unistd.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

const int32_t kPathBytes = 4096;

// The UTF-8 form of a Shift_JIS path (room: kPathBytes * 3 + 1); null when
// the path is too long.
const char* utf8_path(const char* path, char* out) {
    static uint16_t units[kPathBytes];
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(kPathBytes)) return nullptr;
    int32_t n = cp932_to_utf16(path, static_cast<int32_t>(length), units);
    out[utf16_to_utf8(units, n, out)] = '\0';
    return out;
}

char g_from[kPathBytes * kUtf8BytesPerUtf16 + 1];
char g_to[kPathBytes * kUtf8BytesPerUtf16 + 1];

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
