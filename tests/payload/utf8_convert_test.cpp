// convert_to_utf8 with its emoji codes and its whole-character limit, and
// to_display_sjis.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

std::string converted(const std::string& sjisText) { return converted_to_utf8(sjisText); }

struct Utf8Case {
    const char* name;
    std::string sjisText;
    std::string utf8;
};

TEST(ConvertToUtf8, DecodesCodesAndConvertsText) {
    const Utf8Case cases[] = {
        {"kana and kanji", sjis("あ漢ｱ"), "あ漢ｱ"},
        {"one-byte code", "[+0041]", "A"},
        {"null code disappears", "x[+0000]y", "xy"},
        {"four-byte code", "[1F600]", "\xF0\x9F\x98\x80"},
        {"two-byte code", "[+00E9]", "\xC3\xA9"},
        {"three-byte code", "[+2764]", "\xE2\x9D\xA4"},
        {"invalid codes dropped", "a[+D800][1FF80][+FFFE]b", "ab"},
        {"not codes stay", "[+g041][1f600][+0041", "[+g041][1f600][+0041"},
        {"docomo code stays text", "[i9F]", "[i9F]"},
        {"best fit has no role here", "\xA5\x5C", "･\\"},
        {"undecodable bytes", "\x80\xA0\x85\x40", "\xC2\x80\xEF\xA3\xB0\xE3\x83\xBB"},
    };
    for (const Utf8Case& c : cases) {
        EXPECT_EQ(converted(c.sjisText), c.utf8) << c.name;
        EXPECT_EQ(g_payload.dropped, DroppedNothing) << c.name;
    }
}

TEST(ConvertToUtf8, StopsBetweenWholeCharactersAndReportsIt) {
    // 19,999 half-width katakana become 59,997 bytes: 6,664 whole ones fit.
    std::string out = converted(std::string(19999, '\xB1'));
    EXPECT_EQ(out.size(), 19992u);
    EXPECT_EQ(out.substr(out.size() - 3), "ｱ");
    EXPECT_NE(g_payload.dropped & DroppedConversionTail, 0);
    // One byte short of the limit: a three-byte character no longer fits.
    out = converted(std::string(19991, 'a') + "\xB1");
    EXPECT_EQ(out, std::string(19991, 'a'));
    EXPECT_NE(g_payload.dropped & DroppedConversionTail, 0);
    // Exactly at the limit: nothing is dropped.
    out = converted(std::string(19989, 'a') + "\xB1");
    EXPECT_EQ(out.size(), 19992u);
    EXPECT_EQ(g_payload.dropped, DroppedNothing);
}

TEST(ToDisplaySjis, ShowsMissingCharactersAsCircles) {
    struct Case {
        const char* name;
        const char* utf8;
        const char* shown;   // UTF-8 of the Shift_JIS result
    } cases[] = {
        {"plain", "あA漢", "あA漢"},
        {"emoji beyond 16 bits is one circle", "a\xF0\x9F\x98\x80" "b", "a○b"},
        {"missing BMP character", "\xE2\x9D\xA4", "○"},
        {"typed middle dot", "ｱ･ｲ", "ｱ○ｲ"},
        {"best fit", "©", "c"},
    };
    for (const auto& c : cases) {
        char text[kTextViewBytes] = {};
        std::strcpy(text, c.utf8);
        to_display_sjis(text, kTextViewBytes);
        EXPECT_EQ(utf8_of(text), c.shown) << c.name;
    }
}

}  // namespace
