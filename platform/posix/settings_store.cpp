// The settings store on POSIX: each key a folder with a "values" file of one
// line per value, "i NAME DECIMAL" or "t NAME HEX-BYTES", in the order first
// written. A write replaces the file whole (written aside, then renamed).
#include "platform/settings_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int32_t kPathBytes = 4096;
const int32_t kFileBytes = 256 * 1024;
const char* const kKeyFolders[2] = {"/Velmora Tools", "/Velmora Tools/Mivoka"};

bool g_denied = false;
char folderScratch[kPathBytes];
char pathScratch[kPathBytes + 16];
char asideScratch[kPathBytes + 16];
char fileScratch[kFileBytes];
char outScratch[kFileBytes];
int32_t g_fileLength = 0;

// The folder of key in folderScratch; false when there is no home to put it in.
bool key_folder(int32_t key) {
    const char* root = std::getenv("MIVOKA_CONFIG_HOME");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    int n = -1;
    if (root != nullptr && root[0] != '\0') n = std::snprintf(folderScratch, kPathBytes, "%s", root);
    else if (xdg != nullptr && xdg[0] != '\0') n = std::snprintf(folderScratch, kPathBytes, "%s/Mivoka", xdg);
    else if (home != nullptr) n = std::snprintf(folderScratch, kPathBytes, "%s/.config/Mivoka", home);
    if (n < 0 || n >= kPathBytes - 32) return false;
    std::strcat(folderScratch, kKeyFolders[key]);
    return true;
}

