// The settings store on Win32: HKEY_CURRENT_USER through the W functions.
#include "platform/settings_store.h"

#include <windows.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

const wchar_t* const kKeyPaths[2] = {L"Software\\Velmora Tools", L"Software\\Velmora Tools\\Mivoka"};
const int32_t kNameUnits = 256;

bool g_denied = false;
wchar_t nameScratch[kNameUnits + 1];
wchar_t textScratch[kStoreTextUnits + 1];

// The UTF-16 form of a Shift_JIS name; null when too long.
const wchar_t* wide_name(const char* name) {
    size_t length = std::strlen(name);
    if (length > static_cast<size_t>(kNameUnits)) return nullptr;
    int32_t units = cp932_to_utf16(name, static_cast<int32_t>(length), reinterpret_cast<uint16_t*>(nameScratch));
    nameScratch[units] = L'\0';
    return nameScratch;
}

HKEY open_key(int32_t key, bool create) {
    if (g_denied || key < MakerKey || key > ProgramKey) return nullptr;
    HKEY h = nullptr;
    LONG r = create ? RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPaths[key], 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &h, nullptr)
                    : RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPaths[key], 0, KEY_ALL_ACCESS, &h);
    return r == ERROR_SUCCESS ? h : nullptr;
}

// Writes data of type into the key; the result of store_write_*.
int32_t write_value(int32_t key, const char* name, DWORD type, const void* data, DWORD bytes) {
    HKEY h = open_key(key, true);
    if (h == nullptr) return 1;
    const wchar_t* wide = wide_name(name);
    LONG r = wide != nullptr ? RegSetValueExW(h, wide, 0, type, static_cast<const BYTE*>(data), bytes)
                             : ERROR_INVALID_PARAMETER;
    RegCloseKey(h);
    return r == ERROR_SUCCESS ? 0 : 2;
}

// Reads a value of type into data (room: *bytes); the result of store_read_*.
int32_t read_value(int32_t key, const char* name, DWORD wanted, void* data, DWORD* bytes) {
    HKEY h = open_key(key, false);
    if (h == nullptr) return StoreNoKey;
    const wchar_t* wide = wide_name(name);
    DWORD type = 0;
    LONG r = wide != nullptr ? RegQueryValueExW(h, wide, nullptr, &type, static_cast<BYTE*>(data), bytes)
                             : ERROR_INVALID_PARAMETER;
    RegCloseKey(h);
    return r == ERROR_SUCCESS && type == wanted ? StoreFound : StoreNoValue;
}

}  // namespace

int32_t store_write_int(int32_t key, const char* name, int32_t value) {
    DWORD data = static_cast<DWORD>(value);
    return write_value(key, name, REG_DWORD, &data, sizeof data);
}

int32_t store_write_text(int32_t key, const char* name, const char* text, int32_t length) {
    // The data is the text alone, with no terminating zero.
    if (length > kStoreTextUnits) length = kStoreTextUnits;
    int32_t units = cp932_to_utf16(text, length, reinterpret_cast<uint16_t*>(textScratch));
    return write_value(key, name, REG_SZ, textScratch, static_cast<DWORD>(units * sizeof(wchar_t)));
}

int32_t store_read_int(int32_t key, const char* name, int32_t* value) {
    DWORD data = 0;
    DWORD bytes = sizeof data;
    int32_t r = read_value(key, name, REG_DWORD, &data, &bytes);
    if (r == StoreFound && bytes != sizeof data) r = StoreNoValue;
    *value = r == StoreFound ? static_cast<int32_t>(data) : -1;
    return r;
}

int32_t store_read_text(int32_t key, const char* name, char* out) {
    DWORD bytes = kStoreTextUnits * sizeof(wchar_t);
    int32_t r = read_value(key, name, REG_SZ, textScratch, &bytes);
    int32_t units = r == StoreFound ? static_cast<int32_t>(bytes / sizeof(wchar_t)) : 0;
    // Data written by others may end in zeros; ours never does.
    while (units > 0 && textScratch[units - 1] == L'\0') --units;
    out[utf16_to_cp932(reinterpret_cast<const uint16_t*>(textScratch), units, out, nullptr, nullptr)] = '\0';
    return r;
}

int32_t store_delete_key(int32_t key) {
    if (g_denied || key < MakerKey || key > ProgramKey) return 1;
    return RegDeleteKeyW(HKEY_CURRENT_USER, kKeyPaths[key]) == ERROR_SUCCESS ? 0 : 1;
}

bool store_key_exists(int32_t key) {
    HKEY h = open_key(key, false);
    if (h == nullptr) return false;
    RegCloseKey(h);
    return true;
}

void set_store_denied(bool denied) { g_denied = denied; }
