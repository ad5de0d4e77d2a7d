// Whole-file replacement on POSIX: the staged file takes the old one's
// permission bits when it is created, is fsynced, then rename()d over the
// old name (atomic within one file system), and the folder is fsynced so
// the new name is on the disk too.
#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/posix/native_path.h"

namespace {

char fromScratch[kUtf8PathBytes];
char toScratch[kUtf8PathBytes];

// Read and write bits for everyone the umask allows: what fopen gives.
const mode_t kNewFileMode = 0666;

// Syncs the folder that holds path (UTF-8); its name is cut out of toScratch.
void sync_folder_of(char* path) {
    char* slash = std::strrchr(path, '/');
    const char* folder = ".";
    if (slash == path) {
        folder = "/";
    } else if (slash != nullptr) {
        *slash = '\0';
        folder = path;
    }
    int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);   // some file systems cannot sync a folder; the rename stands anyway
    close(fd);
}

}  // namespace

FILE* open_staged_file(const char* staged, const char* path) {
    const char* from = utf8_path(staged, fromScratch);
    const char* to = utf8_path(path, toScratch);
    if (from == nullptr || to == nullptr) return nullptr;
    struct stat old;
    bool keep = stat(to, &old) == 0 && S_ISREG(old.st_mode);
    int fd = open(from, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return nullptr;
    // The umask must not narrow the old bits, and a staged file left by an
    // earlier run keeps its own: set them outright. Set-id bits never pass.
    if (keep && fchmod(fd, old.st_mode & 0777) != 0) {
        close(fd);
        return nullptr;
    }
    FILE* f = fdopen(fd, "wb");
    if (f == nullptr) close(fd);
    return f;
}

int32_t sync_file(FILE* file) {
    if (std::fflush(file) != 0) return 1;
    return fsync(fileno(file)) == 0 ? 0 : 1;
}

int32_t replace_file(const char* staged, const char* path) {
    const char* from = utf8_path(staged, fromScratch);
    const char* to = utf8_path(path, toScratch);
    if (from == nullptr || to == nullptr) return 1;
    if (std::rename(from, to) != 0) return 1;
    sync_folder_of(toScratch);
    return 0;
}

int32_t remove_file(const char* path) {
    const char* p = utf8_path(path, fromScratch);
    return p != nullptr && std::remove(p) == 0 ? 0 : 1;
}
