// The per-user settings store: two keys, the maker's key and the program's
// key inside it, each holding named 32-bit integers and texts. Win32 keeps
// them in the registry under HKEY_CURRENT_USER\Software\Velmora Tools\Mivoka
// (W functions; texts as REG_SZ in UTF-16). POSIX keeps the same two keys as
// folders with a "values" file each, under $MIVOKA_CONFIG_HOME, else
// $XDG_CONFIG_HOME/Mivoka, else ~/.config/Mivoka.
//
// Names and texts are Shift_JIS. A key is opened or created for every call;
// nothing is cached between calls.
//
// Not reentrant: names and texts are converted in static buffers (POSIX:
// the values file too), so calls must not run on two threads at once.
#pragma once

#include <cstdint>

enum StoreKey : int32_t { MakerKey = 0, ProgramKey = 1 };

// Longest text the store hands back, in UTF-16 units; a longer stored text
// reads as missing. Room a read text needs in Shift_JIS, terminator included.
constexpr int32_t kStoreTextUnits = 1024;
constexpr int32_t kStoreTextRoom = 2 * kStoreTextUnits + 1;

// What a read found.
enum StoreRead : int32_t { StoreFound = 0, StoreNoKey = 1, StoreNoValue = 2 };

// Writes one value, creating the key when needed. 0 written, 1 the key
// cannot be created or opened, 2 the key is there but the value was not written.
int32_t store_write_int(int32_t key, const char* name, int32_t value);
int32_t store_write_text(int32_t key, const char* name, const char* text, int32_t length);

// Reads one value: StoreFound, StoreNoKey (cannot be opened) or StoreNoValue
// (missing or of the other type). A text arrives NUL-terminated in out
// (room: kStoreTextRoom).
int32_t store_read_int(int32_t key, const char* name, int32_t* value);
int32_t store_read_text(int32_t key, const char* name, char* out);

// Deletes a key with its values; a key that still holds another key is not
// deleted. 0 deleted, 1 not (missing, busy or denied).
int32_t store_delete_key(int32_t key);
// Whether the key exists and can be opened.
bool store_key_exists(int32_t key);

// Tests: while denied, every key fails to open or be created, as when the
// user's rights do not allow it (Wine does not enforce access rights).
void set_store_denied(bool denied);
