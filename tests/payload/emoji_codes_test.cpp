// Emoji codes of all four carriers, their byte conversion at character
// boundaries only, the tables' invariants, and the UTF-8 code rule.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

struct CodeCase {
    int32_t carrier;
    EmojiIndex index;
    const char* code;   // null: no emoji
};

TEST(EmojiCodeFor, GivesEachCarriersTextualCode) {
    const CodeCase cases[] = {
        {Softbank, 1, "[$G!]"},   {Softbank, 90, "[$Gz]"},   {Softbank, 101, "[$E!]"},
        {Softbank, 562, "[$Q^]"}, {Softbank, 377, "[$Om]"},  {Softbank, 378, nullptr},
        {Softbank, 477, nullptr}, {Softbank, 563, nullptr},  {Softbank, 600, nullptr},
        {Softbank, 0, nullptr},   {Softbank, 91, nullptr},
        {Docomo, 1, "[i9F]"},     {Docomo, 90, "[iF8]"},     {Docomo, 122, "[iFC]"},
        {Docomo, 123, "[I40]"},   {Docomo, 132, "[I49]"},    {Docomo, 133, "[I50]"},
        {Docomo, 136, "[I55]"},   {Docomo, 139, "[I5B]"},    {Docomo, 143, "[I72]"},
        {Docomo, 155, "[I7E]"},   {Docomo, 156, "[I80]"},    {Docomo, 190, "[IA2]"},
        {Docomo, 201, "[I91]"},   {Docomo, 290, "[IEA]"},    {Docomo, 301, "[ID9]"},
        {Docomo, 336, "[IFC]"},   {Docomo, 337, nullptr},    {Docomo, 400, nullptr},
        {Au, 1, "[@659]"},        {Au, 4, "[@748]"},         {Au, 11, "[@74F]"},
        {Au, 717, "[@493]"},      {Au, 710, "[@48C]"},       {Au, 718, nullptr},
        {Au, 0, nullptr},
        {Utf8, 1, "[1F600]"},     {Utf8, 101, "[+2764]"},    {Utf8, 690, "[1F50D]"},
        {Utf8, 685, "[+00AE]"},   {Utf8, 262, "[1F9C0]"},    {Utf8, 91, nullptr},
        {Utf8, 0, nullptr},       {Utf8, 700, nullptr},
    };
    for (const CodeCase& c : cases) {
        char out[8] = {};
        int32_t result = emoji_code_for(c.carrier, c.index, out);
        EXPECT_EQ(result, c.code ? 0 : 1) << c.carrier << " " << c.index;
        if (c.code) {
            EXPECT_STREQ(out, c.code) << c.carrier << " " << c.index;
        }
    }
}

TEST(AuEmojiTable, HoldsEveryAuCodeOnceWithTheFixedRows) {
    std::set<uint32_t> seen;
    int32_t perLead[256] = {};
    EXPECT_EQ(AuEmojiTable[0], 0u);
    for (int32_t i = 1; i <= 647; ++i) {
        uint32_t c = AuEmojiTable[i];
        uint32_t lead = c >> 8, trail = c & 0xFF;
        EXPECT_TRUE(seen.insert(c).second) << "duplicate " << std::hex << c;
        EXPECT_TRUE(trail >= 0x40 && trail != 0x7F && trail <= (lead == 0xF4 ? 0x93u : 0xFCu)) << std::hex << c;
        ++perLead[lead & 0xFF];
    }
    EXPECT_EQ(perLead[0xF3], 188);
    EXPECT_EQ(perLead[0xF4], 83);
    EXPECT_EQ(perLead[0xF6], 188);
    EXPECT_EQ(perLead[0xF7], 188);
    const uint32_t first[11] = {0xF659, 0xF65A, 0xF65B, 0xF748, 0xF749, 0xF74A, 0xF74B, 0xF74C, 0xF74D, 0xF74E, 0xF74F};
    for (int32_t i = 0; i < 11; ++i) EXPECT_EQ(AuEmojiTable[i + 1], first[i]);
    for (int32_t i = 640; i <= 647; ++i) EXPECT_EQ(AuEmojiTable[i], 0xF48Cu + (i - 640));
    EXPECT_EQ(AuEmojiTable[12], 0xF340u);
    EXPECT_EQ(au_emoji_code(Docomo, 1), -1);
    EXPECT_EQ(au_emoji_code(Au, 1), 0xF659);
    EXPECT_EQ(au_emoji_code(Au, 718), -1);
}