bool is_folder(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes every folder of folderScratch that is missing.
bool make_folders() {
    for (char* p = folderScratch + 1; *p != '\0'; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        bool ok = mkdir(folderScratch, 0700) == 0 || errno == EEXIST;
        *p = '/';
        if (!ok) return false;
    }
    return mkdir(folderScratch, 0700) == 0 || errno == EEXIST;
}

// Opens key (create: makes it) and reads its values into fileScratch.
bool open_key(int32_t key, bool create) {
    if (g_denied || key < MakerKey || key > ProgramKey || !key_folder(key)) return false;
    if (create && !make_folders()) return false;
    if (!is_folder(folderScratch) || access(folderScratch, R_OK | W_OK | X_OK) != 0) return false;
    std::snprintf(pathScratch, sizeof pathScratch, "%s/values", folderScratch);
    g_fileLength = 0;
    FILE* f = std::fopen(pathScratch, "rb");
    if (f == nullptr) return errno == ENOENT;
    g_fileLength = static_cast<int32_t>(std::fread(fileScratch, 1, kFileBytes, f));
    bool whole = std::fgetc(f) == EOF && !std::ferror(f);
    std::fclose(f);
    return whole;
}

bool valid_name(const char* name) {
    return name[0] != '\0' && std::strpbrk(name, " \r\n") == nullptr;
}

// The line of name in fileScratch: its start, or -1; *end is one past its '\n'.
int32_t find_line(const char* name, int32_t* end) {
    size_t nameLength = std::strlen(name);
    for (int32_t start = 0; start < g_fileLength;) {
        const char* line = fileScratch + start;
        const char* newline = static_cast<const char*>(std::memchr(line, '\n', g_fileLength - start));
        int32_t next = newline != nullptr ? static_cast<int32_t>(newline - fileScratch) + 1 : g_fileLength;
        if (next - start > static_cast<int32_t>(nameLength) + 3 && std::memcmp(line + 2, name, nameLength) == 0 &&
            line[2 + nameLength] == ' ') {
            *end = next;
            return start;
        }
        start = next;
    }
    return -1;
}

// Puts line (length bytes, '\n' included) in place of name's line or at the end.
int32_t write_line(const char* name, const char* line, int32_t length) {
    int32_t end = 0;
    int32_t start = find_line(name, &end);
    if (start < 0) start = end = g_fileLength;
    // A new line after a last line that lacks its line break starts on a
    // line of its own.
    int32_t gap = start == g_fileLength && start > 0 && fileScratch[start - 1] != '\n' ? 1 : 0;
    int32_t total = start + gap + length + (g_fileLength - end);
    if (total > kFileBytes) return 2;
    std::memcpy(outScratch, fileScratch, static_cast<size_t>(start));
    if (gap) outScratch[start] = '\n';
    std::memcpy(outScratch + start + gap, line, static_cast<size_t>(length));
    std::memcpy(outScratch + start + gap + length, fileScratch + end, static_cast<size_t>(g_fileLength - end));
    std::snprintf(asideScratch, sizeof asideScratch, "%s/values.new", folderScratch);
    FILE* f = std::fopen(asideScratch, "wb");
    if (f == nullptr) return 2;
    bool ok = std::fwrite(outScratch, 1, static_cast<size_t>(total), f) == static_cast<size_t>(total);
    ok = std::fclose(f) == 0 && ok;
    return ok && std::rename(asideScratch, pathScratch) == 0 ? 0 : 2;
}

// The data of name's line if it has the type letter: its start and length.
const char* find_value(const char* name, char type, int32_t* length) {
    int32_t end = 0;
    int32_t start = find_line(name, &end);
    if (start < 0 || fileScratch[start] != type) return nullptr;
    int32_t data = start + 3 + static_cast<int32_t>(std::strlen(name));
    *length = end - data - (fileScratch[end - 1] == '\n' ? 1 : 0);
    return fileScratch + data;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

int32_t store_write_int(int32_t key, const char* name, int32_t value) {
    if (!open_key(key, true)) return 1;
    if (!valid_name(name) || std::strlen(name) > 256) return 2;
    char line[300];
    int n = std::snprintf(line, sizeof line, "i %s %ld\n", name, static_cast<long>(value));
    return write_line(name, line, n);
}

int32_t store_write_text(int32_t key, const char* name, const char* text, int32_t length) {
    if (!open_key(key, true)) return 1;
    if (!valid_name(name) || std::strlen(name) > 256) return 2;
    static char line[300 + 2 * kStoreTextRoom];
    if (length > kStoreTextRoom - 1) length = kStoreTextRoom - 1;
    int n = std::snprintf(line, sizeof line, "t %s ", name);
    for (int32_t i = 0; i < length; ++i) {
        n += std::snprintf(line + n, 3, "%02x", static_cast<unsigned>(static_cast<uint8_t>(text[i])));
    }
    line[n++] = '\n';
    return write_line(name, line, n);
}

int32_t store_read_int(int32_t key, const char* name, int32_t* value) {
    *value = -1;
    if (!open_key(key, false)) return StoreNoKey;
    int32_t length = 0;
    const char* data = valid_name(name) ? find_value(name, 'i', &length) : nullptr;
    if (data == nullptr || length <= 0 || length > 11) return StoreNoValue;
    char number[12];
    std::memcpy(number, data, static_cast<size_t>(length));
    number[length] = '\0';
    char* end = nullptr;
    long long v = std::strtoll(number, &end, 10);
    // Only what a 32-bit value holds is a value (a wider number is no value).
    if (*end != '\0' || v < INT32_MIN || v > INT32_MAX) return StoreNoValue;
    *value = static_cast<int32_t>(v);
    return StoreFound;
}

int32_t store_read_text(int32_t key, const char* name, char* out) {
    out[0] = '\0';
    if (!open_key(key, false)) return StoreNoKey;
    int32_t length = 0;
    const char* data = valid_name(name) ? find_value(name, 't', &length) : nullptr;
    if (data == nullptr || length % 2 != 0 || length / 2 > kStoreTextRoom - 1) return StoreNoValue;
    for (int32_t i = 0; i < length / 2; ++i) {
        int high = hex_digit(data[2 * i]), low = hex_digit(data[2 * i + 1]);
        if (high < 0 || low < 0) return out[0] = '\0', StoreNoValue;
        out[i] = static_cast<char>(high * 16 + low);
    }
    out[length / 2] = '\0';
    return StoreFound;
}

int32_t store_delete_key(int32_t key) {
    if (g_denied || key < MakerKey || key > ProgramKey) return 1;
    // Like the registry: a key that still holds the program's key stays.
    if (key == MakerKey && key_folder(ProgramKey) && is_folder(folderScratch)) return 1;
    if (!key_folder(key) || !is_folder(folderScratch)) return 1;
    std::snprintf(pathScratch, sizeof pathScratch, "%s/values", folderScratch);
    if (unlink(pathScratch) != 0 && errno != ENOENT) return 1;
    return rmdir(folderScratch) == 0 ? 0 : 1;
}

bool store_key_exists(int32_t key) {
    return !g_denied && key >= MakerKey && key <= ProgramKey && key_folder(key) && is_folder(folderScratch);
}

void set_store_denied(bool denied) { g_denied = denied; }
