// Files on Win32: UTF-8 paths turned into UTF-16 for the W functions.
#include "platform/files.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/native_path.h"

namespace {

wchar_t wideScratch[kPathUnits + 1];
DWORD g_fileError = 0;

}  // namespace

int32_t file_kind(const char* path) {
    const wchar_t* p = wide_path(path, wideScratch);
    if (p == nullptr || std::strpbrk(path, "*?") != nullptr) return PathMissing;
    // FindFirstFile, as the program's probes always did.
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(p, &found);
    if (h == INVALID_HANDLE_VALUE) return unfound_kind(path);
    FindClose(h);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathIsFolder : PathIsFile;
}

int32_t clear_protect_attributes(const char* path) {
    const wchar_t* p = wide_path(path, wideScratch);
    if (p == nullptr) return 1;
    DWORD attributes = GetFileAttributesW(p);
    if (attributes == INVALID_FILE_ATTRIBUTES) return 1;
    DWORD cleared = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    if (cleared == attributes) return 0;
    return SetFileAttributesW(p, cleared) ? 0 : 1;
}

FILE* open_file(const char* path, const char* mode) {
    const wchar_t* p = wide_path(path, wideScratch);
    wchar_t wideMode[8];
    size_t n = std::strlen(mode);
    if (p == nullptr || n >= 8) {
        SetLastError(ERROR_INVALID_NAME);
        keep_file_error(false);
        return nullptr;
    }
    for (size_t i = 0; i <= n; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
    FILE* f = _wfopen(p, wideMode);
    if (f == nullptr) keep_file_error(false);
    return f;
}

void keep_file_error(bool accessDenied) { g_fileError = accessDenied ? ERROR_ACCESS_DENIED : GetLastError(); }

int32_t last_file_error() { return static_cast<int32_t>(g_fileError); }

void describe_file_error(int32_t code, char* out, int32_t room) {
    if (room <= 0) return;
    out[0] = '\0';
    static wchar_t text[512];
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD units = code != 0 ? FormatMessageW(flags, nullptr, static_cast<DWORD>(code), 0, text, 512, nullptr) : 0;
    while (units > 0 && (text[units - 1] == L'\n' || text[units - 1] == L'\r' || text[units - 1] == L' ')) --units;
    if (units == 0) return;
    text[units] = L'\0';
    utf8_from_wide(text, out, room);
}
