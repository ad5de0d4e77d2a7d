// The program's folder on POSIX, from /proc/self/exe.
#include "platform/app_folder.h"

#include <unistd.h>

#include <cstring>

static const char* g_folderOverride = nullptr;

void set_app_folder(const char* folder) { g_folderOverride = folder; }

int32_t app_folder(char* out, int32_t capacity) {
    if (g_folderOverride != nullptr) {
        size_t n = std::strlen(g_folderOverride);
        if (n + 1 > static_cast<size_t>(capacity)) return 1;
        std::memcpy(out, g_folderOverride, n + 1);
        return 0;
    }
    ssize_t n = readlink("/proc/self/exe", out, static_cast<size_t>(capacity));
    if (n <= 0 || n >= capacity) return 1;
    out[n] = '\0';
    char* slash = std::strrchr(out, '/');
    if (slash == nullptr) return 1;
    slash[1] = '\0';
    return 0;
}
