// The Wi-Fi network text (fields, escaping, the refusals, the room) and the
// vCard contact where Shift_JIS needs care: a trail byte that is a
// backslash, the full-width space that splits a name, and a name alone.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

std::string wifi(WifiNetwork n, int32_t room = 256) {
    char out[256];
    int32_t r = wifi_text(n, out, room);
    return r == WifiDone ? std::string(out) : "refused " + std::to_string(r) + " '" + out + "'";
}

TEST(WifiText, WritesTheFieldsAndEscapesTheTexts) {
    EXPECT_EQ(wifi({"home", "pw", WifiWpa, false}), "WIFI:T:WPA;S:home;P:pw;;");
    EXPECT_EQ(wifi({"home", "pw", WifiWep, true}), "WIFI:T:WEP;S:home;P:pw;H:true;;");
    EXPECT_EQ(wifi({"cafe", nullptr, WifiOpen, true}), "WIFI:S:cafe;H:true;;");
    EXPECT_EQ(wifi({"a\\b;c,d:e\"f", "p;q", WifiWpa, false}), "WIFI:T:WPA;S:a\\\\b\\;c\\,d\\:e\\\"f;P:p\\;q;;");
    EXPECT_EQ(wifi({"\xE5\xAE\xB6", "", WifiOpen, false}), "WIFI:S:\xE5\xAE\xB6;;") << "UTF-8 bytes as they are";
}

TEST(WifiText, RefusesWhatCannotJoinANetwork) {
    EXPECT_EQ(wifi({"", "pw", WifiWpa, false}), "refused 1 ''");
    EXPECT_EQ(wifi({nullptr, nullptr, WifiOpen, false}), "refused 1 ''");
    EXPECT_EQ(wifi({"a", "pw", WifiOpen, false}), "refused 2 ''");
    EXPECT_EQ(wifi({"a", nullptr, WifiWpa, false}), "refused 3 ''");
    EXPECT_EQ(wifi({"a", "", WifiWep, false}), "refused 3 ''");
}

TEST(WifiText, FitsExactlyIntoItsRoomOrNotAtAll) {
    // "WIFI:S:a\;;;" is 12 bytes: it needs 13 with the NUL.
    EXPECT_EQ(wifi({"a;", nullptr, WifiOpen, false}, 13), "WIFI:S:a\\;;;");
    EXPECT_EQ(wifi({"a;", nullptr, WifiOpen, false}, 12), "refused 4 ''");
    EXPECT_EQ(wifi({"a;", nullptr, WifiOpen, false}, 9), "refused 4 ''") << "never half an escape";
}

std::string vcard() {
    g_form.utf8forms = 1;
    g_form.vcard = 1;
    EXPECT_EQ(compose_payload(), 0);
    convert_to_utf8(&g_payload);
    return payload_text();
}

TEST(Vcard, SplitsAtTheFirstSpaceOfEitherWidthAndEscapesWholeCharacters) {
    reset_form(Utf8, InputMode::Address);
    set_field(ControlName, "表ソ　能 力,x");   // 表, ソ and 能 end in the byte of "\"
    set_field(ControlFurigana, "ﾋｮｳ ｿ");
    EXPECT_EQ(vcard(), "BEGIN:VCARD\r\nVERSION:3.0\r\nN:表ソ;能 力\\,x;;;\r\nFN:表ソ　能 力\\,x\r\n"
                       "X-PHONETIC-LAST-NAME:ヒョウ\r\nX-PHONETIC-FIRST-NAME:ソ\r\nEND:VCARD\r\n");
}

TEST(Vcard, ANameAloneIsTheFamilyNameAndALineBreakIsEscaped) {
    reset_form(Utf8, InputMode::Address);
    set_field(ControlName, "Prince");
    set_field(ControlNote, "a\r\nb\\");
    EXPECT_EQ(vcard(), "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Prince;;;;\r\nFN:Prince\r\nNOTE:a\\nb\\\\\r\nEND:VCARD\r\n");
    // The docomo target keeps its MECARD whatever the switch says.
    reset_form(Docomo, InputMode::Address);
    set_field(ControlName, "Prince");
    g_form.vcard = 1;
    EXPECT_EQ(compose_payload(), 0);
    EXPECT_EQ(payload_text(), "MECARD:N:Prince;;");
}

}  // namespace
