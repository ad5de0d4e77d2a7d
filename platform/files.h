// Files by UTF-8 path: what a path names, its protection attributes and
// opening it in binary. Windows gets the path as UTF-16 (W functions), POSIX
// as its bytes, so the name on disk never depends on the system code page.
//
// Not reentrant: each function converts its path into one static buffer,
// so none of them may run on two threads at once.
#pragma once

#include <cstdint>
#include <cstdio>

// What a path names. A drive root ("C:\") is never found as a file or a
// folder by the probe the program has always used, so it has a kind of its own.
enum PathKind : int32_t { PathIsFile = 0, PathIsFolder = 1, PathDriveRoot = 2, PathMissing = 3 };

// PathIsFile, PathIsFolder, PathDriveRoot (nothing found, but the path is
// exactly a drive root of three characters) or PathMissing. A name with a
// wildcard ('*', '?') names nothing: no file can carry one.
int32_t file_kind(const char* path);

// file_kind's answer for a path the probe did not find.
inline int32_t unfound_kind(const char* path) {
    char letter = static_cast<char>(path[0] | 0x20);
    bool root = letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\' && path[3] == '\0';
    return root ? PathDriveRoot : PathMissing;
}

// Takes the read-only and hidden attributes off an existing file (POSIX:
// gives its owner write permission; hidden is a name there, not a flag).
// 0 done, 1 the file does not exist or the change failed (no caller needs
// the result).
int32_t clear_protect_attributes(const char* path);

// fopen with a binary mode ("rb", "wb", "ab"); null when it cannot be
// opened (the system's reason is then kept, see last_file_error).
FILE* open_file(const char* path, const char* mode);

// --- Why a file action failed ------------------------------------------------------------

// Keeps the system's reason for the failure that just happened (GetLastError
// on Windows, errno on POSIX); accessDenied keeps "access denied" instead,
// for a refusal of the program's own (a folder or read-only file that is
// not to be replaced).
void keep_file_error(bool accessDenied);
// The reason kept last, in the system's own codes; 0 when none was kept.
int32_t last_file_error();
// The system's description of a kept reason in UTF-8 (room: room bytes),
// without a trailing line break; empty when the system has none.
void describe_file_error(int32_t code, char* out, int32_t room);
