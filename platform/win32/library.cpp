// Shared libraries on Win32: LoadLibraryExW on the full UTF-16 path, with
// the search limited to the library's own folder and System32, so no other
// folder's DLL is ever taken in; GetProcAddress.
#include "platform/library.h"

#include <windows.h>

#include <cstring>

#include "platform/app_folder.h"
#include "platform/win32/native_path.h"

namespace {

// Not in every SDK's headers: the search flags of Windows 8 and of
// Windows 7 with its loader update.
const DWORD kSearchDllLoadDir = 0x00000100;
const DWORD kSearchSystem32 = 0x00000800;

}  // namespace

LibraryHandle load_library(const char* folder, const char* baseName) {
    static char own[kPathUnits * 3];
    if (folder == nullptr) {
        if (app_folder(own, sizeof own) != 0) return nullptr;
        folder = own;
    }
    static char path[kPathUnits * 3 + 256];
    size_t f = std::strlen(folder), b = std::strlen(baseName);
    if (f + b + 5 > sizeof path) return nullptr;
    std::memcpy(path, folder, f);
    std::memcpy(path + f, baseName, b);
    std::memcpy(path + f + b, ".dll", 5);
    static wchar_t wide[kPathUnits + 1];
    if (wide_path(path, wide) == nullptr) return nullptr;
    HMODULE library = LoadLibraryExW(wide, nullptr, kSearchDllLoadDir | kSearchSystem32);
    // A Windows 7 without the loader update refuses the flags; the full
    // path then still names exactly this file.
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        library = LoadLibraryExW(wide, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return library;
}

void* find_entry(LibraryHandle library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void free_library(LibraryHandle library) {
    if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

void limit_dll_search() {
    // Resolved at run time: absent on a Windows 7 without the loader update.
    typedef BOOL(WINAPI * SetDirectories)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set = kernel != nullptr ? reinterpret_cast<SetDirectories>(
                                       reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                 : nullptr;
    if (set != nullptr) set(kSearchSystem32);
}