TEST(UnicodeEmojiTable, FollowsItsRuns) {
    EXPECT_EQ(std::string(UnicodeEmojiTable[0], 3), "   ");
    EXPECT_EQ(std::string(UnicodeEmojiTable[69], 3), "644");
    EXPECT_EQ(std::string(UnicodeEmojiTable[120], 3), "-01");
    EXPECT_EQ(std::string(UnicodeEmojiTable[126], 3), "-07");
    EXPECT_EQ(std::string(UnicodeEmojiTable[659], 3), "-50");
    EXPECT_EQ(std::string(UnicodeEmojiTable[490], 3), "43F");
    EXPECT_EQ(std::string(UnicodeEmojiTable[191], 3), "   ");
    int32_t filled = 0;
    for (int32_t i = 0; i < 700; ++i) filled += UnicodeEmojiTable[i][0] != ' ';
    EXPECT_EQ(filled, 630);   // positions 1-90 of pages 0-6
    EXPECT_STREQ(BmpEmojiTable[0], "2764");
    EXPECT_STREQ(BmpEmojiTable[54], "00AE");
}

struct ConvertCase {
    const char* name;
    int32_t carrier;
    std::string text;
    std::string expected;
};

TEST(ConvertEmojiCodes, ConvertsAtCharacterBoundariesOnly) {
    const std::string ze = sjis("ゼ");    // 83 5B: its trail is "["
    const std::string chou = sjis("ー");  // 81 5B
    const ConvertCase cases[] = {
        {"docomo i and I", Docomo, "a[i9F]b[IFC]", "a\xF8\x9F" "b\xF9\xFC"},
        {"docomo lower-case digits stay", Docomo, "[i9f]", "[i9f]"},
        {"docomo value 00 stays text", Docomo, "[i00]x", "[i00]x"},
        {"docomo after ze", Docomo, ze + "i9F]", ze + "i9F]"},
        {"docomo after long vowel", Docomo, chou + "i9F][i9F]", chou + "i9F]\xF8\x9F"},
        {"docomo code in softbank", Softbank, "[i9F]", "[i9F]"},
        {"au", Au, "[@659][@3A0]", "\xF6\x59\xF3\xA0"},
        {"au digit 5 is no code", Au, "[@559]", "[@559]"},
        {"au value 00 stays text", Au, "[@300]end", "[@300]end"},
        {"au after ze", Au, ze + "@659]", ze + "@659]"},
        {"softbank", Softbank, "x[$G!]y", "x\x1B$G!\x0Fy"},
        {"softbank after ze", Softbank, ze + "$G!]", ze + "$G!]"},
        {"softbank short", Softbank, "[$G]", "[$G]"},
        {"softbank lead byte as character", Softbank, "[$G\x81]", "[$G\x81]"},
        {"utf8 leaves everything", Utf8, "[i9F][@659][$G!]", "[i9F][@659][$G!]"},
    };
    for (const ConvertCase& c : cases) {
        std::memset(g_payload.text, 0, sizeof g_payload.text);
        std::memcpy(g_payload.text, c.text.data(), c.text.size());
        convert_emoji_codes(&g_payload, c.carrier);
        EXPECT_EQ(payload_text(), c.expected) << c.name;
    }
}

TEST(ConvertEmojiCodes, KeepsTheWholeLongestPayload) {
    // 19,999 bytes ending in a code: nothing beyond 19,996 bytes is lost.
    std::string text = std::string(19994, 'a') + "[i9F]";
    std::memcpy(g_payload.text, text.c_str(), text.size() + 1);
    g_payload.dropped = DroppedNothing;
    convert_emoji_codes(&g_payload, Docomo);
    EXPECT_EQ(payload_text(), std::string(19994, 'a') + "\xF8\x9F");
    EXPECT_EQ(g_payload.dropped, DroppedNothing);
}

struct ClassCase {
    const char* code;
    int32_t cls;
};

TEST(ClassifyUtf8Code, FollowsTheRule) {
    const ClassCase cases[] = {
        {"[1F600]", FourBytesCode}, {"[1FF7F]", FourBytesCode}, {"[1FF80]", InvalidCode},
        {"[1FFFF]", InvalidCode},   {"[1F60]", NotACode},      {"[1f600]", NotACode},
        {"[+0041]", TwoBytesOrFewer}, {"[+0009]", OneByteCode},   {"[+0000]", InvalidCode},  {"[+00E9]", TwoBytesOrFewer}, {"[+0100]", ThreeBytesOrFewer},
        {"[+0800]", ThreeBytesOrFewer}, {"[+2764]", ThreeBytesCode}, {"[+D7FF]", ThreeBytesCode},
        {"[+D800]", InvalidCode},   {"[+DFFF]", InvalidCode},  {"[+FFFE]", InvalidCode},
        {"[+FFFF]", InvalidCode},   {"[+FDD0]", InvalidCode},  {"[+FDEF]", InvalidCode},
        {"[+FDF0]", ThreeBytesCode}, {"[+g041]", NotACode},    {"[+004]", NotACode},
        {"[+0041", NotACode},       {"[", NotACode},           {"x+0041]", NotACode},
    };
    for (const ClassCase& c : cases) EXPECT_EQ(classify_utf8_code(c.code), c.cls) << c.code;
}

}  // namespace
