// The field normalisers on full-width, hiragana, half-width and mixed input,
// and the cutting helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

std::string half(const char* utf8, int32_t flags) {
    char buffer[kFieldBufferBytes] = {};
    std::string s = sjis(utf8);
    std::memcpy(buffer, s.data(), s.size());
    to_half_width(buffer, flags);
    return buffer;
}

TEST(ToHalfWidth, ConvertsByFlag) {
    EXPECT_EQ(half("０９Ａｚ", HalfDigits), "09" + sjis("Ａｚ"));
    EXPECT_EQ(half("０９Ａｚ", HalfLatin), sjis("０９") + "Az");
    EXPECT_EQ(half("アガパヴー", HalfKana), sjis("ｱｶﾞﾊﾟｳﾞｰ"));
    EXPECT_EQ(half("ャッヮヰヱヵヶ", HalfKana), sjis("ｬｯヮヰヱヵヶ"));
    EXPECT_EQ(half("漢字ソ０", 7), sjis("漢字ｿ0"));
}

struct NormaliseCase {
    const char* name;
    const char* input;      // UTF-8
    const char* expected;   // UTF-8
    int32_t result;
};

template <typename F>
void run_cases(const NormaliseCase* cases, size_t count, F normalise) {
    for (size_t i = 0; i < count; ++i) {
        const NormaliseCase& c = cases[i];
        char buffer[kFieldBufferBytes] = {};
        std::string s = sjis(c.input);
        std::memcpy(buffer, s.data(), s.size());
        EXPECT_EQ(normalise(buffer, static_cast<int32_t>(s.size())), c.result) << c.name;
        EXPECT_EQ(std::string(buffer), sjis(c.expected)) << c.name;
    }
}

TEST(NormaliseFurigana, MakesHalfWidthKatakana) {
    const NormaliseCase cases[] = {
        {"hiragana with full-width space", "やまだ　たろう", "ﾔﾏﾀﾞ ﾀﾛｳ", 0},
        {"hiragana around 0x837F", "みむぱ", "ﾐﾑﾊﾟ", 0},
        {"katakana and long vowel", "ジョージ", "ｼﾞｮｰｼﾞ", 0},
        {"half-width kept, symbols dropped", "ｱｲ-ｳ!,a1", "ｱｲｳ,a1", 0},
        {"full-width Latin and digits", "ＡＢ１", "AB1", 0},
        {"kanji only", "山田", "", 1},
        {"control bytes dropped", "ア\tイ", "ｱｲ", 0},
        {"empty", "", "", 4},
    };
    run_cases(cases, sizeof cases / sizeof cases[0], normalise_furigana);
}

TEST(NormalisePhone, KeepsDialCharacters) {
    const NormaliseCase cases[] = {
        {"full-width digits, hyphens, spaces", "０９０ー１２３４－５６７８　９", "090-1234-5678,9", 0},
        {"spaces and pause", "03 1234 p5 #*", "03,1234,p5,#*", 0},
        {"full-width P and symbols", "１Ｐ２ｐ＊＃、，", "1P2P*#,,", 0},
        {"letters only", "abc", "", 1},
        {"forty digits keep 36", "1234567890123456789012345678901234567890", "123456789012345678901234567890123456", 0},
        {"empty", "", "", 4},
    };
    run_cases(cases, sizeof cases / sizeof cases[0], normalise_phone);
}

TEST(NormaliseMailAddress, DropsForbiddenCharacters) {
    const NormaliseCase cases[] = {
        {"full-width address", "ｔａｒｏ＠ｅｘａｍｐｌｅ．ｊｐ", "taro@example.jp", 0},
        {"ideographic full stop", "a＠b。jp", "a@b.jp", 0},
        {"space and semicolon removed", "ta ro;@ex.jp", "taro@ex.jp", 0},
        {"forbidden ASCII", "a\\[]\"'|`{}<>#:b@c", "ab@c", 0},
        {"half-width katakana dropped, marks kept", "aｱﾞ｡b", "aﾞ｡b", 0},
        {"kanji dropped", "山a@b", "a@b", 0},
    };
    run_cases(cases, sizeof cases / sizeof cases[0], [](char* t, int32_t n) { normalise_mail_address(t, n); return 0; });
    char longAddress[kFieldBufferBytes] = {};
    std::memset(longAddress, 'x', 100);
    normalise_mail_address(longAddress, 100);
    EXPECT_EQ(std::strlen(longAddress), 64u);
}

TEST(TruncateAt, NeverLeavesHalfACharacter) {
    std::string kan = sjis("漢字");
    char t[16];
    std::strcpy(t, ("a" + kan).c_str());
    truncate_at(t, 2, 1);   // 漢 straddles the cut: dropped whole
    EXPECT_EQ(std::string(t), "a");
    std::strcpy(t, ("a" + kan).c_str());
    truncate_at(t, 2, 0);   // its first byte becomes a space
    EXPECT_EQ(std::string(t), "a ");
    std::strcpy(t, ("a" + kan).c_str());
    truncate_at(t, 3, 1);
    EXPECT_EQ(std::string(t), "a" + sjis("漢"));
    std::strcpy(t, "abc");
    truncate_at(t, 5, 1);
    EXPECT_STREQ(t, "abc");
}

TEST(SetTrailingLineBreaks, CountsAndSetsPairs) {
    struct Case {
        const char* text;
        int32_t k;
        const char* expected;
    } cases[] = {
        {"a\r\n\r\n", 1, "a\r\n"},    {"a", 2, "a\r\n\r\n"},          {"a\r\n\r\n\r\n", -2, "a\r\n"},
        {"a\r\n", -5, "a"},           {"a\n\r\n", 0, "a\n"},          {"\r\n", 0, ""},
    };
    for (const Case& c : cases) {
        char t[32];
        std::strcpy(t, c.text);
        set_trailing_line_breaks(t, sizeof t, c.k);
        EXPECT_STREQ(t, c.expected) << c.text << " " << c.k;
    }
    char tight[5] = "ab";
    set_trailing_line_breaks(tight, sizeof tight, 3);
    EXPECT_STREQ(tight, "ab\r\n");   // room for one pair and the NUL only
}

}  // namespace
