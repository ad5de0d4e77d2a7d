// The profile semantics of the ini file: sections, case, blanks, quotes,
// defaults, numbers, and where new keys go.
#include <gtest/gtest.h>

#include <string>

#include "persistence/ini_file.h"
#include "tests/persistence/settings_env_support.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = fresh_settings_env() + "test.ini"; }
    std::string read(const char* key, const char* def = "DEF", int32_t capacity = 256) {
        char out[1100];
        ini_read_text(path_.c_str(), "Base", key, def, out, capacity);
        return out;
    }
    std::string path_;
};

TEST_F(IniFileTest, NewFileGetsSectionAndKeysInOrderWritten) {
    EXPECT_EQ(ini_write(path_.c_str(), "Base", "b", "2"), 0);
    EXPECT_EQ(ini_write(path_.c_str(), "Base", "a", "1"), 0);
    EXPECT_EQ(ini_write(path_.c_str(), "Base", "b", "3"), 0);
    EXPECT_EQ(file_bytes(path_), "[Base]\r\nb=3\r\na=1\r\n");
}

TEST_F(IniFileTest, ReadingFollowsTheProfileRules) {
    write_file(path_,
               "; comment\r\n[Other]\r\nx=other\r\n[ base ]\r\n  Key1 =  spaced value  \r\nquoted=\"  q \"\r\n"
               "single='s'\r\nhalf=\"h\r\nempty=\r\nbare\r\nnum=-42abc\r\nplus=+7\r\nnone=x\r\n[Base]\r\nlate=no\r\n");
    const struct {
        const char* key;
        const char* expected;
    } rows[] = {
        {"key1", "spaced value"}, {"KEY1", "spaced value"}, {"quoted", "  q "}, {"single", "s"},
        {"half", "\"h"},          {"empty", ""},            {"bare", ""},       {"x", "DEF"},
        {"missing", "DEF"},       {"late", "DEF"},
    };
    for (const auto& r : rows) EXPECT_EQ(read(r.key), r.expected) << r.key;
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "num", 5), -42);
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "plus", 5), 7);
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "none", 5), 0);
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "empty", 5), 5);
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "missing", 5), 5);
    EXPECT_EQ(ini_read_int(path_.c_str(), "Other", "x", 5), 0);
}

TEST_F(IniFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(read("k", "fallback"), "fallback");
    EXPECT_EQ(ini_read_int(path_.c_str(), "Base", "k", -1), -1);
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
    write_file(path_, "[Base]\r\na=1\r\n\r\n[Other]\r\nx=2");
    ASSERT_EQ(ini_write(path_.c_str(), "Base", "b", "\"two\""), 0);
    ASSERT_EQ(ini_write(path_.c_str(), "Other", "y", "3"), 0);
    ASSERT_EQ(ini_write(path_.c_str(), "Third", "z", "4"), 0);
    EXPECT_EQ(file_bytes(path_), "[Base]\r\na=1\r\nb=\"two\"\r\n\r\n[Other]\r\nx=2\r\ny=3\r\n[Third]\r\nz=4\r\n");
    EXPECT_EQ(read("b"), "two");
}

TEST_F(IniFileTest, LongValuesAreCutAtACharacterBoundary) {
    // 254 'a' then the double-byte 漢 (8A BF): 255 bytes would halve it.
    std::string value(254, 'a');
    value += "\x8A\xBF";
    write_file(path_, "[Base]\r\nk=" + value + "\r\nm=" + std::string(300, 'm') + "\r\n");
    EXPECT_EQ(read("k"), std::string(254, 'a'));
    EXPECT_EQ(read("m"), std::string(255, 'm'));
    EXPECT_EQ(read("k", "", 300), value);
}

TEST_F(IniFileTest, ShiftJisValuesKeepTheirBytes) {
    // A trail byte 0x5C ("\") and one of 0x7C must not end or split anything.
    const char value[] = "\"\x95\x5C\x8E\x9A \x83\x7C\"";
    ASSERT_EQ(ini_write(path_.c_str(), "Base", "sjis", value), 0);
    EXPECT_EQ(read("sjis"), "\x95\x5C\x8E\x9A \x83\x7C");
}

}  // namespace
