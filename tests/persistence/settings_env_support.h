// Test surroundings of the settings store: a fresh program folder and an
// empty per-user store (the real registry under Wine, a private folder on
// POSIX), and the few platform facts tests look at directly.
#pragma once

#include <string>

// Empties the store, points the program's folder at a fresh temporary
// folder, resets the tables and flags. Returns that folder (with its
// trailing separator).
std::string fresh_settings_env();
// Removes what fresh_settings_env made in the store.
void clear_settings_store();

// The bytes of a file ("" when missing) and writing a whole file.
std::string file_bytes(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
void make_folder(const std::string& path);

// Read-only attribute (POSIX: no write permission for the owner).
void make_read_only(const std::string& path);
bool is_read_only(const std::string& path);

// A key inside the program's key, which keeps the program's key from being
// deleted; and its removal.
void make_program_subkey();
void remove_program_subkey();
