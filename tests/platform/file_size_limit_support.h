// Tests of writes that fail midway (POSIX): the file-size limit lowered for
// the length of one call, with SIGXFSZ ignored so a write past the limit
// fails (EFBIG) instead of killing the test.
#pragma once

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#include <cstdint>

// Runs write() with the limit at bytes and puts the limit and the signal's
// handling back; write's result, or -1 when the limit could not be lowered.
template <typename Write>
int32_t with_file_size_limit(rlim_t bytes, Write write) {
    struct rlimit saved;
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return -1;
    struct rlimit small = saved;
    small.rlim_cur = bytes;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &small) != 0) {
        std::signal(SIGXFSZ, previous);
        return -1;
    }
    int32_t result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}
#endif
