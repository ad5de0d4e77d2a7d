// Settings values one at a time: the program's files, the back-end choice,
// the per-user store and the ini file. No heap; the text result is shared.
#include "persistence/settings_store.h"

#include <cstdio>
#include <cstring>

#include "persistence/ini_file.h"
#include "platform/app_folder.h"
#include "platform/files.h"
#include "platform/settings_store.h"

namespace {

const char* const kAppFileNames[] = {"", "Mivoka.ini", "use.ini", "resume.txt"};
const char kSection[] = "Base";

SettingsBackend g_backend = Registry;
char resultScratch[kSettingResultBytes];
char storeTextScratch[kStoreTextRoom];
char iniPathScratch[kAppPathBytes];

}  // namespace

int32_t app_file_path(int32_t file, char* out) {
    out[0] = '\0';
    char folder[kAppFolderBytes];
    if (file < AppFolder || file > ResumeFile || app_folder(folder, kAppFolderBytes) != 0) return 1;
    std::snprintf(out, kAppPathBytes, "%s%s", folder, kAppFileNames[file]);
    if (file != AppFolder) clear_protect_attributes(out);
    return 0;
}

void choose_settings_backend() {
    char marker[kAppPathBytes];
    bool ini = app_file_path(IniMarker, marker) == 0 && file_kind(marker) == 0;
    g_backend = ini ? IniFile : Registry;
}

SettingsBackend settings_backend() { return g_backend; }
void set_settings_backend(SettingsBackend backend) { g_backend = backend; }

int32_t registry_value(int32_t op, const char* name, void* data, bool parent) {
    int32_t key = parent ? MakerKey : ProgramKey;
    switch (op) {
    case RegistryWriteInt:
        return store_write_int(key, name, *static_cast<const int32_t*>(data)) == 1 ? 1 : 0;
    case RegistryReadInt:
        return store_read_int(key, name, static_cast<int32_t*>(data)) == StoreNoKey ? 1 : 0;
    case RegistryWriteText: {
        const char* text = static_cast<const char*>(data);
        int32_t length = char_boundary_length(text, kStoredTextBytes);
        return store_write_text(key, name, text, length) == 1 ? 1 : 0;
    }
    case RegistryReadText: {
        int32_t r = store_read_text(key, name, storeTextScratch);
        if (r == StoreFound) {
            int32_t length = char_boundary_length(storeTextScratch, kStoredTextBytes);
            std::memcpy(data, storeTextScratch, static_cast<size_t>(length));
            static_cast<char*>(data)[length] = '\0';
        }
        return r == StoreNoKey ? 1 : 0;
    }
    default:
        return 1;
    }
}

// --- Single values -----------------------------------------------------------------

int32_t read_int_setting(const char* key, uint32_t max, int32_t def) {
    int32_t value = -1;
    if (g_backend == IniFile) {
        app_file_path(SettingsFile, iniPathScratch);
        value = ini_read_int(iniPathScratch, kSection, key, def);
    } else {
        registry_value(RegistryReadInt, key, &value, false);
    }
    return static_cast<uint32_t>(value) > max ? def : value;
}

const char* read_text_setting(const char* key, const char* def) {
    // def may be a stored value that is read again: copy it before clearing.
    char fallback[kStoredTextBytes + 1];
    int32_t length = char_boundary_length(def, kStoredTextBytes);
    std::memcpy(fallback, def, static_cast<size_t>(length));
    fallback[length] = '\0';
    std::memset(resultScratch, 0, sizeof resultScratch);
    if (g_backend == IniFile) {
        app_file_path(SettingsFile, iniPathScratch);
        ini_read_text(iniPathScratch, kSection, key, fallback, resultScratch, kStoredTextBytes);
    } else {
        std::memcpy(resultScratch, fallback, static_cast<size_t>(length) + 1);
        registry_value(RegistryReadText, key, resultScratch, false);
    }
    return resultScratch;
}

void write_int_setting(const char* key, int32_t value) {
    if (g_backend == Registry) {
        registry_value(RegistryWriteInt, key, &value, false);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    app_file_path(SettingsFile, iniPathScratch);
    ini_write(iniPathScratch, kSection, key, text);
}

void write_text_setting(const char* key, const char* text) {
    // Cut at a character boundary: half a double-byte character would
    // swallow the closing quote or turn into a wrong character.
    char cut[kStoredTextBytes + 1];
    int32_t length = char_boundary_length(text, kStoredTextBytes);
    std::memcpy(cut, text, static_cast<size_t>(length));
    cut[length] = '\0';
    if (g_backend == Registry) {
        registry_value(RegistryWriteText, key, cut, false);
        return;
    }
    char quoted[kStoredTextBytes + 3];
    std::snprintf(quoted, sizeof quoted, "\"%s\"", cut);
    app_file_path(SettingsFile, iniPathScratch);
    ini_write(iniPathScratch, kSection, key, quoted);
}
