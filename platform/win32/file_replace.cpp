// Whole-file replacement on Win32: the C runtime's commit, then MoveFileExW
// with write-through, which swaps the name in one step on the same volume.
#include "platform/file_replace.h"

#include <io.h>
#include <windows.h>

#include <cstring>

#include "platform/files.h"
#include "platform/win32/native_path.h"

namespace {

wchar_t fromScratch[kPathUnits + 1];
wchar_t toScratch[kPathUnits + 1];

}  // namespace

FILE* open_staged_file(const char* staged, const char*) { return open_file(staged, "wb"); }

int32_t sync_file(FILE* file) {
    if (std::fflush(file) != 0) return 1;
    return _commit(_fileno(file)) == 0 ? 0 : 1;
}

int32_t replace_file(const char* staged, const char* path) {
    const wchar_t* from = wide_path(staged, fromScratch);
    const wchar_t* to = wide_path(path, toScratch);
    if (from == nullptr || to == nullptr) return 1;
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : 1;
}

int32_t remove_file(const char* path) {
    const wchar_t* p = wide_path(path, fromScratch);
    return p != nullptr && DeleteFileW(p) ? 0 : 1;
}
