// The settings store on both back-ends: bounds and defaults, quoted texts,
// the cut of long texts, the registry layout, the program's files, and the
// whole tables loaded and saved.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "persistence/settings_store.h"
#include "platform/files.h"
#include "persistence/start_up.h"
#include "platform/settings_store.h"
#include "tests/persistence/settings_fixture_support.h"

namespace {

using SettingsStoreTest = SettingsBackendTest;

TEST_P(SettingsStoreTest, TheMarkerChoosesTheBackend) {
    EXPECT_EQ(settings_backend(), GetParam());
    write_int_setting("mode", 2);
    int32_t stored = -1;
    EXPECT_EQ(store_read_int(ProgramKey, "mode", &stored), GetParam() == Registry ? StoreFound : StoreNoKey);
    EXPECT_EQ(ini().empty(), GetParam() == Registry);
}

TEST_P(SettingsStoreTest, IntegersOutsideTheirBoundReadAsTheDefault) {
    const struct {
        const char* key;
        int32_t stored;
        uint32_t max;
        int32_t def;
        int32_t expected;
    } rows[] = {
        {"colors", 14, 13, 0, 0},     {"colors", 13, 13, 0, 13},  {"wleft", -8, 32767, -1, -1},
        {"wleft", 0, 32767, -1, 0},   {"sliderpos", 7, 7, 1, 7},  {"customcol", 16777215, 16777215, 5, 16777215},
        {"customcol", 16777216, 16777215, 5, 5}, {"mode", -1, 2, 1, 1},
    };
    for (const auto& r : rows) {
        write_int_setting(r.key, r.stored);
        EXPECT_EQ(read_int_setting(r.key, r.max, r.def), r.expected) << r.key << " " << r.stored;
    }
    EXPECT_EQ(read_int_setting("missing", 100, 42), 42);
    EXPECT_STREQ(read_text_setting("missing", "fallback"), "fallback");
}

TEST_P(SettingsStoreTest, TextsKeepLeadingBlanksAndShiftJis) {
    const char* texts[] = {"  leading blank", "trailing  ", "", "\x8A\xBF\x8E\x9A mail@example.jp",
                           "\x95\x5C\x83\x7C", ".txt .memo"};
    for (const char* text : texts) {
        write_text_setting("usrmailv1", text);
        EXPECT_STREQ(read_text_setting("usrmailv1", "x"), text);
    }
    if (GetParam() == IniFile) {
        EXPECT_NE(ini().find("usrmailv1=\".txt .memo\"\r\n"), std::string::npos);
    }
}

TEST_P(SettingsStoreTest, LongTextsAreCutAtACharacterBoundary) {
    // 300 bytes are stored as 256; the ini file gives back 255, the registry 256.
    std::string ascii(300, 'a');
    write_text_setting("extfilter", ascii.c_str());
    size_t expected = GetParam() == IniFile ? 255 : 256;
    EXPECT_EQ(std::strlen(read_text_setting("extfilter", "")), expected);
    // 255 'b' then 漢: a cut at byte 256 would leave half of it.
    std::string wide = std::string(255, 'b') + "\x8A\xBF" + "tail";
    write_text_setting("extfilter", wide.c_str());
    EXPECT_EQ(std::string(read_text_setting("extfilter", "")), std::string(255, 'b'));
    if (GetParam() == IniFile) {
        EXPECT_NE(ini().find("extfilter=\"" + std::string(255, 'b') + "\"\r\n"), std::string::npos);
    }
}

TEST_P(SettingsStoreTest, LoadTakesStoredValuesWithinBoundsAndCarrierZeroBecomesOne) {
    write_int_setting("colors", 14);
    write_int_setting("wleft", -8);
    write_int_setting("carrier", 0);
    write_int_setting("sliderpos", 5);
    write_int_setting("_version", 7);
    write_text_setting("usrmailv2", " a@b.jp");
    StartUpOutcome outcome;
    load_settings(&outcome);
    EXPECT_EQ(IntSettings[SettingColors].value, 0);
    EXPECT_EQ(IntSettings[SettingLeft].value, -1);
    EXPECT_EQ(IntSettings[SettingCarrier].value, 1);
    EXPECT_EQ(IntSettings[SettingSliderPos].value, 5);
    EXPECT_EQ(IntSettings[SettingBgNo].value, 3);
    EXPECT_STREQ(TextSettings[2].value, " a@b.jp");
    EXPECT_STREQ(TextSettings[0].value, ".txt");
}

TEST_P(SettingsStoreTest, AMaximisedWindowLeavesTheStoredGeometry) {
    save_settings({false, false, 10, 20, 810, 620});
    EXPECT_EQ(read_int_setting("wwidth", 32767, -1), 800);
    EXPECT_EQ(read_int_setting("wheight", 32767, -1), 600);
    EXPECT_EQ(read_int_setting("wleft", 32767, -1), 10);
    EXPECT_EQ(read_int_setting("wtop", 32767, -1), 20);
    reset_settings_tables();
    save_settings({true, false, 0, 0, 1920, 1080});
    save_settings({false, true, -32000, -32000, -31840, -31970});
    EXPECT_EQ(read_int_setting("wwidth", 32767, -1), 800);
    EXPECT_EQ(read_int_setting("wleft", 32767, -1), 10);
}

// A window on a monitor left of and above the main one: "wleft" and "wtop"
// are written as they are and load as -1; "wx" and "wy" bring the edges
// back. A maximised exit keeps them too.
TEST_P(SettingsStoreTest, AWindowLeftOfAndAboveTheMainMonitorKeepsItsEdges) {
    StartUpOutcome outcome;
    load_settings(&outcome);
    EXPECT_EQ(IntSettings[SettingWindowX].value, kNoWindowEdge) << "none stored yet";
    save_settings({false, false, -1600, -300, -800, 300});
    save_settings({true, false, -1920, -1080, 0, 0});
    reset_settings_tables();
    load_settings(&outcome);
    EXPECT_EQ(IntSettings[SettingLeft].value, -1);
    EXPECT_EQ(IntSettings[SettingTop].value, -1);
    EXPECT_EQ(IntSettings[SettingWindowX].value, -1600);
    EXPECT_EQ(IntSettings[SettingWindowY].value, -300);
    EXPECT_EQ(IntSettings[SettingWidth].value, 800);
    if (GetParam() == IniFile) {
        EXPECT_NE(ini().find("wx=-1600\r\n"), std::string::npos);
        EXPECT_NE(ini().find("wleft=-1600\r\n"), std::string::npos) << "written as it is";
    }
}

TEST_P(SettingsStoreTest, TheNoSaveFlagWritesNothing) {
    set_no_save(true);
    save_settings({false, false, 0, 0, 100, 100});
    EXPECT_EQ(read_int_setting("mode", 2, -1), -1);
    EXPECT_TRUE(ini().empty());
    set_no_save(false);
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsStoreTest, ::testing::Values(IniFile, Registry), backend_name);

using SettingsFilesTest = SettingsEnvTest;

TEST_F(SettingsFilesTest, NewIniFileHoldsTheKeysInTheirOrder) {
    write_file(folder_ + "use.ini", "");
    StartUpOutcome outcome;
    load_settings(&outcome);
    save_settings({false, false, 1, 2, 781, 582});
    std::string expected = "[Base]\r\n_count=1\r\n";
    for (const IntSetting& s : IntSettings) {
        if (s.kind != LoadOnly) expected += std::string(s.key) + "=" + std::to_string(s.value) + "\r\n";
    }
    for (const TextSetting& t : TextSettings) expected += std::string(t.key) + "=\"" + t.value + "\"\r\n";
    expected += "wwidth=780\r\nwheight=580\r\nwtop=2\r\nwleft=1\r\n";
    EXPECT_EQ(file_bytes(folder_ + "Mivoka.ini"), expected);
    EXPECT_NE(expected.find("_version=2125825\r\n"), std::string::npos);
}

TEST_F(SettingsFilesTest, RegistryLayoutHoldsCountAndTheSharedToolsCounter) {
    StartUpOutcome outcome;
    load_settings(&outcome);
    save_settings({false, false, 0, 0, 780, 580});
    int32_t value = 0;
    EXPECT_EQ(store_read_int(ProgramKey, "_count", &value), StoreFound);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(store_read_int(ProgramKey, "_version", &value), StoreFound);
    EXPECT_EQ(value, CurrentVersionStamp);
    EXPECT_EQ(store_read_int(ProgramKey, "tools", &value), StoreNoValue);
    EXPECT_EQ(store_read_int(MakerKey, "tools", &value), StoreFound);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(store_read_int(MakerKey, "_count", &value), StoreNoValue);
    char text[kStoreTextRoom];
    EXPECT_EQ(store_read_text(ProgramKey, "extfilter", text), StoreFound);
    EXPECT_STREQ(text, ".txt");
    EXPECT_EQ(store_read_text(ProgramKey, "mode", text), StoreNoValue);
    EXPECT_TRUE(file_bytes(folder_ + "Mivoka.ini").empty());
}

#ifndef _WIN32
// The POSIX store's own file, as a hand or another program may leave it.
std::string program_values() { return std::string(std::getenv("MIVOKA_CONFIG_HOME")) + "/Velmora Tools/Mivoka/values"; }

TEST_F(SettingsFilesTest, AValueAfterALastLineWithoutLineBreakGetsALineOfItsOwn) {
    ASSERT_EQ(store_write_int(ProgramKey, "first", 1), 0);   // makes the key
    write_file(program_values(), "i mode 2");
    ASSERT_EQ(store_write_int(ProgramKey, "carrier", 3), 0);
    EXPECT_EQ(file_bytes(program_values()), "i mode 2\ni carrier 3\n");
    ASSERT_EQ(store_write_text(ProgramKey, "extfilter", ".txt", 4), 0);
    int32_t value = 0;
    EXPECT_EQ(store_read_int(ProgramKey, "mode", &value), StoreFound);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(store_read_int(ProgramKey, "carrier", &value), StoreFound);
    EXPECT_EQ(value, 3);
    // Rewriting that last line keeps the others whole.
    write_file(program_values(), "i carrier 3\ni mode 2");
    ASSERT_EQ(store_write_int(ProgramKey, "mode", 1), 0);
    EXPECT_EQ(file_bytes(program_values()), "i carrier 3\ni mode 1\n");
    write_file(program_values(), "t name 6162");
    ASSERT_EQ(store_write_text(ProgramKey, "other", "c", 1), 0);
    char text[kStoreTextRoom];
    EXPECT_EQ(store_read_text(ProgramKey, "name", text), StoreFound);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(store_read_text(ProgramKey, "other", text), StoreFound);
    EXPECT_STREQ(text, "c");
}

TEST_F(SettingsFilesTest, OnlyNumbersOfThirtyTwoBitsAreValues) {
    ASSERT_EQ(store_write_int(ProgramKey, "first", 1), 0);
    const struct {
        const char* stored;
        int32_t found;
        int32_t value;
    } rows[] = {
        {"2147483647", StoreFound, 2147483647},   {"-2147483648", StoreFound, INT32_MIN},
        {"2147483648", StoreNoValue, -1},         {"-2147483649", StoreNoValue, -1},
        {"4294967298", StoreNoValue, -1},         {"-4294967294", StoreNoValue, -1},
        {"99999999999", StoreNoValue, -1},        {"12x", StoreNoValue, -1},
    };
    for (const auto& r : rows) {
        write_file(program_values(), std::string("i mode ") + r.stored + "\n");
        int32_t value = 0;
        EXPECT_EQ(store_read_int(ProgramKey, "mode", &value), r.found) << r.stored;
        EXPECT_EQ(value, r.value) << r.stored;
    }
}
#endif

TEST_F(SettingsFilesTest, AppFilePathsLieBesideTheExecutable) {
    const char* names[] = {"", "Mivoka.ini", "use.ini", "resume.txt"};
    for (int32_t file = AppFolder; file <= ResumeFile; ++file) {
        char path[kAppPathBytes];
        ASSERT_EQ(app_file_path(file, path), 0);
        EXPECT_EQ(std::string(path), folder_ + names[file]);
    }
    char path[kAppPathBytes];
    EXPECT_EQ(app_file_path(4, path), 1);
    EXPECT_STREQ(path, "");
}

TEST_F(SettingsFilesTest, AProtectedSettingsFileIsWrittenAllTheSame) {
    std::string ini = folder_ + "Mivoka.ini";
    write_file(folder_ + "use.ini", "");
    write_file(ini, "[Base]\r\nmode=1\r\n");
    make_read_only(ini);
    ASSERT_TRUE(is_read_only(ini));
    choose_settings_backend();
    write_int_setting("mode", 2);
    EXPECT_FALSE(is_read_only(ini));
    EXPECT_EQ(file_bytes(ini), "[Base]\r\nmode=2\r\n");
    EXPECT_EQ(clear_protect_attributes((folder_ + "nothing").c_str()), 1);
    EXPECT_EQ(clear_protect_attributes(ini.c_str()), 0);
}

TEST_F(SettingsFilesTest, FileKindTellsFilesFoldersAndDriveRoots) {
    write_file(folder_ + "file.txt", "x");
    make_folder(folder_ + "use.ini");
    EXPECT_EQ(file_kind((folder_ + "file.txt").c_str()), 0);
    EXPECT_EQ(file_kind((folder_ + "use.ini").c_str()), 1);
    EXPECT_EQ(file_kind((folder_ + "missing.txt").c_str()), 3);
    EXPECT_EQ(file_kind((folder_ + "*.txt").c_str()), 3);
    EXPECT_EQ(file_kind("Q:\\"), 2);
    EXPECT_EQ(file_kind("Q:\\x"), 3);
    // A folder named "use.ini" does not select the ini file.
    choose_settings_backend();
    EXPECT_EQ(settings_backend(), Registry);
}

TEST(CharBoundary, CutsNeverHalveADoubleByteCharacter) {
    const struct {
        const char* text;
        int32_t limit;
        int32_t expected;
    } rows[] = {
        {"abc", 2, 2},        {"abc", 5, 3},          {"a\x8A\xBF", 2, 1},   {"a\x8A\xBF", 3, 3},
        {"\x8A\x81\x8A\xBF", 3, 2}, {"\xB1\xB2", 1, 1}, {"a\x81", 2, 2},     {"", 4, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(char_boundary_length(r.text, r.limit), r.expected) << r.text;
}

}  // namespace
