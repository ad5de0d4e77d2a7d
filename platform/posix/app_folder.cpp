// The program's folder on POSIX, from /proc/self/exe: its bytes, as the
// file system names it.
#include "platform/app_folder.h"

#include <unistd.h>

#include <cstring>


namespace {

const char* g_folderOverride = nullptr;
const int32_t kLinkBytes = 4096;
char linkScratch[kLinkBytes];

}  // namespace

void set_app_folder(const char* folder) { g_folderOverride = folder; }

int32_t app_folder(char* out, int32_t capacity) {
    const char* folder = g_folderOverride;
    if (folder == nullptr) {
        ssize_t n = readlink("/proc/self/exe", linkScratch, sizeof linkScratch);
        if (n <= 0 || n >= kLinkBytes) return 1;
        linkScratch[n] = '\0';
        char* slash = std::strrchr(linkScratch, '/');
        if (slash == nullptr) return 1;
        slash[1] = '\0';
        folder = linkScratch;
    }
    size_t n = std::strlen(folder);
    if (n + 1 > static_cast<size_t>(capacity)) return 1;
    std::memcpy(out, folder, n + 1);
    return 0;
}
