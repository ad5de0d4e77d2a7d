// Character classes and the character codes handed to QRmodel2.
#include <gtest/gtest.h>

#include <string>

#include "pipeline/encoder_selection.h"

namespace {

TEST(ClassifyCharset, HighestClassOfTheText) {
    struct Case { const char* text; int32_t expected; };
    const Case cases[] = {
        {"", 0}, {"0123", 1}, {"12AB", 2}, {"ab", 3}, {"a\r\n", 4}, {"\x7F", 4},
        {"\xB1", 5},              // half-width katakana
        {"\x82\x60", 6},          // full-width A
        {"\x82\xA0", 7},          // hiragana
        {"\x83\x40", 7},          // katakana
        {"\x81\x41", 8},          // ideographic comma
        {"\x87\x40", 8},          // circled one
        {"\x88\x9F", 9},          // first kanji of level 1
        {"\x98\x72", 9}, {"\x98\x73", 11},
        {"\xE0\x40", 10}, {"\xEA\xA4", 10}, {"\xED\x40", 10},
        {"\xFA\x40", 11},         // IBM extension rows
        {"\xF8\x9F", 11},         // docomo emoji
        {"\xB1\xFD", 5},          // the byte after half-width kana is skipped
        {"\x82", 11},             // a lead byte paired with the terminator
        {"1\x82\xA0" "A", 7},
    };
    for (const Case& c : cases) EXPECT_EQ(classify_charset(c.text, -1), c.expected) << c.text;
}

TEST(ClassifyCharset, CapStopsTheScanButClassElevenDoesNot) {
    EXPECT_EQ(classify_charset("\xE0\x40\xFA\x40", 10), 10);
    EXPECT_EQ(classify_charset("\xFA\x40\xE0\x40", 10), 11);
    EXPECT_EQ(classify_charset("\xE0\x40\xFA\x40", -1), 11);
    EXPECT_EQ(classify_charset("\x82\xA0", 3), 3);
}

TEST(CharCodeArray, PairsAreSignExtendedSinglesUnsignedTabsDropped) {
    CharCodeArray a;
    build_char_codes("A\t\x82\xA0\xB1\r", &a);
    ASSERT_EQ(a.count, 4);
    EXPECT_EQ(static_cast<uint32_t>(a.codes[0]), 0x41u);
    EXPECT_EQ(static_cast<uint32_t>(a.codes[1]), 0xFFFF82A0u);
    EXPECT_EQ(static_cast<uint32_t>(a.codes[2]), 0xB1u);
    EXPECT_EQ(static_cast<uint32_t>(a.codes[3]), 0x0Du);
    EXPECT_EQ(a.codes[4], 0);
}

TEST(CharCodeArray, LeadByteAtTheEndPairsWithTheTerminator) {
    CharCodeArray a;
    build_char_codes("1\x88", &a);
    ASSERT_EQ(a.count, 2);
    EXPECT_EQ(static_cast<uint32_t>(a.codes[1]), 0xFFFF8800u);
}

TEST(CharCodeArray, WalkStopsAfterOneThousandBytes) {
    std::string text(1200, '7');
    CharCodeArray a;
    build_char_codes(text.c_str(), &a);
    EXPECT_EQ(a.count, 1000);
    build_char_codes(std::string(1200, '\t').c_str(), &a);
    EXPECT_EQ(a.count, 0);
}

}  // namespace
