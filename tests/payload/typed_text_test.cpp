// Typed text into the fields' Shift_JIS: for UTF-8 every character comes
// back exactly through convert_to_utf8; for Shift_JIS Windows' conversion
// stands and what it replaces is named; cuts never split a code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "payload/typed_text.h"
#include "platform/codepage.h"
#include "tests/payload/text_support.h"

namespace {

std::u16string units_of(const char* utf8) {
    static uint16_t units[4096];
    int32_t n = utf8_to_utf16(utf8, static_cast<int32_t>(std::strlen(utf8)), units);
    return std::u16string(reinterpret_cast<const char16_t*>(units), static_cast<size_t>(n));
}

std::string typed(const char* utf8, bool keepEvery, TypedTextNotes* notes = nullptr, int32_t room = 4096,
                  bool* cut = nullptr) {
    static char out[4096];
    std::u16string u = units_of(utf8);
    int32_t n = typed_text_to_sjis(reinterpret_cast<const uint16_t*>(u.data()), static_cast<int32_t>(u.size()),
                                   keepEvery, out, room, notes, cut);
    return std::string(out, static_cast<size_t>(n));
}


TEST(TypedText, TheUtf8TargetGetsEveryCharacterBackExactly) {
    const char* texts[] = {"Café Zoë ¥500 한국어 张三 😀 𠮷", "〜～‖−¢£¬", "日本語とｶﾅ and ASCII ~\\", "\xF4\x8F\xBF\xBD"};
    for (const char* text : texts) {
        TypedTextNotes notes = {};
        EXPECT_EQ(converted_to_utf8(typed(text, true, &notes)), text) << text;
    }
    TypedTextNotes notes = {};
    EXPECT_EQ(typed("é😀𠮷あ", true, &notes), std::string("[+00E9][+D83D][+DE00][+D842][+DFB7]") + sjis("あ"));
    EXPECT_EQ(notes.lost.count, 3);
    EXPECT_EQ(notes.lost.first[2], 0x20BB7u);
}

TEST(TypedText, AShiftJisTargetKeepsWindowsConversionAndNamesWhatItReplaced) {
    TypedTextNotes notes = {};
    EXPECT_EQ(typed("¥ é 한 张", false, &notes), sjis("¥ é ? ?"));
    ASSERT_EQ(notes.lost.count, 2);
    EXPECT_EQ(notes.lost.first[0], 0xD55Cu);
    EXPECT_EQ(notes.lost.first[1], 0x5F20u);
    EXPECT_EQ(notes.inexact.count, 4) << "best fits change a document too";
    char names[64];
    lost_chars_text(notes.lost, names, sizeof names);
    EXPECT_STREQ(names, "U+D55C U+5F20");
    notes = {};
    typed("한한한한한한한한", false, &notes);
    lost_chars_text(notes.lost, names, sizeof names);
    EXPECT_STREQ(names, "U+D55C U+D55C U+D55C U+D55C U+D55C U+D55C ...");
}

TEST(TypedText, ACutNeverSplitsACharacterOrACode) {
    bool cut = false;
    EXPECT_EQ(typed("ab😀", true, nullptr, 10, &cut), "ab") << "the pair of codes does not fit";
    EXPECT_TRUE(cut);
    EXPECT_EQ(typed("abあ", false, nullptr, 4, &cut), "ab");
    EXPECT_TRUE(cut);
    EXPECT_EQ(typed("abc", false, nullptr, 4, &cut), "abc");
    EXPECT_FALSE(cut);
}

}  // namespace
