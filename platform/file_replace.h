// Replacing a file whole: a new version is written beside the old one and
// takes its place only once it is complete, so a failed write never leaves
// a half-written file behind. Paths are Shift_JIS, as in platform/files.h.
#pragma once

#include <cstdint>
#include <cstdio>

// Pushes what was written to an open file through to the disk, so the file
// is complete before it takes another's place. 0 done, 1 failed.
int32_t sync_file(FILE* file);

// Puts the file at staged in the place of path (replacing path when it
// exists) in one step: path names either its old or its new contents, never
// a mix. 0 done; 1 failed, path untouched and staged left for the caller.
int32_t replace_file(const char* staged, const char* path);

// Deletes a file. 0 done, 1 it could not be deleted.
int32_t remove_file(const char* path);
