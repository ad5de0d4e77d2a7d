// The smartphone forms: full-width katakana as the exact inverse of the
// half-width conversion, the switch that keeps the Utf8 mail and address
// modes empty unless asked for, and the mailto: URI's encoding and length limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

std::string full(const std::string& sjisText, int32_t capacity = kFieldBufferBytes) {
    char buffer[kFieldBufferBytes] = {};
    std::memcpy(buffer, sjisText.data(), sjisText.size());
    to_full_width_katakana(buffer, capacity);
    return buffer;
}

TEST(ToFullWidthKatakana, ConvertsLettersAndMarks) {
    EXPECT_EQ(full(sjis("ｱｶﾞﾊﾟｳﾞｰ ｬｯ")), sjis("アガパヴー ャッ"));
    EXPECT_EQ(full(sjis("ﾜﾞﾞﾟAb1,漢")), sjis("ワ゛゛゜Ab1,漢"));
    EXPECT_EQ(full(sjis("ｦﾝ")), sjis("ヲン"));
}

TEST(ToFullWidthKatakana, IsTheInverseOfHalfWidth) {
    // Every full-width katakana that has a half-width form comes back.
    for (int32_t code = 0x8340; code <= 0x8396; ++code) {
        if (code == 0x837F) continue;   // not a character
        char text[8] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF), 0};
        std::string original = text;
        to_half_width(text, HalfKana);
        EXPECT_EQ(full(text), original) << std::hex << code;
    }
    // Every half-width katakana, alone, goes there and back.
    for (int32_t b = 0xA6; b <= 0xDD; ++b) {
        char text[4] = {static_cast<char>(b), 0};
        std::string back = full(text);
        char again[8] = {};
        std::memcpy(again, back.data(), back.size());
        to_half_width(again, HalfKana);
        EXPECT_EQ(std::string(again), std::string(text)) << std::hex << b;
    }
}

TEST(ToFullWidthKatakana, CutsBetweenWholeCharacters) {
    EXPECT_EQ(full(sjis("ｱｲｳ"), 6), sjis("アイ"));
    EXPECT_EQ(full(sjis("ｱｲｳ"), 5), sjis("アイ"));
    EXPECT_EQ(full(sjis("ｱｲｳ"), 4), sjis("ア"));
}

std::string compose(int32_t carrier, bool smartphone) {
    g_form.utf8forms = smartphone ? 1 : 0;
    compose_payload();
    convert_emoji_codes(&g_payload, carrier);
    if (carrier == Utf8) convert_to_utf8(&g_payload);
    return payload_text();
}

TEST(SmartphoneForms, OnlyWithTheirSwitch) {
    reset_form(Utf8, InputMode::Mail);
    set_field(ControlTo, "a@b.jp");
    EXPECT_EQ(compose(Utf8, false), "");
    EXPECT_EQ(compose(Utf8, true), "mailto:a@b.jp");
    reset_form(Utf8, InputMode::Address);
    set_field(ControlName, "x");
    EXPECT_EQ(compose(Utf8, false), "");
    EXPECT_EQ(compose(Utf8, true), "MECARD:N:x;;");
    // The other carriers are untouched by the switch.
    reset_form(Docomo, InputMode::Address);
    set_field(ControlName, "x");
    set_field(ControlFurigana, "あ");
    EXPECT_EQ(compose(Docomo, true), sjis("MECARD:N:x;SOUND:ｱ;;"));
}

TEST(MailtoUri, EncodesEveryPart) {
    reset_form(Utf8, InputMode::Mail);
    set_field(ControlTo, "ｔａｒｏ+1＠ｅｘ．ｊｐ note");
    set_field(ControlSubject, "a b&c=d?~");
    set_field(ControlBody, "本\r\n[1F600]");
    EXPECT_EQ(compose(Utf8, true),
              "mailto:taro%2B1@ex.jp?subject=a%20b%26c%3Dd%3F~&body=%E6%9C%AC%0D%0A%F0%9F%98%80");
    set_field(ControlTo, "");
    set_field(ControlBody, "");
    EXPECT_EQ(compose(Utf8, true), "mailto:?subject=a%20b%26c%3Dd%3F~");
}

TEST(MailtoUri, RefusesAUriPastThePayload) {
    reset_form(Utf8, InputMode::Mail);
    // Spaces take three bytes each; "mailto:?body=" is 13: 13 + 6,661 * 3 = 19,996.
    std::string body(6661, ' ');
    set_field(ControlBody, body);
    g_form.utf8forms = 1;
    EXPECT_EQ(compose_payload(), 1);
    EXPECT_EQ(g_composeError.code, kComposeUriTooLong);
    EXPECT_EQ(g_composeError.argument, 19996);
    EXPECT_EQ(payload_text(), "");
    body.resize(6659);   // 13 + 19977 = 19990, within the 19,992 bytes
    set_field(ControlBody, body);
    EXPECT_EQ(compose_payload(), 0);
    EXPECT_EQ(payload_text().size(), 19990u);
}

}  // namespace
