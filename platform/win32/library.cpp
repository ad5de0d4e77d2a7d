// Shared libraries on Win32: LoadLibraryW with the path converted from
// Shift_JIS, GetProcAddress.
#include "platform/library.h"

#include <windows.h>

#include <cstring>

#include "platform/app_folder.h"
#include "platform/codepage.h"

LibraryHandle load_library(const char* folder, const char* baseName) {
    char own[MAX_PATH * 2];
    if (folder == nullptr) {
        if (app_folder(own, sizeof own) != 0) return nullptr;
        folder = own;
    }
    char path[MAX_PATH * 2 + 256];
    size_t f = std::strlen(folder), b = std::strlen(baseName);
    if (f + b + 5 > sizeof path) return nullptr;
    std::memcpy(path, folder, f);
    std::memcpy(path + f, baseName, b);
    std::memcpy(path + f + b, ".dll", 5);
    int32_t length = static_cast<int32_t>(f + b + 4);
    wchar_t wide[sizeof path];
    int32_t units = cp932_to_utf16(path, length, reinterpret_cast<uint16_t*>(wide));
    wide[units] = L'\0';
    return LoadLibraryW(wide);
}

void* find_entry(LibraryHandle library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void free_library(LibraryHandle library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}
