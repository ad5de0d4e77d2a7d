// byte_type, read_field, replace_text and cut_at_char: every cut and match
// falls between whole characters, even where trail bytes look like leads,
// backslashes or commas.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

TEST(ByteType, WalksFromTheStart) {
    // 字 is 8E 9A: its trail byte lies in the lead range.
    std::string t = "A" + sjis("字字") + "\t" + std::string("\x81\x20", 2);
    const char* s = t.c_str();
    EXPECT_EQ(byte_type(s, 0), ByteSingle);
    EXPECT_EQ(byte_type(s, 1), ByteLead);
    EXPECT_EQ(byte_type(s, 2), ByteTrail);
    EXPECT_EQ(byte_type(s, 3), ByteLead);
    EXPECT_EQ(byte_type(s, 4), ByteTrail);
    EXPECT_EQ(byte_type(s, 5), ByteInvalid);   // tab
    EXPECT_EQ(byte_type(s, 6), ByteLead);
    EXPECT_EQ(byte_type(s, 7), ByteInvalid);   // space after a lead byte
    EXPECT_EQ(byte_type(s, 8), ByteInvalid);   // the NUL
    EXPECT_EQ(byte_type(s, 20), ByteInvalid);
    EXPECT_EQ(byte_type("\xA5\x80\xFD", 0), ByteSingle);
    EXPECT_EQ(byte_type("\xA5\x80\xFD", 1), ByteInvalid);
    EXPECT_EQ(byte_type("\xA5\x80\xFD", 2), ByteInvalid);
}

struct ReadCase {
    const char* name;
    std::string text;
    int32_t limit;
    size_t kept;
    int32_t result;
};

TEST(ReadField, CutsOnlyBetweenCharacters) {
    static char buffer[kLongFieldBytes];
    const std::string ji = sjis("字");
    const ReadCase cases[] = {
        {"exactly the limit", std::string(19999, 'a'), 19999, 19999, 0},
        {"one byte more", std::string(20000, 'a'), 19999, 19999, 2},
        {"lead byte at limit - 1", std::string(19998, 'a') + ji, 19999, 19998, 2},
        // 9,999 x 字 then 'a': byte 19,998 is 字's trail 0x9A, a value in the
        // lead range; the character ends exactly at the limit.
        {"trail in the lead range at limit - 1", std::string(1, 'a') + [&] { std::string s; for (int i = 0; i < 9999; ++i) s += ji; return s; }() + "b", 19999, 19999, 2},
        {"short field", std::string(199, 'a') + ji, 200, 199, 2},
        {"empty", "", 200, 0, 0},
    };
    for (const ReadCase& c : cases) {
        reset_form(Docomo, InputMode::Text);
        set_field_bytes(ControlText, c.text);
        EXPECT_EQ(read_field(&g_form, ControlText, buffer, c.limit), c.result) << c.name;
        EXPECT_EQ(std::string(buffer), c.text.substr(0, c.kept)) << c.name;
    }
    EXPECT_EQ(read_field(&g_form, 9999, buffer, 10), 1);
}

struct ReplaceCase {
    const char* name;
    std::string text;
    int32_t capacity;
    std::string find;
    std::string replacement;
    int32_t mode;
    std::string expected;
    int32_t result;
};

TEST(ReplaceText, MatchesWholeCharactersAndCutsBetweenUnits) {
    const std::string so = sjis("ソ");   // 83 5C: its trail byte is a backslash
    const std::string kan = sjis("漢");
    const ReplaceCase cases[] = {
        {"first only", "a,b,c", 100, ",", "\\,", 0, "a\\,b,c", 0},
        {"all", "a,b,c", 100, ",", "\\,", 1, "a\\,b\\,c", 0},
        {"all but the first", "a,b,c", 100, ",", "\\,", 102, "a,b\\,c", 0},
        {"all but the first two", "a,b,c,d", 100, ",", "\\,", 103, "a,b,c\\,d", 0},
        {"trail byte backslash", so + "\\" + so, 100, "\\", "\\\\", 1, so + "\\\\" + so, 0},
        {"no match after replacement", "aa", 100, "a", "aa", 1, "aaaa", 0},
        {"remove line breaks", "a\r\nb\rc\nd\r\n", 100, "\r\n", "", 1, "ab\rc\nd", 0},
        {"cut keeps whole replacements", ",,,,", 6, ",", "\\,", 1, "\\,\\,", 2},
        {"cut keeps whole characters", kan + "," + kan + ",", 8, ",", "\\,", 1, kan + "\\," + kan, 2},
        {"nothing found", "abc", 100, "x", "y", 1, "abc", 0},
    };
    for (const ReplaceCase& c : cases) {
        char buffer[256] = {};
        std::copy(c.text.begin(), c.text.end(), buffer);
        EXPECT_EQ(replace_text(buffer, c.capacity, c.find.c_str(), c.replacement.c_str(), c.mode), c.result) << c.name;
        EXPECT_EQ(std::string(buffer), c.expected) << c.name;
    }
}

TEST(ReplaceText, RefusesHugeCapacityAndUsesLargeBuffers) {
    char small[8] = "a,b";
    EXPECT_EQ(replace_text(small, 204804, ",", ";", 1), 1);
    EXPECT_STREQ(small, "a,b");
    static char big[20000];
    std::string commas(17900, ',');
    std::copy(commas.begin(), commas.end(), big);
    big[17900] = '\0';
    EXPECT_EQ(replace_text(big, 17900, ",", "\\,", 1), 2);
    EXPECT_EQ(std::string(big), [] { std::string s; for (int i = 0; i < 8949; ++i) s += "\\,"; return s; }());
}

TEST(CutAtChar, SplitsAtTheFirstSpace) {
    char out[64];
    cut_at_char(out, "taro@example.jp home", ' ', 0);
    EXPECT_STREQ(out, "taro@example.jp");
    cut_at_char(out, "taro@example.jp home address", ' ', 1);
    EXPECT_STREQ(out, "home address");
    cut_at_char(out, "nospace", ' ', 0);
    EXPECT_STREQ(out, "nospace");
    cut_at_char(out, "nospace", ' ', 1);
    EXPECT_STREQ(out, "");
}

}  // namespace
