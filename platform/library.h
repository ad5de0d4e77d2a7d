// Loading a shared library and finding an entry point in it.
#pragma once

typedef void* LibraryHandle;

// Loads the library baseName from folder (UTF-8, ending in a path
// separator; null: the program's own folder), by its full path and from
// nowhere else. The file is baseName + ".dll" on Windows and "lib" +
// baseName + ".so" elsewhere. Null when it cannot be loaded.
LibraryHandle load_library(const char* folder, const char* baseName);
// The address of the entry point name, or null.
void* find_entry(LibraryHandle library, const char* name);
// Unloads the library (null: nothing).
void free_library(LibraryHandle library);
// First thing at start-up: the libraries the system loads for the program
// come from System32 only, never from the current or the program's folder.
void limit_dll_search();
