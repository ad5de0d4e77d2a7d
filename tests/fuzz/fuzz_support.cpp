// Support of the fuzz targets (see fuzz_support.h).
#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

std::string g_folder;

void remove_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

}  // namespace

void fuzz_fail(const char* format, ...) {
    std::fputs("\nproperty failed: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}

const std::string& fuzz_folder() {
    if (!g_folder.empty()) return g_folder;
    // Memory-backed when the machine has /dev/shm: documents are written
    // with fsync, which would otherwise make every input wait for the disk.
    std::filesystem::path base = std::filesystem::temp_directory_path();
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0) base = "/dev/shm";
    std::string pattern = (base / "mivoka-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fuzz_fail("cannot make a scratch folder");
    g_folder = pattern + "/";
    std::atexit(remove_folder);
    return g_folder;
}

void fuzz_write_file(const std::string& path, const void* bytes, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(bytes, 1, size, f) != size || std::fclose(f) != 0) {
        fuzz_fail("cannot write %s", path.c_str());
    }
}

std::string fuzz_file_bytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return "";
    std::string bytes;
    char chunk[8192];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
    return bytes;
}

std::string printable(const std::string& bytes) {
    std::string out;
    char hex[8];
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

uint8_t take_byte(FuzzInput* in) { return in->at < in->size ? in->data[in->at++] : 0; }

std::string take_until_nul(FuzzInput* in) {
    size_t start = in->at;
    while (in->at < in->size && in->data[in->at] != 0) ++in->at;
    std::string text(reinterpret_cast<const char*>(in->data + start), in->at - start);
    if (in->at < in->size) ++in->at;
    return text;
}

std::string take_rest(FuzzInput* in) {
    std::string text(reinterpret_cast<const char*>(in->data + in->at), in->size - in->at);
    in->at = in->size;
    return text;
}
