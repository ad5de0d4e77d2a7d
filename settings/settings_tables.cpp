// The settings tables with their defaults and bounds; reset copies the
// defaults back, so tests and the settings reset start from the same values.
#include "settings/settings_tables.h"

#include <cstring>

IntSetting IntSettings[kIntSettingCount];
TextSetting TextSettings[kTextSettingCount];

namespace {

struct IntDefault {
    const char* key;
    int32_t kind;
    int32_t value;
    uint32_t max;
};

// One row per key, in the order of writing. The emoji history groups lie
// apart ("m" came last); emoji_history_setting reaches them by group.
const IntDefault kIntDefaults[kIntSettingCount] = {
    {"mode", LoadAndSave, 0, 2},          {"_version", SaveOnly, -1, 16777215},
    {"wwidth", LoadOnly, -1, 32767},      {"wheight", LoadOnly, -1, 32767},
    {"wleft", LoadOnly, -1, 32767},       {"wtop", LoadOnly, -1, 32767},
    {"autoencode", LoadAndSave, 0, 1},    {"printsize", LoadAndSave, 1, 9},
    {"colors", LoadAndSave, 0, 13},       {"sliderpos", LoadAndSave, 1, 7},
    {"printtype", LoadAndSave, 0, 2},     {"redunrate", LoadAndSave, 1, 3},
    {"qrver1", LoadAndSave, 0, 19},       {"qrver2", LoadAndSave, 19, 19},
    {"DispToolbar", LoadAndSave, 1, 1},   {"DispStatus", LoadAndSave, 1, 1},
    {"addprepost", LoadAndSave, 3, 5},    {"carrier", LoadAndSave, 2, 4},
    {"bgno", LoadAndSave, 3, 4},          {"previewno", LoadAndSave, 4, 10},
    {"quick", LoadAndSave, 1, 2},         {"drawmargin", LoadAndSave, 2, 6},
    {"customcol", LoadAndSave, 8421504, 16777215},
    {"stayemjdlg", LoadAndSave, 0, 1},    {"editwrap", LoadAndSave, 1, 1},
    {"resume", LoadAndSave, 1, 1},
    {"histemojiv1", LoadAndSave, 0, 1000},
    {"histemojiv2", LoadAndSave, 0, 1000},
    {"histemojiv3", LoadAndSave, 0, 1000},
    {"histemojiv4", LoadAndSave, 0, 1000},
    {"histemojiv5", LoadAndSave, 0, 1000},
    {"histemojid1", LoadAndSave, 0, 1000},
    {"histemojid2", LoadAndSave, 0, 1000},
    {"histemojid3", LoadAndSave, 0, 1000},
    {"histemojid4", LoadAndSave, 0, 1000},
    {"histemojid5", LoadAndSave, 0, 1000},
    {"histemojia1", LoadAndSave, 0, 1000},
    {"histemojia2", LoadAndSave, 0, 1000},
    {"histemojia3", LoadAndSave, 0, 1000},
    {"histemojia4", LoadAndSave, 0, 1000},
    {"histemojia5", LoadAndSave, 0, 1000},
    {"savetexttype", LoadAndSave, 1, 2},  {"onecode", LoadAndSave, 0, 1},
    {"fixhistnumv", LoadAndSave, 0, 5},   {"fixhistnumd", LoadAndSave, 0, 5},
    {"fixhistnuma", LoadAndSave, 0, 5},   {"fixhistnumm", LoadAndSave, 0, 5},
    {"histemojim1", LoadAndSave, 0, 1000},
    {"histemojim2", LoadAndSave, 0, 1000},
    {"histemojim3", LoadAndSave, 0, 1000},
    {"histemojim4", LoadAndSave, 0, 1000},
    {"histemojim5", LoadAndSave, 0, 1000},
    {"utf8forms", LoadAndSave, 0, 1},     {"saveimagetype", LoadAndSave, 0, 2},
    // Any value but -1 loads (a missing registry value reads as -1).
    {"wx", LoadAndSave, kNoWindowEdge, 0xFFFFFFFEu},
    {"wy", LoadAndSave, kNoWindowEdge, 0xFFFFFFFEu},
};

const int32_t kFirstHistoryRow = 26;
const int32_t kHistoryRowM = 47;   // the first row of group m
const int32_t kFixedHistoryRow = 43;

void set_int_row(int32_t row, const IntDefault& d) {
    IntSetting& s = IntSettings[row];
    s.kind = d.kind;
    s.value = d.value;
    s.max = d.max;
    std::strncpy(s.key, d.key, kSettingKeyBytes - 1);
    s.key[kSettingKeyBytes - 1] = '\0';
}

}  // namespace

void reset_settings_tables() {
    for (int32_t row = 0; row < kIntSettingCount; ++row) set_int_row(row, kIntDefaults[row]);

    std::memset(TextSettings, 0, sizeof TextSettings);
    for (int32_t i = 0; i < kTextSettingCount; ++i) {
        TextSetting& t = TextSettings[i];
        t.kind = LoadAndSave;
        if (i == 0) {
            std::strcpy(t.key, "extfilter");
            std::strcpy(t.value, ".txt");
        } else {
            char key[16] = "usrmailv";
            int32_t n = i;
            if (n >= 10) key[8] = static_cast<char>('0' + n / 10);
            key[n >= 10 ? 9 : 8] = static_cast<char>('0' + n % 10);
            std::strcpy(t.key, key);
        }
    }
}

namespace {
// The tables hold their defaults from program start.
struct DefaultsAtStart {
    DefaultsAtStart() { reset_settings_tables(); }
} g_defaultsAtStart;
}  // namespace

IntSetting* find_int_setting(const char* key) {
    for (IntSetting& s : IntSettings) {
        if (std::strcmp(s.key, key) == 0) return &s;
    }
    return nullptr;
}

TextSetting* find_text_setting(const char* key) {
    for (TextSetting& s : TextSettings) {
        if (std::strcmp(s.key, key) == 0) return &s;
    }
    return nullptr;
}

int32_t int_setting(int32_t row) { return IntSettings[row].value; }

void set_int_setting(int32_t row, int32_t value) {
    IntSetting& s = IntSettings[row];
    s.value = static_cast<uint32_t>(value) > s.max ? kIntDefaults[row].value : value;
}

IntSetting* emoji_history_setting(int32_t group, int32_t entry) {
    if (group < 0 || group >= kHistoryGroups || entry < 0 || entry >= kHistoryEntries) return nullptr;
    int32_t first = group == HistoryUtf8 ? kHistoryRowM : kFirstHistoryRow + group * kHistoryEntries;
    return &IntSettings[first + entry];
}

IntSetting* fixed_history_setting(int32_t group) {
    if (group < 0 || group >= kHistoryGroups) return nullptr;
    return &IntSettings[kFixedHistoryRow + group];
}

void set_text_setting(TextSetting* setting, const char* value) {
    int32_t length = char_boundary_length(value, kSettingTextBytes - 1);
    std::memmove(setting->value, value, static_cast<size_t>(length));
    setting->value[length] = '\0';
}

int32_t char_boundary_length(const char* text, int32_t limit) {
    // A trail byte may fall in the lead-byte range, so walk from the start.
    int32_t i = 0;
    while (text[i] != '\0') {
        uint8_t b = static_cast<uint8_t>(text[i]);
        bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        int32_t width = lead && text[i + 1] != '\0' ? 2 : 1;
        if (i + width > limit) break;
        i += width;
    }
    return i;
}
