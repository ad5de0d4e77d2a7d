// The folder of the running program, where its own files lie.
//
// Not reentrant: app_folder converts the program's path in a static
// buffer, so it must not run on two threads at once.
//
// Paths are not text: inside the program every path is UTF-8, which carries
// any name the file system can hold. The W functions get it as UTF-16 and
// POSIX as its bytes; it is never put through code page 932, whose best fits
// (é to e, ¥ to a backslash) and question marks would name another file.
#pragma once

#include <cstdint>

// Writes the folder, UTF-8 (as every path inside the program) and ending in
// a path separator, into out (room: capacity bytes). 0 done, 1 unknown or
// longer than the room.
int32_t app_folder(char* out, int32_t capacity);
// Makes app_folder answer folder instead (tests); null goes back to the
// program's own folder. folder must stay valid while it is in use.
void set_app_folder(const char* folder);
