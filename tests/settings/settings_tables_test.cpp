// The settings tables: every key once, in table order, with its kind,
// default and bound; the history groups reached by group and entry.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "settings/settings_tables.h"

namespace {

struct IntRow {
    int32_t row;
    const char* key;
    int32_t kind;
    int32_t value;
    uint32_t max;
};

TEST(SettingsTables, IntegerRowsHoldTheirDefaults) {
    reset_settings_tables();
    const IntRow rows[] = {
        {0, "mode", 3, 0, 2},          {1, "_version", 1, -1, 16777215}, {2, "wwidth", 2, -1, 32767},
        {5, "wtop", 2, -1, 32767},     {6, "autoencode", 3, 0, 1},      {7, "printsize", 3, 1, 9},
        {8, "colors", 3, 0, 13},       {9, "sliderpos", 3, 1, 7},       {10, "printtype", 3, 0, 2},
        {11, "redunrate", 3, 1, 3},    {12, "qrver1", 3, 0, 19},        {13, "qrver2", 3, 19, 19},
        {14, "DispToolbar", 3, 1, 1},  {15, "DispStatus", 3, 1, 1},     {16, "addprepost", 3, 3, 5},
        {17, "carrier", 3, 2, 4},      {18, "bgno", 3, 3, 4},           {19, "previewno", 3, 4, 10},
        {20, "quick", 3, 1, 2},        {21, "drawmargin", 3, 2, 6},     {22, "customcol", 3, 8421504, 16777215},
        {23, "stayemjdlg", 3, 0, 1},   {24, "editwrap", 3, 1, 1},       {25, "resume", 3, 1, 1},
        {26, "histemojiv1", 3, 0, 1000}, {30, "histemojiv5", 3, 0, 1000}, {31, "histemojid1", 3, 0, 1000},
        {40, "histemojia5", 3, 0, 1000}, {41, "savetexttype", 3, 1, 2}, {42, "onecode", 3, 0, 1},
        {43, "fixhistnumv", 3, 0, 5},  {46, "fixhistnumm", 3, 0, 5},    {47, "histemojim1", 3, 0, 1000},
        {51, "histemojim5", 3, 0, 1000}, {52, "utf8forms", 3, 0, 1},
        {53, "saveimagetype", 3, 0, 2}, {54, "wx", 3, kNoWindowEdge, 0xFFFFFFFEu},
        {55, "wy", 3, kNoWindowEdge, 0xFFFFFFFEu},
    };
    for (const IntRow& r : rows) {
        const IntSetting& s = IntSettings[r.row];
        EXPECT_STREQ(s.key, r.key) << r.row;
        EXPECT_EQ(s.kind, r.kind) << r.key;
        EXPECT_EQ(s.value, r.value) << r.key;
        EXPECT_EQ(s.max, r.max) << r.key;
        EXPECT_EQ(find_int_setting(r.key), &s) << r.key;
    }
    std::set<std::string> keys;
    for (const IntSetting& s : IntSettings) EXPECT_TRUE(keys.insert(s.key).second) << s.key;
    EXPECT_EQ(keys.size(), 56u);
    EXPECT_EQ(int_setting(SettingCarrier), 2);
    EXPECT_EQ(int_setting(SettingPreviewNo), 4);
    EXPECT_EQ(find_int_setting("nothing"), nullptr);
}

// The setter bounds a value as a load does: past the row's max, or
// negative (as unsigned, past every max), the default is stored instead.
TEST(SettingsTables, TheSetterBoundsAsTheLoadDoes) {
    reset_settings_tables();
    set_int_setting(SettingCarrier, 4);
    EXPECT_EQ(int_setting(SettingCarrier), 4);
    set_int_setting(SettingCarrier, 5);
    EXPECT_EQ(int_setting(SettingCarrier), 2) << "the default, not the value before";
    set_int_setting(SettingPreviewNo, 10);
    set_int_setting(SettingPreviewNo, -3);
    EXPECT_EQ(int_setting(SettingPreviewNo), 4);
    set_int_setting(SettingLeft, 32767);
    EXPECT_EQ(int_setting(SettingLeft), 32767);
    set_int_setting(SettingLeft, 32768);
    EXPECT_EQ(int_setting(SettingLeft), -1);
    set_int_setting(SettingCustomCol, 0xFFFFFF);
    EXPECT_EQ(int_setting(SettingCustomCol), 0xFFFFFF);
    set_int_setting(SettingSaveImageType, 2);
    EXPECT_EQ(int_setting(SettingSaveImageType), 2);
    set_int_setting(SettingSaveImageType, 3);
    EXPECT_EQ(int_setting(SettingSaveImageType), 0);
    // The window's own edges take any value but -1, which reads as none.
    set_int_setting(SettingWindowX, -1920);
    EXPECT_EQ(int_setting(SettingWindowX), -1920);
    set_int_setting(SettingWindowX, -1);
    EXPECT_EQ(int_setting(SettingWindowX), kNoWindowEdge);
}

TEST(SettingsTables, TextRowsAndHistoryGroups) {
    reset_settings_tables();
    EXPECT_STREQ(TextSettings[0].key, "extfilter");
    EXPECT_STREQ(TextSettings[0].value, ".txt");
    EXPECT_STREQ(TextSettings[1].key, "usrmailv1");
    EXPECT_STREQ(TextSettings[9].key, "usrmailv9");
    EXPECT_STREQ(TextSettings[10].key, "usrmailv10");
    EXPECT_STREQ(TextSettings[30].key, "usrmailv30");
    EXPECT_STREQ(TextSettings[30].value, "");
    for (const TextSetting& t : TextSettings) EXPECT_EQ(t.kind, LoadAndSave);
    EXPECT_STREQ(emoji_history_setting(HistoryDocomo, 0)->key, "histemojid1");
    EXPECT_STREQ(emoji_history_setting(HistoryUtf8, 4)->key, "histemojim5");
    EXPECT_STREQ(fixed_history_setting(HistoryAu)->key, "fixhistnuma");
    EXPECT_EQ(emoji_history_setting(4, 0), nullptr);
    EXPECT_EQ(emoji_history_setting(0, 5), nullptr);
    std::string longText(2000, 'x');
    set_text_setting(find_text_setting("usrmailv3"), longText.c_str());
    EXPECT_EQ(std::strlen(TextSettings[3].value), 1023u);
    // 1,022 bytes and a double-byte character: the character does not fit whole.
    std::string wide = std::string(1022, 'y') + "\x8A\xBF";
    set_text_setting(find_text_setting("usrmailv3"), wide.c_str());
    EXPECT_EQ(std::string(TextSettings[3].value), std::string(1022, 'y'));
    IntSettings[SettingCarrier].value = 4;
    reset_settings_tables();
    EXPECT_EQ(int_setting(SettingCarrier), 2);
    EXPECT_STREQ(TextSettings[3].value, "");
}

}  // namespace
