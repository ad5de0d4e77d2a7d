// The settings store: the program's own files beside the executable, the
// two back-ends (the ini file Mivoka.ini when "use.ini" stands beside the
// executable, else the per-user store of platform/settings_store.h), one
// value at a time, and the whole tables loaded once at start and saved once
// at exit. Main (window) thread only.
#pragma once

#include <cstdint>

#include "settings/settings_tables.h"

struct StartUpOutcome;

// --- The program's own files ----------------------------------------------------

enum AppFile : int32_t { AppFolder = 0, SettingsFile = 1, IniMarker = 2, ResumeFile = 3 };

// Room for a path of app_file_path: the folder in UTF-8 (259 characters of
// up to four bytes each, and the terminator) and the longest file name.
constexpr int32_t kAppFolderBytes = 1040;
constexpr int32_t kAppPathBytes = kAppFolderBytes + 16;

// Writes the path of file (an AppFile) into out (room: kAppPathBytes) and
// takes the read-only and hidden attributes off that file if it exists, so a
// protected settings file is written all the same. 0 done, 1 the folder is
// unknown or file is not an AppFile (out is then empty).
int32_t app_file_path(int32_t file, char* out);

// --- Back-ends ---------------------------------------------------------------------

enum SettingsBackend : int32_t { IniFile = 0, Registry = 1 };

// IniFile when "use.ini" beside the executable is an existing file (a folder
// of that name does not count), else Registry. Held until the next choice.
void choose_settings_backend();
SettingsBackend settings_backend();
// Tests: takes a back-end without looking for the marker.
void set_settings_backend(SettingsBackend backend);

// Texts longer than this are cut before they are written.
constexpr int32_t kStoredTextBytes = 256;
// The shared result of a text read.
constexpr int32_t kSettingResultBytes = 1024;

// One value in the per-user store, in the program's key or (parent) its
// maker's key. op: RegistryWriteInt data is an int32_t; RegistryReadInt
// data is an int32_t set to -1 first, so a missing value leaves -1;
// RegistryWriteText data is a text, cut to 256 bytes at a character
// boundary, stored without a terminator; RegistryReadText data (room 257
// bytes) receives at most 256 bytes and is left alone when the value is
// missing. 1 the key cannot be created or opened, else 0.
enum RegistryOp : int32_t { RegistryWriteInt = 0, RegistryReadInt = 1, RegistryWriteText = 2, RegistryReadText = 3 };
int32_t registry_value(int32_t op, const char* name, void* data, bool parent);

// --- Single values from the current back-end -----------------------------------------

// The stored integer, or def when missing or when it is, taken as unsigned,
// above max (so every negative value reads as def).
int32_t read_int_setting(const char* key, uint32_t max, int32_t def);
// The stored text (ini: at most 255 bytes, registry: 256, both cut at a
// character boundary), or def when missing. The result lives in a shared
// buffer until the next read.
const char* read_text_setting(const char* key, const char* def);
// Writes one value; failures are silent. Texts are cut to 256 bytes at a
// character boundary; the ini file gets them in double quotes, so leading
// and trailing blanks survive.
void write_int_setting(const char* key, int32_t value);
void write_text_setting(const char* key, const char* text);

// --- The whole tables --------------------------------------------------------------------

// Runs the start-up checks (persistence/start_up.h) into startUp, then reads
// every row of kind LoadOnly or LoadAndSave, its current value serving as the
// default; a loaded "carrier" of 0 becomes 1. The window shows the first-start
// message the outcome asks for and applies the stored geometry to its
// placement; the documents build their extension table from "extfilter";
// drawing takes "customcol" into the colour table itself.
void load_settings(StartUpOutcome* startUp);

// The main window at exit, for the geometry rows.
struct WindowPlacement {
    bool maximised;
    bool minimised;
    int32_t left, top, right, bottom;
};

// Unless the no-save flag is set: every row of kind SaveOnly or LoadAndSave
// in table order (integers, then texts), then, only for a window neither
// maximised nor minimised, "wwidth", "wheight", "wtop", "wleft" from its
// rectangle (which also become the values in memory).
void save_settings(const WindowPlacement& window);

// The no-save flag: clear at start; set by the settings reset, after which
// the exit save writes nothing.
void set_no_save(bool noSave);
bool no_save();
