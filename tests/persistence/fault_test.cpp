// Outside files at their worst: a settings file of garbage and one of huge,
// negative and over-long values load the defaults (texts cut); a 50 MB
// document and a 10,000-row export are read only as far as their limits.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "payload/payload.h"
#include "persistence/documents.h"
#include "persistence/outlook_import.h"
#include "persistence/settings_store.h"
#include "persistence/start_up.h"
#include "tests/payload/text_support.h"
#include "tests/persistence/settings_env_support.h"

namespace {

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_settings_env();
        std::memcpy(defaults_, IntSettings, sizeof defaults_);
    }
    void TearDown() override { clear_settings_store(); }
    // Loads the tables from the ini file holding these bytes.
    void load_from_ini(const std::string& bytes) {
        write_file(folder_ + "use.ini", "");
        write_file(folder_ + "Mivoka.ini", bytes);
        load_settings(&outcome_);
        ASSERT_EQ(settings_backend(), IniFile);
    }
    // Every integer the load reads (the start-up checks set the version stamp).
    void expect_integer_defaults() {
        for (int32_t row = 0; row < kIntSettingCount; ++row) {
            if (IntSettings[row].kind == SaveOnly) continue;
            EXPECT_EQ(IntSettings[row].value, defaults_[row].value) << IntSettings[row].key;
        }
    }
    std::string folder_;
    IntSetting defaults_[kIntSettingCount];
    StartUpOutcome outcome_;
};

// Every byte value, NULs and line breaks among them, and brackets without a
// section name.
std::string garbage() {
    std::string bytes = "[\r\n]\r\n[Base\r\n=\r\n==mode\r\n";
    for (int round = 0; round < 40; ++round) {
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>((b * 37 + round) & 0xFF);
    }
    return bytes;
}

TEST_F(FaultTest, ASettingsFileOfGarbageLoadsTheDefaults) {
    load_from_ini(garbage());
    expect_integer_defaults();
    EXPECT_STREQ(find_text_setting("extfilter")->value, ".txt");
}

TEST_F(FaultTest, HugeNegativeAndOverLongSettingsLoadTheDefaults) {
    const std::string longText(5000, 'x');
    load_from_ini("[Base]\r\nmode=99999999999999999999\r\ncarrier=-1\r\nqrver2=4294967295\r\n"
                  "colors=+14\r\nsliderpos=-2147483648\r\nredunrate=" + std::string(3000, '9') + "\r\n"
                  "previewno= 11\r\nquick=2147483648\r\nextfilter=" + longText + "\r\n");
    expect_integer_defaults();
    // A long text is cut to what a stored text keeps.
    EXPECT_EQ(std::string(find_text_setting("extfilter")->value), std::string(kStoredTextBytes - 1, 'x'));
}

#ifndef _WIN32
// The per-user store's own file with broken lines, values of the wrong
// kind, numbers past 32 bits and a text longer than the store hands back.
TEST_F(FaultTest, ACorruptedSettingsStoreLoadsTheDefaults) {
    write_int_setting("mode", 1);   // makes the program's key
    std::string values = garbage() + "\ni mode 4294967298\ni drawmargin 99999999999\ni carrier -1\nt colors 3\ni qrver2 4294967295\n"
                         "i redunrate\ni\nt extfilter " + std::string(2 * 3000, '4') + "\ni quick 2x\n";
    write_file(std::string(std::getenv("MIVOKA_CONFIG_HOME")) + "/Velmora Tools/Mivoka/values", values);
    load_settings(&outcome_);
    ASSERT_EQ(settings_backend(), Registry);
    expect_integer_defaults();
    EXPECT_STREQ(find_text_setting("extfilter")->value, ".txt");
}
#endif

TEST_F(FaultTest, AFiftyMegabyteDocumentIsReadOnlyToItsLimits) {
    const std::string path = folder_ + "huge.txt";
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::string line = sjis("長い文書の一行") + std::string(90, 'a') + "\r\n";
        std::fputs("< Mail >\r\nto@example.jp\r\nsubject\r\n", f);
        for (size_t written = 0; written < 50u << 20; written += line.size()) std::fputs(line.c_str(), f);
        ASSERT_EQ(std::fclose(f), 0);
    }
    reset_form(Docomo, InputMode::Mail);
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    read_document(f);
    std::fclose(f);
    EXPECT_STREQ(form_field(&g_form, ControlTo), "to@example.jp");
    EXPECT_STREQ(form_field(&g_form, ControlSubject), "subject");
    const std::string body = form_field(&g_form, ControlBody);
    EXPECT_LE(body.size(), static_cast<size_t>(kDocumentLongBytes));
    EXPECT_GT(body.size(), static_cast<size_t>(kDocumentLongBytes - 200));
    EXPECT_EQ(body.compare(0, 14, sjis("長い文書の一行")), 0);
    std::remove(path.c_str());
}

TEST_F(FaultTest, ATenThousandRowExportGivesNinetyNineRecords) {
    std::string csv = sjis("氏名,携帯電話,メモ") + "\r\n";
    for (int row = 1; row <= 10000; ++row) {
        csv += "name" + std::to_string(row) + ",090-0000-" + std::to_string(1000 + row % 9000) +
               ",\"two\r\nlines, " + std::to_string(row) + "\"\r\n";
    }
    write_file(folder_ + "big.csv", csv);
    ASSERT_EQ(import_outlook_csv((folder_ + "big.csv").c_str(), kImportRowLimit), 0);
    EXPECT_EQ(g_import.count, kImportRowLimit);
    EXPECT_STREQ(ImportRecords[1].fields[ImportName], "name1");
    EXPECT_STREQ(ImportRecords[99].fields[ImportName], "name99");
    EXPECT_STREQ(ImportRecords[99].fields[ImportNote], "two lines, 99");
    EXPECT_STREQ(form_field(&g_form, ControlName), "name1");
}

}  // namespace
