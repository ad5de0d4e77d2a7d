// The program's arguments as UTF-8 on every platform: Windows hands a
// console program its arguments in the system code page, so they are taken
// again from the UTF-16 command line.
#pragma once

// Replaces *argv with UTF-8 arguments (kept for the whole run) where the
// platform's own are not UTF-8; elsewhere leaves both unchanged.
void utf8_arguments(int* argc, char*** argv);
