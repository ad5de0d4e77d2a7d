// The program's folder on POSIX, from /proc/self/exe, turned from the file
// system's UTF-8 into Shift_JIS like every other path inside the program.
#include "platform/app_folder.h"

#include <unistd.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

const char* g_folderOverride = nullptr;
const int32_t kLinkBytes = 4096;
char g_link[kLinkBytes];
uint16_t g_units[kLinkBytes];
char g_sjis[kLinkBytes * kCp932BytesPerUtf16 + 1];

}  // namespace

void set_app_folder(const char* folder) { g_folderOverride = folder; }

int32_t app_folder(char* out, int32_t capacity) {
    const char* folder = g_folderOverride;
    if (folder == nullptr) {
        ssize_t n = readlink("/proc/self/exe", g_link, sizeof g_link);
        if (n <= 0 || n >= kLinkBytes) return 1;
        g_link[n] = '\0';
        const char* slash = std::strrchr(g_link, '/');
        if (slash == nullptr) return 1;
        int32_t length = static_cast<int32_t>(slash - g_link) + 1;
        int32_t units = utf8_to_utf16(g_link, length, g_units);
        g_sjis[utf16_to_cp932(g_units, units, g_sjis, nullptr, nullptr)] = '\0';
        folder = g_sjis;
    }
    size_t n = std::strlen(folder);
    if (n + 1 > static_cast<size_t>(capacity)) return 1;
    std::memcpy(out, folder, n + 1);
    return 0;
}
