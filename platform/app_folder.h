// The folder of the running program, where its own files lie.
//
// Not reentrant: app_folder converts the program's path in a static
// buffer, so it must not run on two threads at once.
#pragma once

#include <cstdint>

// Writes the folder, Shift_JIS and ending in a path separator, into out
// (room: capacity bytes). 0 done, 1 unknown or longer than the room.
int32_t app_folder(char* out, int32_t capacity);
// Makes app_folder answer folder instead (tests); null goes back to the
// program's own folder. folder must stay valid while it is in use.
void set_app_folder(const char* folder);
