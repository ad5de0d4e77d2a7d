// The settings tables: every integer and text setting with its key, kind,
// default and bound, held in memory for the whole run. Loading and saving
// belong to the settings back-ends; everything else reads and changes the
// values here.
#pragma once

#include <cstdint>

constexpr int32_t kSettingKeyBytes = 64;
constexpr int32_t kSettingTextBytes = 1024;
constexpr int32_t kIntSettingCount = 56;
constexpr int32_t kTextSettingCount = 31;

enum SettingKind : int32_t { SaveOnly = 1, LoadOnly = 2, LoadAndSave = 3 };

struct IntSetting {
    int32_t kind;                 // SettingKind
    int32_t value;                // the default until loaded
    uint32_t max;                 // stored values above it (as unsigned) load as the default
    char key[kSettingKeyBytes];
};

struct TextSetting {
    int32_t kind;
    char value[kSettingTextBytes];
    char key[kSettingKeyBytes];
};

// In table order, which is also the order of writing.
extern IntSetting IntSettings[kIntSettingCount];
extern TextSetting TextSettings[kTextSettingCount];

// Row numbers of the integer settings other code reads by name.
enum IntSettingRow : int32_t {
    SettingMode = 0, SettingVersion = 1, SettingWidth = 2, SettingHeight = 3, SettingLeft = 4,
    SettingTop = 5, SettingAutoEncode = 6, SettingPrintSize = 7, SettingColors = 8,
    SettingSliderPos = 9, SettingPrintType = 10, SettingRedunRate = 11, SettingQrVer1 = 12,
    SettingQrVer2 = 13, SettingDispToolbar = 14, SettingDispStatus = 15, SettingAddPrePost = 16,
    SettingCarrier = 17, SettingBgNo = 18, SettingPreviewNo = 19, SettingQuick = 20,
    SettingDrawMargin = 21, SettingCustomCol = 22, SettingStayEmojiDialog = 23, SettingEditWrap = 24,
    SettingResume = 25, SettingSaveTextType = 41, SettingOneCode = 42,
    SettingUtf8Forms = 52, SettingSaveImageType = 53, SettingWindowX = 54, SettingWindowY = 55
};
// "wx" and "wy" hold the window's left and top as they are, negative on a
// monitor left of or above the main one, which "wleft" and "wtop" cannot
// hold (a negative value loads as -1); kNoWindowEdge when none is stored.
constexpr int32_t kNoWindowEdge = INT32_MIN;

// Emoji history groups, one per palette in palette order; the keys
// ("histemojiv1" ... "histemojim5") carry the palette's key letter.
enum HistoryGroup : int32_t { HistorySoftbank = 0, HistoryDocomo = 1, HistoryAu = 2, HistoryUtf8 = 3 };
constexpr int32_t kHistoryGroups = 4;
constexpr int32_t kHistoryEntries = 5;

// Puts every value back to its default (before a load; tests).
void reset_settings_tables();

// The row with this key, or null.
IntSetting* find_int_setting(const char* key);
TextSetting* find_text_setting(const char* key);

// Value of the integer setting of a row.
int32_t int_setting(int32_t row);
// Stores value as the integer setting of a row, bounded as a load bounds it:
// a value above the row's max (compared as unsigned) stores the default.
void set_int_setting(int32_t row, int32_t value);

// The history record of entry (0-4) of a group and the fixed count of a
// group: the groups lie apart in the table ("m" was added last), so they
// are reached through these rather than by one array index.
IntSetting* emoji_history_setting(int32_t group, int32_t entry);
IntSetting* fixed_history_setting(int32_t group);

// Stores value into a text setting, cut to at most 1,023 bytes at a
// character boundary.
void set_text_setting(TextSetting* setting, const char* value);

// Length of text cut to at most limit bytes at a character boundary, so a
// double-byte character is never halved.
int32_t char_boundary_length(const char* text, int32_t limit);
