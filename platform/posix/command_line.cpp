// POSIX programs receive their arguments as the bytes given: UTF-8 already.
#include "platform/command_line.h"

void utf8_arguments(int* /*argc*/, char*** /*argv*/) {}
