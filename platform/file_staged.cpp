// Staged writing, the same on every platform: the new version goes into a
// file beside the old one and takes its place only when it is complete and
// on the disk. One staged name at a time (main thread); no heap use.
#include "platform/file_replace.h"

#include <cstring>

#include "platform/files.h"

const char kStagedSuffix[] = ".mivoka-new";

namespace {

// Room for a path plus the suffix of the file written beside it.
const int32_t kStagedPathBytes = 4096 + sizeof kStagedSuffix;

char stagedScratch[kStagedPathBytes];

struct Bytes {
    const void* data;
    size_t length;
};

int32_t put_bytes(FILE* file, void* context) {
    const Bytes* b = static_cast<const Bytes*>(context);
    return std::fwrite(b->data, 1, b->length, file) == b->length ? 0 : 1;
}

// A file that cannot be written in place (read-only) is not replaced
// either: "ab" opens it without touching its bytes. A folder is never
// replaced by a file.
bool may_replace(const char* path) {
    int32_t kind = file_kind(path);
    if (kind == PathIsFolder) {
        keep_file_error(true);
        return false;
    }
    if (kind != PathIsFile) return true;
    FILE* existing = open_file(path, "ab");
    if (existing == nullptr) return false;
    std::fclose(existing);
    return true;
}

}  // namespace

int32_t write_file_staged(const char* path, FileContents contents, void* context) {
    if (!may_replace(path)) return 1;
    size_t n = std::strlen(path);
    if (n + sizeof kStagedSuffix > sizeof stagedScratch) {
        keep_file_error(false);
        return 1;
    }
    std::memcpy(stagedScratch, path, n);
    std::memcpy(stagedScratch + n, kStagedSuffix, sizeof kStagedSuffix);
    FILE* f = open_staged_file(stagedScratch, path);
    if (f == nullptr) {
        keep_file_error(false);
        return 1;
    }
    bool ok = contents(f, context) == 0 && sync_file(f) == 0;
    ok = std::fclose(f) == 0 && ok;
    if (ok && replace_file(stagedScratch, path) == 0) return 0;
    keep_file_error(false);   // before the clean-up can change the reason
    remove_file(stagedScratch);
    return 1;
}

int32_t write_bytes_staged(const char* path, const void* bytes, int32_t length) {
    Bytes b = {bytes, length > 0 ? static_cast<size_t>(length) : 0};
    return write_file_staged(path, put_bytes, &b);
}
