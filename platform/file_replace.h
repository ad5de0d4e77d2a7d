// Replacing a file whole: a new version is written beside the old one and
// takes its place only once it is complete, so a failed write never leaves
// a half-written file behind. Paths are UTF-8, as in platform/files.h.
//
// Not reentrant: the staged name and the converted paths live in static
// buffers, so one staged write at a time, on one thread.
#pragma once

#include <cstdint>
#include <cstdio>

// --- Staged writing -----------------------------------------------------------------------

// Puts the whole contents of a file into the open file (binary) and reports
// whether every byte was written: 0 all written, anything else failed.
typedef int32_t (*FileContents)(FILE* file, void* context);

// Writes a file whole: contents goes into a file staged beside path (path
// with kStagedSuffix added), which is pushed to the disk and then put in
// path's place in one step. An existing path that cannot be written in
// place (read-only, a folder) is not replaced. 0 done; 1 failed, path
// untouched (its old bytes whole) and the staged file removed.
int32_t write_file_staged(const char* path, FileContents contents, void* context);
// The same for length bytes.
int32_t write_bytes_staged(const char* path, const void* bytes, int32_t length);

// What the staged file's name adds to the path.
extern const char kStagedSuffix[];

// --- The steps -------------------------------------------------------------------------------

// Opens staged for writing in binary, emptied, as the new version of path:
// on POSIX it gets path's permission bits when path exists, from the start.
// Null when it cannot be opened.
FILE* open_staged_file(const char* staged, const char* path);

// Pushes what was written to an open file through to the disk, so the file
// is complete before it takes another's place. 0 done, 1 failed.
int32_t sync_file(FILE* file);

// Puts the file at staged in the place of path (replacing path when it
// exists) in one step: path names either its old or its new contents, never
// a mix. On POSIX the folder is then synced, so the new name survives a
// crash. 0 done; 1 failed, path untouched and staged left for the caller.
int32_t replace_file(const char* staged, const char* path);

// Deletes a file. 0 done, 1 it could not be deleted.
int32_t remove_file(const char* path);
