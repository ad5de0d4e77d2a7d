// Shared libraries on POSIX: dlopen and dlsym.
#include "platform/library.h"

#include <dlfcn.h>

#include <cstdio>

#include "platform/app_folder.h"

LibraryHandle load_library(const char* folder, const char* baseName) {
    char own[4096];
    if (folder == nullptr) {
        if (app_folder(own, sizeof own) != 0) return nullptr;
        folder = own;
    }
    char path[4096 + 256];
    int n = std::snprintf(path, sizeof path, "%slib%s.so", folder, baseName);
    if (n < 0 || n >= static_cast<int>(sizeof path)) return nullptr;
    // RTLD_LOCAL: the library's symbols never stand in for the program's.
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* find_entry(LibraryHandle library, const char* name) {
    return library != nullptr ? dlsym(library, name) : nullptr;
}

void free_library(LibraryHandle library) {
    if (library != nullptr) dlclose(library);
}

// The dynamic loader searches only where the program was linked to look.
void limit_dll_search() {}
