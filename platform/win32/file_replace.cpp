// Whole-file replacement on Win32: the C runtime's commit, then MoveFileExW
// with write-through, which swaps the name in one step on the same volume.
#include "platform/file_replace.h"

#include <io.h>
#include <windows.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

const int32_t kPathUnits = 4096;

// The UTF-16 form of a Shift_JIS path (room: kPathUnits + 1); null when the
// path is too long.
const wchar_t* utf16_path(const char* path, wchar_t* out) {
    size_t length = std::strlen(path);
    if (length > static_cast<size_t>(kPathUnits)) return nullptr;
    int32_t n = cp932_to_utf16(path, static_cast<int32_t>(length), reinterpret_cast<uint16_t*>(out));
    out[n] = L'\0';
    return out;
}

wchar_t g_from[kPathUnits + 1];
wchar_t g_to[kPathUnits + 1];

}  // namespace

int32_t sync_file(FILE* file) {
    if (std::fflush(file) != 0) return 1;
    return _commit(_fileno(file)) == 0 ? 0 : 1;
}

int32_t replace_file(const char* staged, const char* path) {
    const wchar_t* from = utf16_path(staged, g_from);
    const wchar_t* to = utf16_path(path, g_to);
    if (from == nullptr || to == nullptr) return 1;
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : 1;
}

int32_t remove_file(const char* path) {
    const wchar_t* p = utf16_path(path, g_from);
    return p != nullptr && DeleteFileW(p) ? 0 : 1;
}
