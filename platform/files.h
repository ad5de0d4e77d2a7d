// Files by Shift_JIS path: what a path names, its protection attributes and
// opening it in binary. Windows gets the path as UTF-16 (W functions), POSIX
// as UTF-8, so the name on disk never depends on the system code page.
//
// Not reentrant: each function converts its path into one static buffer,
// so none of them may run on two threads at once.
#pragma once

#include <cstdint>
#include <cstdio>

// What a path names.
enum PathKind : int32_t { PathIsFile = 0, PathIsFolder = 1, PathMissing = 3 };

// PathIsFile, PathIsFolder or PathMissing. A name with a wildcard ('*', '?')
// names nothing: no file can carry one.
int32_t path_kind(const char* path);

// Takes the read-only and hidden attributes off an existing file (POSIX:
// gives its owner write permission; hidden is a name there, not a flag).
// 0 done, 1 the file does not exist or the change failed.
int32_t clear_read_only_hidden(const char* path);

// fopen with a binary mode ("rb", "wb", "ab"); null when it cannot be opened.
FILE* open_file(const char* path, const char* mode);
