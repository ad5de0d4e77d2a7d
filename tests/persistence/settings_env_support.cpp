// Test surroundings of the settings store on each platform.
#include "tests/persistence/settings_env_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "persistence/settings_store.h"
#include "platform/app_folder.h"
#include "platform/settings_store.h"

namespace {

std::string g_folder;

void remove_temp_root();

// One folder per test process, so test programs running side by side never
// share files (the registry itself is shared: ctest runs those one at a time).
std::string temp_root() {
    static std::string root;
    if (!root.empty()) return root;
#ifdef _WIN32
    long pid = _getpid();
#else
    long pid = getpid();
#endif
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("mivoka-persistence-test-" + std::to_string(pid));
    std::filesystem::create_directories(path);
    root = path.string();
    std::atexit(remove_temp_root);
    return root;
}

void remove_temp_root() {
    std::error_code ignored;
    std::filesystem::remove_all(temp_root(), ignored);
}

}  // namespace

void clear_settings_store() {
    set_store_denied(false);
    remove_program_subkey();
    store_delete_key(ProgramKey);
    store_delete_key(MakerKey);
}

std::string fresh_settings_env() {
    std::string root = temp_root();
#ifndef _WIN32
    std::filesystem::remove_all(root + "/config");
    setenv("MIVOKA_CONFIG_HOME", (root + "/config").c_str(), 1);
#endif
    clear_settings_store();
    std::filesystem::path app = std::filesystem::path(root) / "app";
    std::filesystem::remove_all(app);
    std::filesystem::create_directories(app);
    g_folder = app.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    set_app_folder(g_folder.c_str());
    reset_settings_tables();
    set_no_save(false);
    set_settings_backend(Registry);
    return g_folder;
}

std::string file_bytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return "";
    std::string bytes;
    char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
    return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void make_folder(const std::string& path) { std::filesystem::create_directories(path); }

#ifdef _WIN32
void make_read_only(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}
bool is_read_only(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) != 0;
}
void make_program_subkey() {
    HKEY h = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka\\child", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &h, nullptr);
    if (h != nullptr) RegCloseKey(h);
}
void remove_program_subkey() { RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Velmora Tools\\Mivoka\\child"); }
#else
void make_read_only(const std::string& path) { chmod(path.c_str(), 0444); }
bool is_read_only(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}
std::string program_subkey() {
    const char* home = std::getenv("MIVOKA_CONFIG_HOME");
    return std::string(home != nullptr ? home : "/nonexistent") + "/Velmora Tools/Mivoka/child";
}
void make_program_subkey() { std::filesystem::create_directories(program_subkey()); }
void remove_program_subkey() {
    std::error_code ignored;
    std::filesystem::remove(program_subkey(), ignored);
}
#endif
